// Each operation timed against the floor of the same work (or a peer doing
// it), both in the same run and in alternating rounds, so that the ratio holds
// on a machine whose load changes while it runs. Prints one Markdown table.

#include "comchannel/ccomabonentsettingswidget.h"
#include "comchannel/ccomchannelsettingswidget.h"
#include "comchannel/comsettings.h"
#include "common/globalnaming.h"
#include "common/globalpaths.h"
#include "common/globalsaving.h"
#include "common/logger.h"
#include "interfaces/cchanneluseddevices.h"

#include <QApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSemaphore>
#include <QTableView>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Row {
    QString what;
    QString ours;
    QString floor;
    QString ratio;
    QString goal;
    bool met;
};

std::vector<Row> rows;
QStringList notes;

void addRow(const char *what, const QString &ours, const QString &floor, double ratio, const char *goal, bool met)
{
    rows.push_back({QString::fromUtf8(what), ours, floor,
                    std::isnan(ratio) ? QStringLiteral("-") : QString::asprintf("%.2fx", ratio),
                    QString::fromUtf8(goal), met});
}

QString duration(double us)
{
    if (us >= 1000)
        return QString::asprintf("%.1f ms", us / 1000);
    if (us >= 10)
        return QString::asprintf("%.1f us", us);
    if (us >= 1)
        return QString::asprintf("%.2f us", us);
    return QString::asprintf("%.0f ns", us * 1000);
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

template <typename Work>
double microsecondsPerCall(int batch, const Work &work)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < batch; ++i)
        work();
    return timer.nsecsElapsed() / 1000.0 / batch;
}

// Median microseconds per call of each work; every round times a batch of
// each, one after the other. Batches are kept short, so that most of them
// run without being preempted by the machine's other work.
template <typename... Works>
std::array<double, sizeof...(Works)> medians(int rounds, int batch, Works... works)
{
    std::array<std::vector<double>, sizeof...(Works)> samples;
    (works(), ...);
    for (int round = 0; round < rounds; ++round) {
        std::size_t i = 0;
        (samples[i++].push_back(microsecondsPerCall(batch, works)), ...);
    }
    std::array<double, sizeof...(Works)> result;
    for (std::size_t i = 0; i < samples.size(); ++i)
        result[i] = median(samples[i]);
    return result;
}

long maxRssKiB()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

ChannelComSettings channelOf(int portCount)
{
    ChannelComSettings channel;
    for (int i = 0; i < portCount; ++i) {
        ComPortSettings port;
        port.active = true;
        port.portName = QStringLiteral("ttyUSB%1").arg(i);
        port.initString = QStringLiteral("AT&F&C1&D2S0=0");
        port.baudRate = 115200;
        port.flowControl = 1;
        port.dataBits = 8;
        port.parity = 0;
        port.stopBits = 1;
        channel.ports.append(port);
    }
    return channel;
}

// --- logger -----------------------------------------------------------------

const QString logName = QStringLiteral("Global");
const QString logText = QStringLiteral("Настройки канала сохранены: 4 порта");

