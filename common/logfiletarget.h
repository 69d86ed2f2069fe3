#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>

// The daily log file of the current secrecy level, as the logger and the
// emergency log find it: resolved on first use and again only after a
// failure has invalidated it. Not thread-safe; each user guards its own.
class LogFileTarget
{
public:
    enum Opening { Opened, DirFailed, FileFailed };

    // Called with the log directory's path right after this target made it.
    using DirCreatedHook = void (*)(const QString &dirPath);

    // Opens the file for appending (two attempts), making its directory first
    // when missing. DirFailed is reported here and invalidates the target;
    // FileFailed leaves errno set for the caller's report.
    Opening open(int *fd, bool *created, DirCreatedHook dirCreated = nullptr);

    void invalidate() { currentSecrecyCache = -1; }
    const QString &filePath() const { return logFilePath; }

private:
    void resolve();
    bool makeDir(bool *made, DirCreatedHook dirCreated);
    int openOnce(bool *created) const;

    QDir logsDir;
    QString logFilePath;
    QByteArray encodedFilePath;
    int currentSecrecyCache = -1;
};
