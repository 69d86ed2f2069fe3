#include "common/csettings.h"
#include "common/logger.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/messagecollector.h"

#include <QDate>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <memory>

namespace {

const QString Time = QStringLiteral("hh:mm:ss.zzz"); // stands for every time stamp
const QString SettingsFile = QStringLiteral("settings/settings.ini");

// A first line of the main thread (level 1).
QString line(QString const &text, QString const &name = QStringLiteral("Global"))
{
    return Time + QStringLiteral(" %1    ").arg(name, 25) + text;
}

QStringList logged()
{
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d:[0-5]\\d:[0-5]\\d\\.\\d\\d\\d"));
    QStringList lines = FakeInstallation::loggedLines();
    for (QString &each : lines)
        each.replace(stamp, Time);
    return lines;
}

} // namespace

class TestLogger : public QObject
{
    Q_OBJECT

private slots:
    // The permissions for new files and directories are read once per process: here.
    void initTestCase() { debug(QStringLiteral("Global"), QStringLiteral("start")); }

    void init()
    {
        FakeInstallation::reset();
        gFunctionsDebuging = -1;
        gStack.clear();
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("lines");

        const QString cont = QString(42, QLatin1Char(' '));
        QTest::newRow("echoed") << "Global" << "текст" << 2 << QStringList{line("текст")};
        QTest::newRow("empty line inside") << "Логгер" << "A\n\nB" << 1 << QStringList{line("A", "Логгер"), "", cont + "B"};
        QTest::newRow("empty text") << "Global" << "" << 1 << QStringList{""};
        QTest::newRow("leading line feed") << "Global" << "\nA" << 1 << QStringList{"", line("A")};
        QTest::newRow("name of 25") << "abcdefghijklmnopqrstuvwxy" << "A" << 1 << QStringList{line("A", "abcdefghijklmnopqrstuvwxy")};
        QTest::newRow("name of 26") << "abcdefghijklmnopqrstuvwxyz" << "A" << 0 << QStringList{line("A", "abcdefghijklmnopqrstuv...")};
        QTest::newRow("emergency") << "" << "A\n\nB" << -1 << QStringList{Time + "                forceDebug    A", "", "    B"};
    }