void appendRaw(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
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

void benchLogger()
{
    debug(logName, logText, LevelAlways, FlagFileOnly);
    const QDir logDir = Global::logDir(Global::currentSecrecy());
    QFile log(logDir.absoluteFilePath(logDir.entryList({QStringLiteral("*.log")}).value(0)));
    log.open(QIODevice::ReadOnly);
    const QByteArray content = log.readAll();
    const QByteArray line = content.mid(content.lastIndexOf('\n', content.size() - 2) + 1);
    const QByteArray floorPath = QFile::encodeName(logDir.absoluteFilePath(QStringLiteral("floor.raw")));
    const QString floorText = QStringLiteral("open/write/close %1 B").arg(line.size());

    const auto fileOnly = [] { debug(logName, logText, LevelAlways, FlagFileOnly); };
    const auto raw = [&] { appendRaw(floorPath, line); };
    const auto quiet = medians(301, 20, fileOnly, raw);
    addRow("debug, one line, level 0, file only", duration(quiet[0]), duration(quiet[1]) + QStringLiteral(" ")
               + floorText, quiet[0] / quiet[1], "<= 1.5x", quiet[0] <= 1.5 * quiet[1]);

    StderrToNull nullEcho;
    const auto echoed = [] { debug(logName, logText, LevelAlways, FlagNone); };
    const auto loud = medians(301, 20, echoed, raw);
    addRow("debug, the same with echo (stderr to /dev/null)", duration(loud[0]), duration(loud[1]),
           loud[0] / loud[1], "<= 2x", loud[0] <= 2 * loud[1]);
}

void benchLoggerThreads()
{
    constexpr int Threads = 8;
    constexpr int MessagesEach = 100;
    std::vector<double> alone, together;
    for (int round = 0; round < 41; ++round) {
        alone.push_back(logThroughput(1, Threads * MessagesEach));
        together.push_back(logThroughput(Threads, MessagesEach));
    }
    const double one = median(alone), eight = median(together);
    addRow("debug from 8 threads through one DebugData", QStringLiteral("%1 msg/s").arg(qRound(eight)),
           QStringLiteral("%1 msg/s, 1 thread").arg(qRound(one)), eight / one, ">= 0.8x", eight >= 0.8 * one);
}

// --- tracing ----------------------------------------------------------------

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
    addRow(gFunctionsDebuging == 0 ? "traced scope, trace switch off" : "traced scope (SWITCH NOT OFF)",
           duration(times[0]), duration(times[1]) + QStringLiteral(" lock+fromLatin1"), times[0] / times[1],
           "<= 2x", gFunctionsDebuging == 0 && times[0] <= 2 * times[1]);
}

// --- records ----------------------------------------------------------------

QList<ComPortSettings> plainRead(const QByteArray &data)
{
    QDataStream in(data);
    qint32 version, count, blockSize;
    in >> version >> count >> blockSize;
    QList<ComPortSettings> ports;
    for (qint32 i = 0; i < count; ++i) {
        ComPortSettings p;
        in >> p.active >> p.portName >> p.initString >> p.baudRate >> p.flowControl >> p.dataBits >> p.parity
            >> p.stopBits;
        ports.append(p);
    }
    return ports;
}

QByteArray plainWrite(const ChannelComSettings &channel)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << qint32(3) << qint32(channel.ports.size()) << qint32(channel.blockSize);
    for (const ComPortSettings &p : channel.ports)
        out << p.active << p.portName << p.initString << p.baudRate << p.flowControl << p.dataBits << p.parity
            << p.stopBits;
    return data;
}

void benchRecords()
{
    const ChannelComSettings channel = channelOf(10000);
    const QByteArray data = channel.toByteArray();
    if (data != plainWrite(channel))
        qFatal("the plain writer does not write the channel record");
    int sink = 0;

    const auto ours = [&] {
        ChannelComSettings read;
        read.fromByteArray(data);
        sink += read.ports.size();
    };
    const auto plain = [&] { sink += plainRead(data).size(); };
    const auto reads = medians(61, 1, ours, plain);
    addRow("read of a 10,000-port channel record", duration(reads[0]),
           duration(reads[1]) + QStringLiteral(" QDataStream"), reads[0] / reads[1], "<= 1.3x",
           reads[0] <= 1.3 * reads[1]);

    const auto writes = medians(61, 1, [&] { sink += channel.toByteArray().size(); },
                                [&] { sink += plainWrite(channel).size(); });
    addRow("write of the same record", duration(writes[0]), duration(writes[1]) + QStringLiteral(" QDataStream"),
           writes[0] / writes[1], "<= 1.3x", writes[0] <= 1.3 * writes[1]);
    if (sink == 0)
        qFatal("nothing was read");
}

