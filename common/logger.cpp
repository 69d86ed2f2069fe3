#include "logger.h"

#include "categoryswitches.h"
#include "csettings.h"
#include "csysteminfo.h"
#include "keptsetting.h"
#include "logfiletarget.h"
#include "loggerstate.h"
#include "loglines.h"
#include "regularfile.h"

#include <QFile>
#include <QMessageLogger>
#include <QStringBuilder>
#include <QThread>
#include <QtDebug>

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

constexpr int NameWidth = 25;
constexpr int CutNameLength = 22;
constexpr int TimeAndNameWidth = 12 + 1 + NameWidth;
constexpr int IndentPerLevel = 4;
constexpr int WriteRetries = 10;

bool isSilenced(int level)
{
    if (level < 1 || level > SwitchedLevels || gFunctionsDebuging > 0)
        return false;
    return !isCategoryOn(level);
}

// Whether the debug stream writes the unit as it is between its quotes: the
// printable ASCII characters but the quote and the backslash, and the Cyrillic block.
bool isStreamedAsIs(char16_t unit)
{
    return (unit >= 0x20 && unit < 0x7f && unit != u'"' && unit != u'\\') || (unit >= 0x400 && unit <= 0x4ff);
}

bool isStreamedAsIs(const QString &text)
{
    return std::all_of(text.utf16(), text.utf16() + text.size(), [](char16_t unit) { return isStreamedAsIs(unit); });
}

// The echo is the message `QMessageLogger().debug() << name << text` sends. For
// the usual texts, which the stream would not escape, it is built here and
// handed to the same output with the same context, at half the stream's cost.
void echo(const QString &name, const QString &text)
{
    if (!isStreamedAsIs(name) || !isStreamedAsIs(text)) {
        QMessageLogger().debug() << name << text;
        return;
    }
    const QString message = QLatin1Char('"') % name % QLatin1String("\" \"") % text % QLatin1Char('"');
    const QMessageLogContext context(nullptr, 0, nullptr, "default");
    qt_message_output(QtDebugMsg, context, message);
}

// What a thread keeps from one message to the next: buffers that keep their
// capacity, the start of its lines (time stamp and label) for the label it
// used last, and the indentation it had last time.
struct ThreadLog {
    LogLines lines;
    QByteArray prefix;
    QString name;
    int nameEnd = 0;
    int indent = 0;
};

ThreadLog &threadLog()
{
    thread_local ThreadLog log;
    if (log.prefix.capacity() == 0) {
        // Reserved capacity survives resize(0).
        log.prefix.reserve(128);
        log.lines.bytes.reserve(512);
    }
    return log;
}

// The message laid out into the thread's own buffers with the indentation the
// thread had last time: its level is only known under the mutex.
const LogLines &layOutMessage(ThreadLog &log, const QString &name, const QString &text)
{
    QByteArray &prefix = log.prefix;
    if (prefix.isEmpty() || name != log.name) {
        prefix.resize(TimeStampSize);
        prefix.append(' ');
        if (name.size() > NameWidth) {
            appendUtf8(prefix, QStringView(name).left(CutNameLength));
            prefix.append("...");
        } else {
            prefix.append(NameWidth - name.size(), ' ');
            appendUtf8(prefix, name);
        }
        log.name = name;
        log.nameEnd = prefix.size();
    }
    prefix.resize(log.nameEnd + log.indent);
    std::fill(prefix.data() + log.nameEnd, prefix.data() + prefix.size(), ' ');
    writeTimeStamp(prefix.data());
    log.lines.clear();
    layOutParts(log.lines, text, prefix, TimeAndNameWidth + log.indent);
    return log.lines;
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
void completeWrite(int fd, const char *line, qint64 size, qint64 written, LogFileTarget &target)
{
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

// A line goes out with one write call; if the thread's indentation is not the
// one it was laid out with, the right one is gathered in with the line.
void writeLine(int fd, const char *line, qint64 size, int indentAt, int laidOut, int indent, LogFileTarget &target)
{
    static const QByteArray blanks(1024, ' ');
    if (indentAt < 0 || indent == laidOut) {
        const qint64 written = ::write(fd, line, size_t(size));
        if (written != size)
            completeWrite(fd, line, size, written, target);
        return;
    }
    const int head = indentAt - laidOut;
    const qint64 wanted = size - laidOut + indent;
    qint64 written = 0;
    if (indent <= blanks.size()) {
        iovec parts[] = {{const_cast<char *>(line), size_t(head)},
                         {const_cast<char *>(blanks.constData()), size_t(indent)},
                         {const_cast<char *>(line + indentAt), size_t(size - indentAt)}};
        written = ::writev(fd, parts, 3);
        if (written == wanted)
            return;
    }
    // A short write, or an indentation deeper than the blanks at hand: from one buffer.
    const QByteArray whole =
        QByteArray(line, head) + QByteArray(indent, ' ') + QByteArray(line + indentAt, int(size) - indentAt);
    if (indent > blanks.size())
        written = ::write(fd, whole.constData(), size_t(whole.size()));
    if (written != whole.size())
        completeWrite(fd, whole.constData(), whole.size(), written, target);
}

void writeToLogFile(const LogLines &lines, int laidOut, int indent)
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
    for (std::size_t i = 0; i < lines.ends.size(); ++i) {
        const int indentAt = lines.indentAt[i] < 0 ? -1 : lines.indentAt[i] - start;
        writeLine(fd, lines.bytes.constData() + start, lines.ends[i] - start, indentAt, laidOut, indent, target);
        start = lines.ends[i];
    }
    if (created)
        setLogFilePermissions(fd, target.filePath());
    ::close(fd);
}

void debugToFile(DebugData &data, const QString &name, const QString &text)
{
    ThreadLog &log = threadLog();
    const int laidOut = log.indent;
    const LogLines &lines = layOutMessage(log, name, text);
    QThread *thread = QThread::currentThread();
    QMutexLocker locker(&data.mutex);
    log.indent = lockedTabLevel(data, thread) * IndentPerLevel;
    writeToLogFile(lines, laidOut, log.indent);
}

} // namespace

void debug(QString name, QString const &text, DebugLevel level, DebugFlag flag)
{
    DebugData &data = installedDebugData();
    if (isSilenced(level))
        return;
    if (!(flag & FlagFileOnly))
        echo(name, text);

    // The message is laid out before the lock; the thread's level is looked up
    // under the lock that the file stage takes anyway.
    debugToFile(data, name, text);
}
