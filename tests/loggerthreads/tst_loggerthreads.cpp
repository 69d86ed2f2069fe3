#include "common/logger.h"
#include "tests/support/fakeinstallation.h"

#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <functional>

class TestLoggerThreads : public QObject
{
    Q_OBJECT

    // Ended threads stay allocated until the test ends, so that no new thread
    // takes the address of one still in the registry.
    QList<QThread *> endedThreads;

    // Runs the job on that many new threads at once, each with its index, and waits for all of them.
    void runThreads(int count, std::function<void(int)> const &job)
    {
        QList<QThread *> threads;
        for (int t = 0; t < count; ++t) {
            threads << QThread::create(job, t);
            threads.last()->start();
        }
        for (QThread *thread : qAsConst(threads))
            QVERIFY(thread->wait(120000));
        endedThreads << threads;
    }

    int levelOfNewThread()
    {
        int level = 0;
        runThreads(1, [&level](int) { level = currentTabLevel(); });
        return level;
    }

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

    // Through the host's state and through the emergency log, no line is lost
    // or torn, the lines of a message stand together, every thread keeps one level.
    void messagesOfManyThreads_data()
    {
        QTest::addColumn<bool>("emergency");
        QTest::newRow("debug") << false;
        QTest::newRow("emergecyDebug") << true;
    }

    void messagesOfManyThreads()
    {
        QFETCH(bool, emergency);
        constexpr int Threads = 8, Messages = 1000;
        static DebugData hostData; // never freed, like the host's
        LoggerData::initDebug(&hostData);
        runThreads(Threads, [emergency](int t) {
            for (int m = 0; m < Messages; ++m) {
                const QString text = QStringLiteral("a %1-%2\nb %1-%2\nc %1-%2").arg(t).arg(m);
                emergency ? emergecyDebug(text) : debug(QStringLiteral("Writer"), text, LevelAlways, FlagFileOnly);
            }
        });
        const QStringList lines = FakeInstallation::loggedLines();
        QCOMPARE(lines.size(), Threads * Messages * 3);
        const QRegularExpression first(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d(?: {20}Writer| {16}forceDebug)"
                                                      "((?: {4})+)a ((\\d+)-(\\d+))$"));
        QVector<int> nextMessage(Threads, 0), levelOfThread(Threads, 0);
        for (int i = 0; i < lines.size(); i += 3) {
            const QRegularExpressionMatch match = first.match(lines[i]);
            QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
            const int level = match.capturedLength(1) / 4, t = match.captured(3).toInt();
            QCOMPARE(match.captured(4).toInt(), nextMessage[t]++);
            levelOfThread[t] = levelOfThread[t] ? levelOfThread[t] : level;
            QCOMPARE(level, levelOfThread[t]);
            const QString indent(emergency ? 4 : 38 + 4 * level, QLatin1Char(' '));
            QCOMPARE(lines[i + 1], indent + QStringLiteral("b ") + match.captured(2));
            QCOMPARE(lines[i + 2], indent + QStringLiteral("c ") + match.captured(2));
        }
        std::sort(levelOfThread.begin(), levelOfThread.end());
        QCOMPARE(levelOfThread, emergency ? QVector<int>(Threads, 1) : QVector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
        if (!emergency)
            QCOMPARE(hostData.tabs.size(), Threads);
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
        QCOMPARE(first->tabs.size(), 6);
        QCOMPARE(levelOfNewThread(), 1);
    }

    // Each thread's entries that remain are its latest ones, in order.
    void tracingFromManyThreadsKeepsLast64()
    {
        constexpr int Tracers = 4, Scopes = 500;
        gFunctionsDebuging = 0;
        runThreads(Tracers, [](int t) {
            for (int i = 0; i < Scopes; ++i)
                _CFunctionDebug tracer((QByteArray::number(t) + ' ' + QByteArray::number(i)).constData());
        });
        const QStringList stack = _CFunctionDebug::stack();
        QCOMPARE(stack.size(), 64);
        QVector<QList<int>> entries(Tracers);
        for (const QString &entry : stack)
            entries[entry.section(' ', 0, 0).toInt()] << entry.section(' ', 1).toInt();
        for (const QList<int> &numbers : qAsConst(entries)) {
            for (int k = 0; k < numbers.size(); ++k)
                QCOMPARE(numbers[k], Scopes - numbers.size() + k);
        }
        QCOMPARE(FakeInstallation::logFiles(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestLoggerThreads)
#include "tst_loggerthreads.moc"