QByteArray channelHeader(qint32 count)
{
    QByteArray data;
    QDataStream(&data, QIODevice::WriteOnly) << qint32(3) << count << qint32(1024);
    return data;
}

// Runs first, so that the maximum resident size is not already raised by the rest.
void benchHostileRecord()
{
    const QByteArray hostile = channelHeader(0x7fffffff), empty = channelHeader(0);
    // The first reads also read the trace switch and fill the list of the last
    // 64 traced operations, which then stays at its size.
    for (int i = 0; i < 100; ++i)
        ChannelComSettings().fromByteArray(hostile);
    const long before = maxRssKiB();
    constexpr int Rounds = 201, Batch = 250;
    const auto times = medians(Rounds, Batch, [&] { ChannelComSettings().fromByteArray(hostile); },
                               [&] { ChannelComSettings().fromByteArray(empty); });
    const long after = maxRssKiB();
    const double ratio = times[0] / times[1];
    notes << QStringLiteral("Hostile record: max RSS (getrusage) %1 KiB before and %2 KiB after %3 reads.")
                 .arg(before).arg(after).arg(Rounds * Batch + 1);
    addRow("read of a hostile record claiming 2^31-1 entries in 12 bytes",
           duration(times[0]) + QStringLiteral(", RSS +%1 KiB").arg(after - before),
           duration(times[1]) + QStringLiteral(" empty record"), ratio, "<= 10x, no memory growth",
           ratio <= 10 && after <= before);
}

// --- pages ------------------------------------------------------------------

// Tells when a widget has been painted.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }

    // Gives up after ten seconds, which then shows as the time taken.
    void waitForPaint()
    {
        QElapsedTimer waited;
        waited.start();
        while (!painted && waited.elapsed() < 10000)
            QCoreApplication::processEvents();
        painted = false;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }

private:
    bool painted = false;
};

// Answers the next message box with Yes as soon as it shows.
void answerYesSoon()
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            box->button(QMessageBox::Yes)->click();
        }
    });
    poll->start(0);
}

void selectEveryOtherRow(QTableView *view)
{
    const QAbstractItemModel *model = view->model();
    QItemSelection selection;
    for (int row = 0; row < model->rowCount(); row += 2)
        selection.select(model->index(row, 0), model->index(row, model->columnCount() - 1));
    view->selectionModel()->select(selection, QItemSelectionModel::Select);
}

void benchChannelPage()
{
    const QByteArray record = channelOf(10000).toByteArray();
    QDir().mkpath(Global::settingsDir().absolutePath());
    QFile file(Global::channelComSettingsFilePath());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(record);
    file.close();

    std::vector<double> loads, removals;
    int rowsLeft = 0;
    for (int round = 0; round < 7; ++round) {
        CChannelUsedDevices registry;
        CComChannelSettingsWidget page;
        page.usedDevices = &registry;
        auto *view = page.findChild<QTableView *>(QStringLiteral("tvPorts"));
        PaintWatch watch(view->viewport());

        QElapsedTimer timer;
        timer.start();
        page.loadData();
        page.show();
        watch.waitForPaint();
        loads.push_back(timer.nsecsElapsed() / 1000.0);

        selectEveryOtherRow(view);
        answerYesSoon();
        timer.start();
        page.findChild<QPushButton *>(QStringLiteral("pbnRemove"))->click();
        watch.waitForPaint();
        removals.push_back(timer.nsecsElapsed() / 1000.0);
        rowsLeft = view->model()->rowCount();
    }
    const double load = median(loads), removal = median(removals);
    addRow("channel page: loadData of 10,000 ports + first paint", duration(load), QStringLiteral("100 ms"),
           load / 100000, "below it", load < 100000);
    addRow("removal of 5,000 selected rows of 10,000 (page, Yes)", duration(removal), QStringLiteral("100 ms"),
           removal / 100000, "below it", removal < 100000 && rowsLeft == 5000);
    notes << QStringLiteral("Removal: every other row selected; timed from the click on \"Удалить\" through the "
                            "confirmation answered Yes to the repaint; %1 rows left.").arg(rowsLeft);
}

