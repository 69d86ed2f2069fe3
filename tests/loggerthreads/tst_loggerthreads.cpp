#include "common/logger.h"
#include "tests/support/fakeinstallation.h"

#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <functional>

class TestLoggerThreads : public QObject
{
    Q_OBJECT

    // Threads stay allocated until the test ends, so that no new thread
    // takes the address of one still in the registry.
    QList<QThread *> threads;

    // Runs the job on that many new threads at once, each with its index, and waits for all of them.
    void runThreads(int count, std::function<void(int)> const &job)
    {
        const int firstNew = threads.size();
        for (int t = 0; t < count; ++t)
            (threads << QThread::create(job, t)).last()->start();
        for (int t = firstNew; t < threads.size(); ++t)
            QVERIFY(threads[t]->wait(120000));
    }

    // The levels that new threads get, one after the other.
    QList<int> levelsOfNewThreads(int count)
    {
        QList<int> levels;
        for (int t = 0; t < count; ++t)
            runThreads(1, [&levels](int) { levels << currentTabLevel(); });
        return levels;
    }

private slots:
    void init()
    {
        FakeInstallation::reset();
        gStack.clear();
        LoggerData::initDebug(nullptr);
    }

    void cleanup()
    {
        qDeleteAll(threads);
        threads.clear();
    }

    // Through the host's state and through the emergency log, no line is lost
    // or torn, the lines of a message stand together, every thread keeps one level.
    // The tracers around the messages keep each thread's latest scopes, in order.
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
        gFunctionsDebuging = 0;
        runThreads(Threads, [emergency](int t) {
            for (int m = 0; m < Messages; ++m) {
                _CFunctionDebug tracer(QStringLiteral("%1 %2").arg(t).arg(m).toLatin1().constData());
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
        const QStringList stack = _CFunctionDebug::stack();
        QCOMPARE(stack.size(), 64);
        for (int t = 0; t < Threads; ++t) {
            const QStringList own = stack.filter(QString::number(t) + QLatin1Char(' '));
            for (int k = 0; k < own.size(); ++k)
                QCOMPARE(own[k], QStringLiteral("%1 %2").arg(t).arg(Messages - own.size() + k));
        }
    }

    // A freed level goes to the next new thread, the lowest first; a thread never
    // logged frees nothing. A fresh state starts again at 1 and leaves the old one as it was.
    void threadLevels()
    {
        DebugData *first = LoggerData::debugData();
        QCOMPARE(currentTabLevel(), 1);
        QCOMPARE(levelsOfNewThreads(3), QList<int>({2, 3, 4}));
        QThread neverLogged;
        deleteThreadTabLevel(&neverLogged);
        deleteThreadTabLevel(threads[2]);
        deleteThreadTabLevel(threads[0]);
        QCOMPARE(levelsOfNewThreads(3), QList<int>({2, 4, 5}));
        QCOMPARE(currentTabLevel(), 1);
        LoggerData::initDebug(nullptr);
        QCOMPARE(first->tabs.size(), 5);
        QCOMPARE(levelsOfNewThreads(1), QList<int>{1});
    }
};

QTEST_GUILESS_MAIN(TestLoggerThreads)
#include "tst_loggerthreads.moc"
