#pragma once

#include "common/csettings.h"
#include "common/csysteminfo.h"
#include "common/settingspointer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringList>

// The test program's own installation: build/tests/<name>/, above its bin/.
namespace FakeInstallation {

// A relative path is taken in the installation; an absolute one stays as it is.
inline QString filePath(QString const &path)
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).filePath(path));
}

// Written as another process would: the bytes, then a modification time not used
// before unless one is given: the settings store takes a file of the same size and time as unchanged.
inline bool writeFile(QString const &path, QByteArray const &content, QDateTime modified = QDateTime())
{
    static QDateTime last = QDateTime::currentDateTime().addDays(-1);
    QFile file(filePath(path));
    return QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(content) == content.size() && file.flush()
           && file.setFileTime(modified.isValid() ? modified : (last = last.addSecs(1)), QFileDevice::FileModificationTime);
}

inline QByteArray readFile(QString const &path)
{
    QFile file(filePath(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// No settings, no data, and a settings store opened afresh, as in a new process.
inline void reset()
{
    delete gCSettingsSettings;
    gCSettingsSettings = nullptr;
    QDir(filePath(QStringLiteral("settings"))).removeRecursively();
    QDir(filePath(QStringLiteral("data"))).removeRecursively();
}

// The log files of level 0, by name.
inline QStringList logFiles()
{
    return QDir(filePath(QStringLiteral("data/0/log"))).entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
}

// The content of the only log file.
inline QByteArray logContent()
{
    return logFiles().size() == 1 ? readFile(QStringLiteral("data/0/log/") + logFiles().first()) : QByteArray();
}

// The lines of the only log file, without the system summary at its head
// and without the empty text after the last line feed.
inline QStringList loggedLines()
{
    QStringList lines = QString::fromUtf8(logContent()).split(QLatin1Char('\n'));
    lines.removeLast();
    if (!lines.isEmpty() && lines.first().startsWith(QStringLiteral("Версия ")))
        lines.erase(lines.begin(), lines.begin() + CSystemInfo::summaryInfo().count(QLatin1Char('\n')));
    return lines;
}

} // namespace FakeInstallation