struct ReadCounters {
    qint64 bytes;
    qint64 calls;
    qint64 ownBytes;
};

// rchar and syscr of /proc/self/io, taken with one read call of their own.
ReadCounters readCounters()
{
    char buffer[512];
    const int fd = ::open("/proc/self/io", O_RDONLY | O_CLOEXEC);
    const ssize_t size = ::read(fd, buffer, sizeof(buffer) - 1);
    ::close(fd);
    buffer[std::max<ssize_t>(size, 0)] = '\0';
    ReadCounters counters{0, 0, size};
    std::sscanf(buffer, "rchar: %lld\nwchar: %*d\nsyscr: %lld", &counters.bytes, &counters.calls);
    return counters;
}

void benchAbonentPage()
{
    const qint64 fileSize = QFileInfo(Global::channelComSettingsFilePath()).size();
    delete new CComAbonentSettingsWidget; // reads the file into the cache

    const ReadCounters before = readCounters();
    QElapsedTimer timer;
    timer.start();
    delete new CComAbonentSettingsWidget;
    const double created = timer.nsecsElapsed() / 1000.0;
    const ReadCounters after = readCounters();
    const qint64 bytes = after.bytes - before.bytes - before.ownBytes;
    const qint64 calls = after.calls - before.calls - 1;
    addRow("abonent page created, channelCom.conf (10,000 ports) unchanged",
           QStringLiteral("%1 reads, %2 B, page in %3").arg(calls).arg(bytes).arg(duration(created)),
           QStringLiteral("0 reads of %1 B").arg(fileSize), NAN, "zero reads", calls == 0 && bytes == 0);
    notes << QStringLiteral("Abonent page: read calls and bytes counted by the kernel (syscr and rchar of "
                            "/proc/self/io) around the construction and destruction of a second page, less "
                            "the one read of /proc/self/io itself; no preload, no tracer.");
}

// --- Global -----------------------------------------------------------------

void benchMessageDirNames()
{
    const QDir dir = Global::inputMessagesDir(0);
    QDir().mkpath(dir.absolutePath());
    for (int i = 0; i < 100000; ++i)
        ::close(::open(QFile::encodeName(dir.absoluteFilePath(QStringLiteral("entry%1").arg(i))).constData(),
                       O_WRONLY | O_CREAT | O_CLOEXEC, 0666));

    QElapsedTimer timer;
    timer.start();
    Global::nextMessageDirName(dir);
    const double first = timer.nsecsElapsed() / 1000.0;
    // A second listing would find this one and jump the numbering past it.
    dir.mkdir(QStringLiteral("99999990"));

    // Each call looks up a name never looked up before, so the floor does too:
    // the kernel answers a name it already knows to be missing from its cache.
    constexpr int Rounds = 201, Batch = 20;
    std::vector<QByteArray> fresh;
    for (int i = 0; i <= Rounds * Batch; ++i)
        fresh.push_back(QFile::encodeName(dir.absoluteFilePath(QStringLiteral("absent%1").arg(i))));
    const QByteArray known = fresh.back();
    struct stat status;
    int found = 0;
    std::size_t next = 0;
    const auto times = medians(Rounds, Batch, [&] { found += Global::nextMessageDirName(dir).isEmpty(); },
                               [&] { found += ::stat(fresh[next++ % fresh.size()].constData(), &status) == 0; },
                               [&] { found += ::stat(known.constData(), &status) == 0; });
    const bool listedOnce = !Global::nextMessageDirName(dir).startsWith(QLatin1String("9999")) && found == 0;
    addRow("Global::nextMessageDirName after the first, 100,000 entries", duration(times[0]),
           duration(times[1]) + QStringLiteral(" stat"), times[0] / times[1],
           "<= 2x, listed once", times[0] <= 2 * times[1] && listedOnce);
    notes << QStringLiteral("Message directory names: the first call (the listing) took %1; a subdirectory "
                            "99999990 made after it %2 the numbering, so the directory was listed %3. The floor "
                            "stats a missing name not looked up before, as each call does; the same missing "
                            "name again and again took %4 (ratio %5).")
                 .arg(duration(first), listedOnce ? QStringLiteral("did not move") : QStringLiteral("moved"),
                      listedOnce ? QStringLiteral("once") : QStringLiteral("again"), duration(times[2]),
                      QString::asprintf("%.2fx", times[0] / times[2]));
    QDir(dir).removeRecursively();
}

