#include "common/logger.h"
#include "tests/support/fakeinstallation.h"

#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <functional>

namespace {

constexpr int Threads = 8;
constexpr int MessagesPerThread = 2000;

} // namespace

class TestLoggerThreads : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void messagesOfManyThreadsStandTogether();
    void releasedLevelsAreReused();
    void releasingUnknownThreadChangesNothing();
    void freshStateRestartsLevels();
    void tracingFromManyThreadsKeepsLast64();
    void emergencyMessagesStandTogether();

private:
    bool runThreads(QList<std::function<void()>> const &jobs);
    int levelOfNewThread();

    // Ended threads stay allocated until the test ends, so that no new thread
    // takes the address of one still in the registry.
    QList<QThread *> endedThreads;
};

// Starts one thread per job and waits for all of them.
bool TestLoggerThreads::runThreads(QList<std::function<void()>> const &jobs)
{
    QList<QThread *> threads;
    for (const std::function<void()> &job : jobs) {
        threads << QThread::create(job);
        threads.last()->start();
    }
    bool finished = true;
    for (QThread *thread : qAsConst(threads))
        finished = thread->wait(120000) && finished;
    endedThreads << threads;
    return finished;
}

// The level a new thread gets, asked from that thread.
int TestLoggerThreads::levelOfNewThread()
{
    int level = 0;
    runThreads({[&level] { level = currentTabLevel(); }});
    return level;
}

void TestLoggerThreads::init()
{
    FakeInstallation::reset();
    gFunctionsDebuging = -1;
    gStack.clear();
    LoggerData::initDebug(nullptr);
}

void TestLoggerThreads::cleanup()
{
    qDeleteAll(endedThreads);
    endedThreads.clear();
}

