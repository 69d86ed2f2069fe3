#pragma once

#include <QFileDevice>
#include <QString>

#include <sys/types.h>

// Files and directories in the installation, whose directories every local user
// may write to: a name there can be swapped at any moment for a symbolic link, a
// FIFO or a hard link to someone's file. So nothing is followed, nothing waited
// on, and permissions are set through a descriptor, never by name.
namespace RegularFile {

// open(2) without following a symbolic link and without blocking, accepted only
// as a regular file with no other name (for which the flag changes nothing, so it stays).
// Otherwise -1 with errno set: ELOOP for a link, ENXIO for a FIFO or device,
// EMLINK for a hard link, EISDIR for a directory.
int open(const char *path, int flags, mode_t mode = 0);
int open(const QString &path, int flags, mode_t mode = 0);

// The mode bits the toolkit's permission flags stand for; the current-user
// flags are derived from the others and have no bits of their own.
mode_t modeOf(QFileDevice::Permissions permissions);

// The toolkit's flags of an open descriptor's mode, the current-user ones as the owner's when that is us.
QFileDevice::Permissions permissionsOf(int fd);

// A directory opened with O_DIRECTORY | O_NOFOLLOW, for its permissions or a sync;
// -1 with errno set when the name is no longer a directory.
int openDirectory(const QString &path);

// Gives a directory its mode through such a descriptor; false with errno set.
bool setDirectoryMode(const QString &path, mode_t mode);

} // namespace RegularFile