void benchSafeSaving()
{
    const QByteArray data(4096, 'x');
    const QString target = Global::abonentsStatesFilePath();
    const QString peer = target + QStringLiteral(".peer");
    const QByteArray dirPath = QFile::encodeName(QFileInfo(target).absolutePath());
    int failures = 0;

    const auto ours = [&] { failures += !Global::safeSaving(target, data).isEmpty(); };
    const auto saveFile = [&] {
        QSaveFile file(peer);
        failures += !(file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit());
    };
    const auto syncDir = [&] {
        const int fd = ::open(dirPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(fd);
        ::close(fd);
    };
    const std::function<void()> saves[] = {ours, saveFile, [&] { saveFile(); syncDir(); }};

    // Each save starts with the journal committed, so that none pays for the
    // renamings and removals that the one before left to the file system.
    std::array<std::vector<double>, 3> samples;
    for (int round = 0; round < 61; ++round) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            syncDir();
            samples[i].push_back(microsecondsPerCall(1, saves[i]));
        }
    }
    const double times[] = {median(samples[0]), median(samples[1]), median(samples[2])};
    addRow("Global::safeSaving of 4 KiB", duration(times[0]), duration(times[1]) + QStringLiteral(" QSaveFile"),
           times[0] / times[1], "<= 1.2x", failures == 0 && times[0] <= 1.2 * times[1]);
    notes << QStringLiteral("safeSaving also fsyncs the directory after the final rename, so that a power cut "
                            "keeps it; QSaveFile does not. QSaveFile followed by the same directory fsync took %1 "
                            "(safeSaving %2x of it).")
                 .arg(duration(times[2]), QString::asprintf("%.2f", times[0] / times[2]));
}

void print()
{
    QFile loadAverage(QStringLiteral("/proc/loadavg"));
    loadAverage.open(QIODevice::ReadOnly);
    notes << QStringLiteral("Load average of the machine at the end (1, 5, 15 min): %1.")
                 .arg(QString::fromLatin1(loadAverage.readAll().split(' ').mid(0, 3).join(", ")));
    std::printf("| benchmark | ours (median) | floor or peer | ratio | goal | met |\n|---|---|---|---|---|---|\n");
    for (const Row &row : rows) {
        std::printf("| %s | %s | %s | %s | %s | %s |\n", qUtf8Printable(row.what), qUtf8Printable(row.ours),
                    qUtf8Printable(row.floor), qUtf8Printable(row.ratio), qUtf8Printable(row.goal),
                    row.met ? "yes" : "NO");
    }
    std::printf("\n");
    for (const QString &note : qAsConst(notes))
        std::printf("- %s\n", qUtf8Printable(note));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    // build/bench/ is this program's own installation, emptied at each run;
    // anywhere else it could be someone's settings and data.
    if (Global::installDir().dirName() != QLatin1String("bench")) {
        std::fprintf(stderr, "comchannel-bench: run it from <build>/bench/bin/, its own installation\n");
        return 2;
    }
    Global::settingsDir().removeRecursively();
    Global::dataDir().removeRecursively();

    benchHostileRecord();
    benchLogger();
    benchLoggerThreads();
    benchTrace();
    benchRecords();
    benchChannelPage();
    benchAbonentPage();
    benchMessageDirNames();
    benchSafeSaving();
    print();
    return 0;
}
