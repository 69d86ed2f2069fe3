#include "logger.h"

#include "csettings.h"
#include "csysteminfo.h"
#include "keptsetting.h"
#include "logfiletarget.h"
#include "loggerstate.h"
#include "loglines.h"
#include "regularfile.h"

#include <QFile>
#include <QMessageLogger>
#include <QtDebug>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int NameWidth = 25;
constexpr int CutNameLength = 22;
constexpr int TimeAndNameWidth = 12 + 1 + NameWidth;
constexpr int IndentPerLevel = 4;
constexpr int WriteRetries = 10;

// The switches of levels 1 to 20, in the order of the levels.
bool (CSettings::*const categorySwitches[])() = {
    &CSettings::debugIpcData,
    &CSettings::debugIpcExtra,
    &CSettings::debugIpcSecurityDaemon,
    &CSettings::debugIpcTransport,
    &CSettings::debugTransportAbonents,
    &CSettings::debugTransportTransit,
    &CSettings::debugTransportConnects,
    &CSettings::debugTransportDataLifetime,
    &CSettings::debugTransportBaseProtocol,
    &CSettings::debugTransportProtocol,
    &CSettings::debugTransportProtocolAttaches,
    &CSettings::debugTransportIpSocketError,
    &CSettings::debugTransportComPortError,
    &CSettings::debugTransportComAtCommands,
    &CSettings::debugTransportComPackets,
    &CSettings::debugTransportComData,
    &CSettings::debugTransportTasks,
    &CSettings::debugJournals,
    &CSettings::debugMessagesAutodelete,
    &CSettings::debugMessagesLock,
};
constexpr int SwitchedLevels = int(sizeof(categorySwitches) / sizeof(categorySwitches[0]));

bool isSilenced(int level)
{
    if (level < 1 || level > SwitchedLevels || gFunctionsDebuging > 0)
        return false;
    CSettings settings;
    return !(settings.*categorySwitches[level - 1])();
}

QByteArray firstLinePrefix(const QString &name, int tabLevel)
{
    QByteArray prefix;
    prefix.reserve(TimeAndNameWidth + tabLevel * IndentPerLevel + 8);
    appendTimeStamp(prefix);
    prefix.append(' ');
    if (name.size() > NameWidth) {
        prefix.append(QStringView(name).left(CutNameLength).toUtf8());
        prefix.append("...");
    } else {
        prefix.append(NameWidth - name.size(), ' ');
        prefix.append(name.toUtf8());
    }
    prefix.append(tabLevel * IndentPerLevel, ' ');
    return prefix;
}

// Through descriptors, never by name: a neighbour may have swapped the name for a link meanwhile.
void setLogDirPermissions(const QString &dirPath)
{
    if (!RegularFile::setDirectoryMode(dirPath, RegularFile::modeOf(keptSetting<&CSettings::dirPermissions>())))
        qDebug() << "Не удалось изменить права доступа для каталога" << dirPath << qt_error_string(errno);
}

void setLogFilePermissions(int fd, const QString &filePath)
{
    if (::fchmod(fd, RegularFile::modeOf(keptSetting<&CSettings::filePermissions>())) != 0)
        qWarning() << "Не удалось изменить права доступа для файла:" << filePath << qt_error_string(errno);
}

// A short write is completed by up to ten more calls; only a failed first
// call is reported.
void writeLine(int fd, const char *line, qint64 size, LogFileTarget &target)
{
    qint64 written = ::write(fd, line, size_t(size));
    if (written == size)
        return;
    if (written < 0) {
        const QString error = qt_error_string(errno);
        qWarning() << "Не удалось записать данные в лог файл. Ошибка записи. " << error;
        target.invalidate();
        written = 0;
    }
    for (int retry = 0; retry < WriteRetries && written < size; ++retry) {
        const qint64 more = ::write(fd, line + written, size_t(size - written));
        if (more > 0)
            written += more;
    }
}

void writeToLogFile(const LogLines &lines)
{
    // Guarded by the mutex of the logger state.
    static LogFileTarget target;

    int fd = -1;
    bool created = false;
    switch (target.open(&fd, &created, setLogDirPermissions)) {
    case LogFileTarget::Opened:
        break;
    case LogFileTarget::DirFailed:
        return;
    case LogFileTarget::FileFailed: {
        const QString error = qt_error_string(errno);
        qWarning() << "Ошибка открытия файла для записи:" << target.filePath() << error;
        target.invalidate();
        return;
    }
    }

    if (created) {
        const QByteArray summary = CSystemInfo::summaryInfo().toUtf8();
        [[maybe_unused]] const ssize_t ignored = ::write(fd, summary.constData(), size_t(summary.size()));
    }
    int start = 0;
    for (const int end : lines.ends) {
        writeLine(fd, lines.bytes.constData() + start, end - start, target);
        start = end;
    }
    if (created)
        setLogFilePermissions(fd, target.filePath());
    ::close(fd);
}

} // namespace

void debug(QString name, QString const &text, DebugLevel level, DebugFlag flag)
{
    DebugData &data = installedDebugData();
    if (isSilenced(level))
        return;
    if (!(flag & FlagFileOnly))
        QMessageLogger().debug() << name << text;

    const int tabLevel = currentTabLevel();
    const LogLines lines = layOutLines(text, firstLinePrefix(name, tabLevel),
                                       TimeAndNameWidth + tabLevel * IndentPerLevel);
    QMutexLocker locker(&data.mutex);
    writeToLogFile(lines);
}