    // The echo shows the name unchanged; the emergency log neither echoes nor heads a new file with the summary.
    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, flag);
        QFETCH(QStringList, lines);

        MessageCollector collector;
        if (flag < 0)
            emergecyDebug(text);
        else
            debug(name, text, LevelAlways, DebugFlag(flag));
        MessageCollector::Messages echo;
        if (!(flag & 1))
            echo.append({QtDebugMsg, QStringLiteral("\"%1\" \"%2\"").arg(name, text)});
        QCOMPARE(MessageCollector::messages, echo);
        QCOMPARE(logged(), lines);
        QCOMPARE(FakeInstallation::logContent().startsWith("Версия 3.0.25.0 release"), flag >= 0);
    }

    // A new file and its directory get the permissions; the summary heads the file once.
    void newFile()
    {
        debug(QStringLiteral("Global"), QStringLiteral("A"), LevelAlways, FlagFileOnly);
        debug(QStringLiteral("Global"), QStringLiteral("B"), LevelAlways, FlagFileOnly);
        QCOMPARE(logged(), QStringList({line("A"), line("B")}));
        const QString file = FakeInstallation::logDirPath() + QLatin1Char('/') + FakeInstallation::logFiles().value(0);
        QCOMPARE(int(QFile::permissions(file)), 0x6666);
        QCOMPARE(int(QFile::permissions(FakeInstallation::logDirPath())), 0x7777);
    }

    void categoryFilter_data()
    {
        QTest::addColumn<int>("traceSwitch");
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("settingsBefore");
        QTest::addColumn<QByteArray>("settingsEnd"); // how the file ends after, holding as many keys
        QTest::addColumn<bool>("written");

        // A missing switch is written with its default, which decides.
        const bool defaults[] = {0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0};
        for (int level = 1; level <= 20; ++level) {
            QTest::addRow("level %d missing", level)
                << -1 << level << QByteArray() << QByteArray(defaults[level - 1] ? "=true\n" : "=false\n") << defaults[level - 1];
        }
        const QByteArray off("[Debug]\nipcData=false\n");
        QTest::newRow("level 21") << -1 << 21 << QByteArray() << QByteArray() << true;
        QTest::newRow("level -1") << -1 << -1 << QByteArray() << QByteArray() << true;
        QTest::newRow("trace off") << 0 << 1 << off << off << false;
        QTest::newRow("trace on overrides") << 1 << 1 << off << off << true;
    }

    void categoryFilter()
    {
        QFETCH(int, traceSwitch);
        QFETCH(int, level);
        QFETCH(QByteArray, settingsBefore);
        QFETCH(QByteArray, settingsEnd);
        QFETCH(bool, written);

        QVERIFY(settingsBefore.isNull() || FakeInstallation::writeFile(SettingsFile, settingsBefore));
        gFunctionsDebuging = traceSwitch;
        debug(QStringLiteral("Global"), QStringLiteral("A"), DebugLevel(level), FlagFileOnly);
        QCOMPARE(logged(), written ? QStringList{line("A")} : QStringList());
        const QByteArray settings = FakeInstallation::readFile(SettingsFile);
        QVERIFY2(settings.endsWith(settingsEnd) && settings.count('=') == settingsEnd.count('='), settings.constData());
    }

    void tracer_data()
    {
        QTest::addColumn<QByteArray>("settingsBefore");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("stack");
        QTest::addColumn<QStringList>("lines");

        const QString traced = Time + QStringLiteral("           _CFunctionDebug    ");
        QTest::newRow("missing: written off") << QByteArray() << QByteArray() << QStringList{":12 int f()"} << QStringList();
        QTest::newRow("on, with the place") << QByteArray("[Debug]\nall=true\n") << QByteArray("../../common/x.cpp") << QStringList()
                                            << QStringList{traced + "common/x.cpp:12 int f() {", traced + "common/x.cpp:12 int f() }"};
    }

    // The switch is read once; while it is off the last 64 operations are kept instead.
    void tracer()
    {
        QFETCH(QByteArray, settingsBefore);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, stack);
        QFETCH(QStringList, lines);

        QVERIFY(settingsBefore.isNull() || FakeInstallation::writeFile(SettingsFile, settingsBefore));
        {
            _CFunctionDebug tracer(file.isNull() ? nullptr : file.constData(), 12, "int f()");
        }
        QCOMPARE(FakeInstallation::readFile(SettingsFile), settingsBefore.isNull() ? QByteArray("[Debug]\nall=false\n") : settingsBefore);
        QCOMPARE(_CFunctionDebug::stack(), stack);
        QCOMPARE(logged(), lines);
        for (int i = 0; gFunctionsDebuging == 0 && i < 70; ++i)
            _CFunctionDebug tracer(QByteArray::number(i).constData());
        QCOMPARE(_CFunctionDebug::stack().value(0), gFunctionsDebuging == 0 ? QStringLiteral("6") : QString());
        QCOMPARE(_CFunctionDebug::stack().size(), gFunctionsDebuging == 0 ? 64 : 0);
    }

    void emergencyDoesNotTakeLoggerLock()
    {
        QMutex &loggerLock = LoggerData::debugData()->mutex;
        loggerLock.lock();
        const std::unique_ptr<QThread> writer(QThread::create([] { emergecyDebug(QStringLiteral("B")); }));
        writer->start();
        const bool finished = writer->wait(10000);
        loggerLock.unlock();
        writer->wait();
        QVERIFY(finished);
    }
};

QTEST_GUILESS_MAIN(TestLogger)
#include "tst_logger.moc"
