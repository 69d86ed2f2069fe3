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

inline QString filePath(QString const &relative)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../") + relative);
}

// A modification time not used before (a second after the previous one): the
// settings store takes a file of the same size and time as unchanged.
inline QDateTime freshModificationTime()
{
    static QDateTime last = QDateTime::currentDateTime().addDays(-1);
    last = last.addSecs(1);
    return last;
}

// Written as another process would: the bytes, then a (fresh) modification time.
inline bool writeFile(QString const &relative, QByteArray const &content, QDateTime modified = QDateTime())
{
    if (!modified.isValid())
        modified = freshModificationTime();
    QFile file(filePath(relative));
    return QDir().mkpath(QFileInfo(file).absolutePath()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(content) == content.size() && file.flush()
           && file.setFileTime(modified, QFileDevice::FileModificationTime);
}

inline QByteArray readFile(QString const &relative)
{
    QFile file(filePath(relative));
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

inline QString logDirPath() { return filePath(QStringLiteral("data/0/log")); }

// The log files of level 0, by name.
inline QStringList logFiles()
{
    return QDir(logDirPath()).entryList({QStringLiteral("*.log")}, QDir::Files, QDir::Name);
}

inline QByteArray logContent()
{
    const QStringList files = logFiles();
    return files.size() == 1 ? readFile(QStringLiteral("data/0/log/") + files.first()) : QByteArray();
}

inline int summaryLineCount() { return CSystemInfo::summaryInfo().count(QLatin1Char('\n')); }

// The lines of the only log file, without the system summary at its head
// and without the empty text after the last line feed.
inline QStringList loggedLines()
{
    QStringList lines = QString::fromUtf8(logContent()).split(QLatin1Char('\n'));
    lines.removeLast();
    if (!lines.isEmpty() && lines.first().startsWith(QStringLiteral("Версия ")))
        lines.erase(lines.begin(), lines.begin() + summaryLineCount());
    return lines;
}

} // namespace FakeInstallation
