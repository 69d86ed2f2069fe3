#pragma once

#include <QString>

// comconf show: a channel or abonent record as Russian text or as JSON.
// Returns the exit code: 1 when the file cannot be shown whole.
int showRecord(const QString &path, bool asJson);