void TestLoggerThreads::messagesOfManyThreadsStandTogether()
{
    // The host's own state, as initDebug hands it over; never freed, like the host's.
    static DebugData hostData;
    LoggerData::initDebug(&hostData);

    QList<std::function<void()>> writers;
    for (int t = 0; t < Threads; ++t) {
        writers << [t] {
            for (int m = 0; m < MessagesPerThread; ++m) {
                const QString id = QStringLiteral("%1-%2").arg(t).arg(m);
                debug(QStringLiteral("Writer"), QStringLiteral("a %1\nb %1\nc %1").arg(id), LevelAlways, FlagFileOnly);
            }
        };
    }
    QVERIFY(runThreads(writers));

    QCOMPARE(LoggerData::debugData(), &hostData);
    QCOMPARE(hostData.tabs.size(), Threads);
    for (int i = 0; i < Threads; ++i)
        QCOMPARE(hostData.tabs[i].level, i + 1);

    const QStringList lines = FakeInstallation::loggedLines();
    QCOMPARE(lines.size(), Threads * MessagesPerThread * 3);
    const QRegularExpression first(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d {20}Writer((?: {4})+)a (\\d+)-(\\d+)$"));
    QVector<int> nextMessage(Threads, 0);
    QVector<int> levelOfThread(Threads, 0);
    for (int i = 0; i < lines.size(); i += 3) {
        const QRegularExpressionMatch match = first.match(lines[i]);
        QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
        const int level = match.capturedLength(1) / 4;
        const int t = match.captured(2).toInt();
        const QString id = match.captured(2) + QLatin1Char('-') + match.captured(3);
        QCOMPARE(match.captured(3).toInt(), nextMessage[t]++);
        if (levelOfThread[t] == 0)
            levelOfThread[t] = level;
        QCOMPARE(level, levelOfThread[t]);
        const QString indent(38 + 4 * level, QLatin1Char(' '));
        QCOMPARE(lines[i + 1], indent + QStringLiteral("b ") + id);
        QCOMPARE(lines[i + 2], indent + QStringLiteral("c ") + id);
    }
    QCOMPARE(nextMessage, QVector<int>(Threads, MessagesPerThread));
    std::sort(levelOfThread.begin(), levelOfThread.end());
    QCOMPARE(levelOfThread, QVector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
}

void TestLoggerThreads::releasedLevelsAreReused()
{
    for (int t = 1; t <= 4; ++t)
        QCOMPARE(levelOfNewThread(), t);
    deleteThreadTabLevel(endedThreads[2]);
    deleteThreadTabLevel(endedThreads[0]);

    QCOMPARE(levelOfNewThread(), 1);
    QCOMPARE(levelOfNewThread(), 3);
    QCOMPARE(levelOfNewThread(), 5);
    QCOMPARE(currentTabLevel(), 6);
    QCOMPARE(currentTabLevel(), 6);
}

void TestLoggerThreads::releasingUnknownThreadChangesNothing()
{
    QCOMPARE(currentTabLevel(), 1);
    QThread neverLogged;
    deleteThreadTabLevel(&neverLogged);

    const QList<Tabulation> &tabs = LoggerData::debugData()->tabs;
    QCOMPARE(tabs.size(), 1);
    QCOMPARE(tabs.first().thread, QThread::currentThread());
    QCOMPARE(levelOfNewThread(), 2);
}

void TestLoggerThreads::freshStateRestartsLevels()
{
    DebugData *before = LoggerData::debugData();
    levelOfNewThread();
    QCOMPARE(levelOfNewThread(), 2);

    LoggerData::initDebug(nullptr);
    QVERIFY(LoggerData::debugData() != before);
    QCOMPARE(before->tabs.size(), 2);
    QCOMPARE(levelOfNewThread(), 1);
}

void TestLoggerThreads::tracingFromManyThreadsKeepsLast64()
{
    gFunctionsDebuging = 0;
    constexpr int Tracers = 4;
    constexpr int Scopes = 500;
    QList<std::function<void()>> jobs;
    for (int t = 0; t < Tracers; ++t) {
        jobs << [t] {
            for (int i = 0; i < Scopes; ++i) {
                const QByteArray function = QByteArray::number(t) + ' ' + QByteArray::number(i);
                _CFunctionDebug tracer(function.constData());
            }
        };
    }
    QVERIFY(runThreads(jobs));

    // Each thread's entries that remain are its latest ones, in order.
    const QStringList stack = _CFunctionDebug::stack();
    QCOMPARE(stack.size(), 64);
    QVector<QList<int>> entries(Tracers);
    for (const QString &entry : stack)
        entries[entry.section(QLatin1Char(' '), 0, 0).toInt()] << entry.section(QLatin1Char(' '), 1).toInt();
    for (const QList<int> &numbers : qAsConst(entries)) {
        for (int k = 0; k < numbers.size(); ++k)
            QCOMPARE(numbers[k], Scopes - numbers.size() + k);
    }
    QCOMPARE(FakeInstallation::logFiles(), QStringList());
}

void TestLoggerThreads::emergencyMessagesStandTogether()
{
    constexpr int Writers = 4;
    constexpr int Messages = 500;
    QList<std::function<void()>> jobs;
    for (int t = 0; t < Writers; ++t) {
        jobs << [t] {
            for (int m = 0; m < Messages; ++m)
                emergecyDebug(QStringLiteral("a %1-%2\nb %1-%2").arg(t).arg(m));
        };
    }
    QVERIFY(runThreads(jobs));

    const QStringList lines = FakeInstallation::loggedLines();
    QCOMPARE(lines.size(), Writers * Messages * 2);
    const QRegularExpression first(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d {16}forceDebug {4}a (\\d+-\\d+)$"));
    for (int i = 0; i < lines.size(); i += 2) {
        const QRegularExpressionMatch match = first.match(lines[i]);
        QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
        QCOMPARE(lines[i + 1], QStringLiteral("    b ") + match.captured(1));
    }
}

QTEST_GUILESS_MAIN(TestLoggerThreads)
#include "tst_loggerthreads.moc"
