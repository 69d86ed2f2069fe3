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
#include <QThread>
#include <QtDebug>

#include <atomic>
#include <cerrno>
#include <linux/futex.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/uio.h>
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

// The message laid out into the calling thread's own buffers, which keep
// their capacity from one message to the next, with the indentation the
// thread had last time: its level is only known under the mutex.
const LogLines &layOutMessage(const QString &name, const QString &text, int indent)
{
    thread_local LogLines lines;
    thread_local QByteArray prefix;
    if (prefix.capacity() == 0) {
        prefix.reserve(128);
        lines.bytes.reserve(512);
    }
    prefix.resize(0);
    lines.clear();

    appendTimeStamp(prefix);
    prefix.append(' ');
    if (name.size() > NameWidth) {
        appendUtf8(prefix, QStringView(name).left(CutNameLength));
        prefix.append("...");
    } else {
        prefix.append(NameWidth - name.size(), ' ');
        appendUtf8(prefix, name);
    }
    prefix.append(indent, ' ');
    layOutParts(lines, text, prefix, TimeAndNameWidth + indent);
    return lines;
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
    for (int i = 0; i < lines.ends.size(); ++i) {
        const int indentAt = lines.indentAt[i] < 0 ? -1 : lines.indentAt[i] - start;
        writeLine(fd, lines.bytes.constData() + start, lines.ends[i] - start, indentAt, laidOut, indent, target);
        start = lines.ends[i];
    }
    if (created)
        setLogFilePermissions(fd, target.filePath());
    ::close(fd);
}

// A message waiting for the file stage. Whichever thread holds the logger
// state's mutex writes every waiting message, each with its own file stage,
// so that the mutex passes between threads once per batch, not per message,
// and a thread that waits sleeps on its own word instead of on the mutex.
struct Waiting {
    const LogLines *lines;
    int laidOut; // the indentation the lines were laid out with
    int indent;  // the thread's own, set when the message is written
    QThread *thread;
    Waiting *next;
    int written; // a futex word: 0 while waiting
};

std::atomic<Waiting *> waitingMessages{nullptr};

void wake(Waiting *message)
{
    __atomic_store_n(&message->written, 1, __ATOMIC_RELEASE);
    // The waiter may return and leave as soon as it sees the word set; a wake
    // sent to a stack that is gone does nothing.
    syscall(SYS_futex, &message->written, FUTEX_WAKE_PRIVATE, 1, nullptr, nullptr, 0);
}

// Under the mutex: writes the waiting messages, oldest first. Returns whether
// `own` was among them; the others are woken after the mutex is released.
bool writeWaiting(DebugData &data, Waiting *own)
{
    Waiting *newestFirst = waitingMessages.exchange(nullptr, std::memory_order_acquire);
    Waiting *oldestFirst = nullptr;
    while (newestFirst) {
        Waiting *next = newestFirst->next;
        newestFirst->next = oldestFirst;
        oldestFirst = newestFirst;
        newestFirst = next;
    }
    for (Waiting *message = oldestFirst; message; message = message->next) {
        message->indent = lockedTabLevel(data, message->thread) * IndentPerLevel;
        writeToLogFile(*message->lines, message->laidOut, message->indent);
    }
    data.mutex.unlock();
    bool ownWritten = false;
    while (oldestFirst) {
        Waiting *next = oldestFirst->next;
        if (oldestFirst == own)
            ownWritten = true;
        else
            wake(oldestFirst);
        oldestFirst = next;
    }
    return ownWritten;
}

void debugToFile(DebugData &data, const QString &name, const QString &text)
{
    thread_local int lastIndent = 0;
    Waiting own{&layOutMessage(name, text, lastIndent), lastIndent, 0, QThread::currentThread(),
                waitingMessages.load(std::memory_order_relaxed), 0};
    while (!waitingMessages.compare_exchange_weak(own.next, &own, std::memory_order_release,
                                                  std::memory_order_relaxed)) {
    }
    const auto writtenByOther = [&own] { return __atomic_load_n(&own.written, __ATOMIC_ACQUIRE) == 1; };
    bool written = false;
    while (!written) {
        if (data.mutex.tryLock()) {
            written = writeWaiting(data, &own) || writtenByOther();
            continue;
        }
        // Another thread writes, and takes this message with its next batch;
        // the time limit covers a holder that is not this logger (the host's).
        const timespec limit{0, 1000000};
        syscall(SYS_futex, &own.written, FUTEX_WAIT_PRIVATE, 0, &limit, nullptr, 0);
        written = writtenByOther();
    }
    lastIndent = own.indent;
    // A message that came while the last batch was written must not wait for the time limit.
    if (waitingMessages.load(std::memory_order_relaxed) && data.mutex.tryLock())
        writeWaiting(data, nullptr);
}

} // namespace

void debug(QString name, QString const &text, DebugLevel level, DebugFlag flag)
{
    DebugData &data = installedDebugData();
    if (isSilenced(level))
        return;
    if (!(flag & FlagFileOnly))
        QMessageLogger().debug() << name << text;

    // The message is laid out before the lock; the thread's level is looked up
    // under the lock that the file stage takes anyway.
    debugToFile(data, name, text);
}
