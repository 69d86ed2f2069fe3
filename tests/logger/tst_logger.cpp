#include "common/csettings.h"
#include "common/logger.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/messagecollector.h"

#include <QRegularExpression>
#include <QtTest>

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
        QTest::newRow("empty line inside") << "Логгер" << "A\n\nB" << 1 << QStringList{line("A", "Логгер"), "", cont + "B"};
        QTest::newRow("leading line feed") << "Global" << "\nA" << 1 << QStringList{"", line("A")};
        QTest::newRow("name of 25") << "abcdefghijklmnopqrstuvwxy" << "A" << 1 << QStringList{line("A", "abcdefghijklmnopqrstuvwxy")};
        QTest::newRow("name of 26, echoed") << "abcdefghijklmnopqrstuvwxyz" << "текст" << 0 << QStringList{line("текст", "abcdefghijklmnopqrstuv...")};
        // Texts the debug stream escapes.
        QTest::newRow("quoted name, echoed") << "a\"b" << "текст" << 0 << QStringList{line("текст", "a\"b")};
        QTest::newRow("backslash, echoed") << "Global" << "a\\b" << 0 << QStringList{line("a\\b")};
        QTest::newRow("tab, echoed") << "Global" << "a\tb" << 0 << QStringList{line("a\tb")};
        QTest::newRow("zero-width space, echoed") << "Global" << "a\u200Bb" << 0 << QStringList{line("a\u200Bb")};
        QTest::newRow("letter beyond 16 bits") << "Global" << "a\U0001D11Eb" << 1 << QStringList{line("a\U0001D11Eb")};
        QTest::newRow("emergency") << "" << "A\n\nB" << -1 << QStringList{Time + "                forceDebug    A", "", "    B"};
    }

    // The echo shows the name unchanged; a new file of the logger and its directory get
    // the permissions, and the summary at the head, which the emergency log neither writes nor echoes.
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
        if (!(flag & 1)) {
            QString streamed;
            QDebug(&streamed) << name << text;
            streamed.chop(1);
            echo.append({QtDebugMsg, streamed});
        }
        QCOMPARE(MessageCollector::messages, echo);
        QCOMPARE(logged(), lines);
        QCOMPARE(FakeInstallation::logContent().startsWith("Версия 3.0.25.0 release"), flag >= 0);
        const QString dir = FakeInstallation::filePath(QStringLiteral("data/0/log"));
        QVERIFY(flag < 0 || (int(QFile::permissions(dir)) == 0x7777 && int(QFile::permissions(dir + '/' + FakeInstallation::logFiles().value(0))) == 0x6666));
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

    // A switch changed in the file, by another process or through a handle, holds from the next message on.
    void switchFollowsTheFile()
    {
        QStringList expected;
        for (const bool on : {false, true, false}) {
            QVERIFY(FakeInstallation::writeFile(SettingsFile, on ? "[Debug]\nipcData=true\n" : "[Debug]\nipcData=false\n"));
            debug(QStringLiteral("Global"), QStringLiteral("A"), LevelIpcData, FlagFileOnly);
            if (on)
                expected << line("A");
            QCOMPARE(logged(), expected);
        }
        CSettings().write(QStringLiteral("Debug/ipcData"), true);
        debug(QStringLiteral("Global"), QStringLiteral("B"), LevelIpcData, FlagFileOnly);
        QCOMPARE(logged(), expected << line("B"));
    }

    // While the switch "Debug/all" is on, the tracers log entry and exit and keep no
    // operations (while it is off they keep the latest ones: the threads test).
    void tracer()
    {
        QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Debug]\nall=true\n"));
        for (int i = 0; i < 70; ++i)
            _CFunctionDebug tracer("../../common/x.cpp", i, "int f()");
        QCOMPARE(_CFunctionDebug::stack(), QStringList());
        QCOMPARE(logged().size(), 140); // one file, under one summary
        QCOMPARE(logged().value(0), Time + QStringLiteral("           _CFunctionDebug    common/x.cpp:0 int f() {"));
    }
};

QTEST_GUILESS_MAIN(TestLogger)
#include "tst_logger.moc"
