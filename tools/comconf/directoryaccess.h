#pragma once

#include <QString>

enum class DirectoryAccess { Writable, NotWritable, Creatable, NotCreatable };

// Whether files can be written in a directory, found without changing the
// installation: the library's probe runs in an existing directory only, and
// a missing one is judged by its nearest existing ancestor instead of being
// created as the library itself would.
DirectoryAccess directoryAccess(const QString &path);

// Writable, or missing but creatable: what the library counts as usable.
bool isUsable(DirectoryAccess access);
QString accessText(DirectoryAccess access);
