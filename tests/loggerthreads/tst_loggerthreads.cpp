#include "common/logger.h"
#include "tests/support/fakeinstallation.h"

#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <functional>

namespace {

const QString TimeStamp = QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d");

} // namespace

class TestLoggerThreads : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FakeInstallation::reset();
        gFunctionsDebuging = -1;
        gStack.clear();
        LoggerData::initDebug(nullptr);
    }

    void cleanup()
    {
        qDeleteAll(endedThreads);
        endedThreads.clear();
    }

    // Through the host's state, every thread keeps one level and the lines of a message stand together.
    void messagesOfManyThreadsStandTogether()
    {
        constexpr int Threads = 8;
        constexpr int Messages = 2000;
        static DebugData hostData; // never freed, like the host's
        LoggerData::initDebug(&hostData);
        QVERIFY(runThreads(Threads, [](int t) {
            for (int m = 0; m < Messages; ++m)
                debug(QStringLiteral("Writer"), QStringLiteral("a %1-%2\nb %1-%2\nc %1-%2").arg(t).arg(m), LevelAlways,
                      FlagFileOnly);
        }));
        QCOMPARE(hostData.tabs.size(), Threads);

        const QStringList lines = FakeInstallation::loggedLines();
        QCOMPARE(lines.size(), Threads * Messages * 3);
        const QRegularExpression first(TimeStamp + QStringLiteral(" {20}Writer((?: {4})+)a ((\\d+)-(\\d+))$"));
        QVector<int> nextMessage(Threads, 0);
        QVector<int> levelOfThread(Threads, 0);
        for (int i = 0; i < lines.size(); i += 3) {
            const QRegularExpressionMatch match = first.match(lines[i]);
            QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
            const int level = match.capturedLength(1) / 4;
            const int t = match.captured(3).toInt();
            QCOMPARE(match.captured(4).toInt(), nextMessage[t]++);
            if (levelOfThread[t] == 0)
                levelOfThread[t] = level;
            QCOMPARE(level, levelOfThread[t]);
            const QString indent(38 + 4 * level, QLatin1Char(' '));
            QCOMPARE(lines[i + 1], indent + QStringLiteral("b ") + match.captured(2));
            QCOMPARE(lines[i + 2], indent + QStringLiteral("c ") + match.captured(2));
        }
        QCOMPARE(nextMessage, QVector<int>(Threads, Messages));
        std::sort(levelOfThread.begin(), levelOfThread.end());
        QCOMPARE(levelOfThread, QVector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    }

    void threadLevels()
    {
        DebugData *first = LoggerData::debugData();
        QCOMPARE(currentTabLevel(), 1);
        for (int level = 2; level <= 4; ++level)
            QCOMPARE(levelOfNewThread(), level);
        QThread neverLogged;
        deleteThreadTabLevel(&neverLogged);
        QCOMPARE(levelOfNewThread(), 5);

        deleteThreadTabLevel(endedThreads[2]);
        deleteThreadTabLevel(endedThreads[0]);
        QCOMPARE(levelOfNewThread(), 2);
        QCOMPARE(levelOfNewThread(), 4);
        QCOMPARE(levelOfNewThread(), 6);
        QCOMPARE(currentTabLevel(), 1);

        // A fresh state starts again at 1; the dropped one is left as it was, not freed.
        LoggerData::initDebug(nullptr);
        QVERIFY(LoggerData::debugData() != first);
        QCOMPARE(first->tabs.size(), 6);
        QCOMPARE(levelOfNewThread(), 1);
    }

    // Each thread's entries that remain are its latest ones, in order.
    void tracingFromManyThreadsKeepsLast64()
    {
        constexpr int Tracers = 4;
        constexpr int Scopes = 500;
        gFunctionsDebuging = 0;
        QVERIFY(runThreads(Tracers, [](int t) {
            for (int i = 0; i < Scopes; ++i) {
                const QByteArray function = QByteArray::number(t) + ' ' + QByteArray::number(i);
                _CFunctionDebug tracer(function.constData());
            }
        }));

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

    void emergencyMessagesStandTogether()
    {
        constexpr int Writers = 4;
        constexpr int Messages = 500;
        QVERIFY(runThreads(Writers, [](int t) {
            for (int m = 0; m < Messages; ++m)
                emergecyDebug(QStringLiteral("a %1-%2\nb %1-%2").arg(t).arg(m));
        }));

        const QStringList lines = FakeInstallation::loggedLines();
        QCOMPARE(lines.size(), Writers * Messages * 2);
        const QRegularExpression first(TimeStamp + QStringLiteral(" {16}forceDebug {4}a (\\d+-\\d+)$"));
        for (int i = 0; i < lines.size(); i += 2) {
            const QRegularExpressionMatch match = first.match(lines[i]);
            QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
            QCOMPARE(lines[i + 1], QStringLiteral("    b ") + match.captured(1));
        }
    }

private:
    // Ended threads stay allocated until the test ends, so that no new thread
    // takes the address of one still in the registry.
    QList<QThread *> endedThreads;

    // Runs the job on that many new threads at once, each with its index, and waits for all of them.
    bool runThreads(int count, std::function<void(int)> const &job)
    {
        QList<QThread *> threads;
        for (int t = 0; t < count; ++t) {
            threads << QThread::create(job, t);
            threads.last()->start();
        }
        bool finished = true;
        for (QThread *thread : qAsConst(threads))
            finished = thread->wait(120000) && finished;
        endedThreads << threads;
        return finished;
    }

    // The level a new thread gets, asked from that thread.
    int levelOfNewThread()
    {
        int level = 0;
        runThreads(1, [&level](int) { level = currentTabLevel(); });
        return level;
    }
};

QTEST_GUILESS_MAIN(TestLoggerThreads)
#include "tst_loggerthreads.moc"
