// The logger against open/write/close of the very line it writes, from one
// thread and from eight; the scope tracer against its floor.

#include "table.h"

#include "common/csettings.h"
#include "common/globalpaths.h"
#include "common/logger.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QRegularExpression>
#include <QSemaphore>
#include <QThread>

#include <cstdio>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Bench;

const QString logName = QStringLiteral("Global");
const QString logText = QStringLiteral("Настройки канала сохранены: 4 порта");

// With `checked`, also the logger's check that the name holds a regular file of one name.
void appendRaw(const QByteArray &path, const QByteArray &bytes, bool checked = false)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    struct statx status;
    if (checked)
        ::statx(fd, "", AT_EMPTY_PATH, STATX_TYPE | STATX_NLINK, &status);
    [[maybe_unused]] const ssize_t written = ::write(fd, bytes.constData(), size_t(bytes.size()));
    ::close(fd);
}

// The echo goes to stderr, which points at /dev/null meanwhile.
class StderrToNull
{
public:
    StderrToNull()
    {
        std::fflush(stderr);
        saved = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        ::dup2(null, STDERR_FILENO);
        ::close(null);
    }
    ~StderrToNull()
    {
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
    }

private:
    int saved;
};

QString logFilePath()
{
    const QDir logDir = Global::logDir(Global::currentSecrecy());
    return logDir.absoluteFilePath(logDir.entryList({QStringLiteral("*.log")}).value(0));
}

// Messages per second written through the one DebugData by `threads` threads at once.
double logThroughput(int threads, int messagesEach)
{
    QSemaphore ready, go, done;
    std::vector<std::unique_ptr<QThread>> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(QThread::create([&] {
            ready.release();
            go.acquire();
            for (int i = 0; i < messagesEach; ++i)
                debug(logName, logText, LevelAlways, FlagFileOnly);
            deleteThreadTabLevel(QThread::currentThread());
            done.release();
        }));
        workers.back()->start();
    }
    ready.acquire(threads);
    QElapsedTimer timer;
    timer.start();
    go.release(threads);
    done.acquire(threads);
    const double seconds = timer.nsecsElapsed() / 1e9;
    for (const auto &worker : workers)
        worker->wait();
    return threads * messagesEach / seconds;
}

void benchOneThread()
{
    debug(logName, logText, LevelAlways, FlagFileOnly);
    QFile log(logFilePath());
    log.open(QIODevice::ReadOnly);
    const QByteArray content = log.readAll();
    const QByteArray line = content.mid(content.lastIndexOf('\n', content.size() - 2) + 1);
    const QByteArray floorPath = QFile::encodeName(QFileInfo(log).absolutePath() + QStringLiteral("/floor.raw"));
    const QString floorText = QStringLiteral(" open/write/close %1 B").arg(line.size());

    const auto fileOnly = [] { debug(logName, logText, LevelAlways, FlagFileOnly); };
    const auto raw = [&] { appendRaw(floorPath, line); };
    const auto rawChecked = [&] { appendRaw(floorPath, line, true); };
    const auto quiet = medians(301, 20, fileOnly, raw, rawChecked);
    addRow(QStringLiteral("debug, one line, level 0, file only"), duration(quiet[0]), duration(quiet[1]) + floorText,
           quiet[0] / quiet[1], QStringLiteral("<= 1.25x"), quiet[0] <= 1.25 * quiet[1]);
    addNote(QStringLiteral("Debug, file only, against open/statx/write/close, the floor with the check that the "
                           "name holds a regular file of one name (no link, FIFO or hard link a neighbour put "
                           "there): %1 against %2, %3x.")
                .arg(duration(quiet[0]), duration(quiet[2]), QString::number(quiet[0] / quiet[2], 'f', 2)));

    StderrToNull nullEcho;
    const auto echoed = [] { debug(logName, logText, LevelAlways, FlagNone); };
    const auto loud = medians(301, 20, echoed, raw);
    addRow(QStringLiteral("debug, the same with echo (stderr to /dev/null)"), duration(loud[0]),
           duration(loud[1]) + floorText, loud[0] / loud[1], QStringLiteral("<= 1.8x"), loud[0] <= 1.8 * loud[1]);
}

// The lines written since `offset` that are whole lines of the message.
int wholeLinesSince(qint64 offset)
{
    QFile log(logFilePath());
    log.open(QIODevice::ReadOnly);
    log.seek(offset);
    const QRegularExpression whole(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} {20}%1(?: {4})+%2$").arg(logName, logText));
    int count = 0;
    for (const QString &line : QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        count += whole.match(line).hasMatch() ? 1 : -1000000;
    return count;
}

void benchThreads()
{
    constexpr int Threads = 8, MessagesEach = 1000, Rounds = 15;
    const qint64 offset = QFileInfo(logFilePath()).size();
    std::vector<double> alone, together;
    for (int round = 0; round < Rounds; ++round) {
        alone.push_back(logThroughput(1, Threads * MessagesEach));
        together.push_back(logThroughput(Threads, MessagesEach));
    }
    const int sent = 2 * Rounds * Threads * MessagesEach, found = wholeLinesSince(offset);
    const double one = median(alone), eight = median(together);
    addRow(QStringLiteral("debug from 8 threads through one DebugData, %1 of %2 lines whole").arg(found).arg(sent),
           QStringLiteral("%1 msg/s").arg(qRound(eight)), QStringLiteral("%1 msg/s, 1 thread").arg(qRound(one)),
           eight / one, QStringLiteral(">= 0.9x, no line lost or torn"), eight >= 0.9 * one && found == sent);
}

// A message of a category switched off is dropped after the switch is read;
// the peer reads the switch through a handle on the store, as each message once did.
void benchFilteredOut()
{
    CSettings().write(QStringLiteral("Debug/ipcData"), false);
    const auto filtered = [] { debug(logName, logText, LevelIpcData, FlagFileOnly); };
    const auto handle = [] { CSettings().debugIpcData(); };
    const auto times = medians(201, 100, filtered, handle);
    addRowWithoutGoal(QStringLiteral("debug at a category switched off (nothing written)"), duration(times[0]),
                      duration(times[1]) + QStringLiteral(" a handle on the store reading the switch"),
                      times[0] / times[1], true);
}

void benchTrace()
{
    static const char signature[] = "QString ChannelComSettings::fromByteArray(const QByteArray&)";
    QMutex mutex;
    QString sink;
    const auto traced = [] { _CFunctionDebug scope(signature); };
    const auto floor = [&] {
        QMutexLocker locker(&mutex);
        sink = QString::fromLatin1(signature);
    };
    const auto times = medians(201, 4000, traced, floor);
    addRow(gFunctionsDebuging == 0 ? QStringLiteral("traced scope, trace switch off")
                                   : QStringLiteral("traced scope (SWITCH NOT OFF)"),
           duration(times[0]), duration(times[1]) + QStringLiteral(" lock+fromLatin1"), times[0] / times[1],
           QStringLiteral("<= 2x"), gFunctionsDebuging == 0 && times[0] <= 2 * times[1]);
}

} // namespace

void Bench::benchLogger()
{
    benchOneThread();
    benchThreads();
    benchFilteredOut();
    benchTrace();
}
