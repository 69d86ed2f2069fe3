#include "logfiletarget.h"

#include "globalformat.h"
#include "globalpaths.h"
#include "regularfile.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QtDebug>

#include <cerrno>
#include <fcntl.h>

LogFileTarget::Opening LogFileTarget::open(int *fd, bool *created, DirCreatedHook dirCreated)
{
    if (currentSecrecyCache == -1)
        resolve();

    // The common case, an existing file in an existing directory, costs one
    // system call; the directory is looked at only when that fails.
    *fd = openOnce(created);
    if (*fd >= 0)
        return Opened;

    bool made = false;
    if (!makeDir(&made, dirCreated))
        return DirFailed;
    if (made)
        *fd = openOnce(created);
    if (*fd < 0)
        *fd = openOnce(created);
    return *fd >= 0 ? Opened : FileFailed;
}

void LogFileTarget::resolve()
{
    currentSecrecyCache = Global::currentSecrecy();
    logsDir = Global::logDir(currentSecrecyCache);
    const QString fileName = QStringLiteral("%1_%2_%3.log")
                                 .arg(QCoreApplication::applicationName(),
                                      Global::filterNotValidSymbols(Global::currentSystemUserName()),
                                      QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
    logFilePath = logsDir.absoluteFilePath(fileName);
    encodedFilePath = QFile::encodeName(logFilePath);
}

bool LogFileTarget::makeDir(bool *made, DirCreatedHook dirCreated)
{
    if (logsDir.exists())
        return true;
    const QString path = logsDir.absolutePath();
    if (!QDir().mkpath(path)) {
        qWarning() << "Не удалось создать каталог для записи лога" << path;
        invalidate();
        return false;
    }
    *made = true;
    if (dirCreated)
        dirCreated(path);
    return true;
}

// Whether the file is new is decided by the open itself: a plain open first,
// then an exclusive creation, then a plain open again if another process
// created the file in between. Whatever a neighbour put at the name instead of
// a regular file of ours (a link, a FIFO, a hard link) fails the open at once.
int LogFileTarget::openOnce(bool *created) const
{
    constexpr int Appending = O_WRONLY | O_APPEND;
    const char *path = encodedFilePath.constData();
    *created = false;
    int fd = RegularFile::open(path, Appending);
    if (fd >= 0 || errno != ENOENT)
        return fd;
    fd = RegularFile::open(path, Appending | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
        *created = true;
        return fd;
    }
    if (errno != EEXIST)
        return fd;
    return RegularFile::open(path, Appending);
}
