#include "common/csettings.h"
#include "common/logger.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/messagecollector.h"

#include <QDate>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <cerrno>

namespace {

// Log lines are compared with their time stamp replaced by this text.
const QString Time = QStringLiteral("hh:mm:ss.zzz");
const QString SettingsFile = QStringLiteral("settings/settings.ini");

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

// A first line of the main thread (level 1) of "Global".
QString globalLine(QString const &text)
{
    return Time + blanks(20) + QStringLiteral("Global    ") + text;
}

QString continuationLine(QString const &text, int level = 1)
{
    return blanks(38 + 4 * level) + text;
}

QStringList withoutTimes(QStringList lines)
{
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d:[0-5]\\d:[0-5]\\d\\.\\d\\d\\d"));
    for (QString &line : lines)
        line.replace(stamp, Time);
    return lines;
}

QStringList logged()
{
    return withoutTimes(FakeInstallation::loggedLines());
}

QString logFileName()
{
    return QStringLiteral("tst_logger_test_%1.log").arg(QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
}

QString logFilePath()
{
    return FakeInstallation::filePath(QStringLiteral("data/0/log/") + logFileName());
}

void debugFrom(QString const &text)
{
    debug(QStringLiteral("Global"), text, LevelAlways, FlagFileOnly);
}

} // namespace

class TestLogger : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void layout_data();
    void layout();
    void threadLevelIndents();
    void summaryOnlyAtHeadOfNewFile();
    void echo_data();
    void echo();
    void categoryFilter_data();
    void categoryFilter();
    void eachLevelReadsItsSwitch_data();
    void eachLevelReadsItsSwitch();
    void changedSwitchTakesEffectAtNextMessage();
    void directoryFailureAndRecovery();
    void openFailureAndRecovery();
    void writeFailureReportsEachLine();

    void traceSwitchMissingIsWrittenOff();
    void traceOffKeepsLast64();
    void traceOnWritesTwoLines();
    void tracerWithSourcePlace_data();
    void tracerWithSourcePlace();
    void measure();

    void emergencyLayout_data();
    void emergencyLayout();
    void emergencyDoesNotTakeLoggerLock();
};

void TestLogger::initTestCase()
{
    // The log file is named after the user, cleaned for a file name.
    qputenv("USER", "te:st");
    // The logger reads the permissions for new files and directories once per
    // process: done here, so no test finds them written into its settings.
    debugFrom(QStringLiteral("start"));
}

void TestLogger::init()
{
    FakeInstallation::reset();
    gFunctionsDebuging = -1;
    gStack.clear();
    LoggerData::initDebug(nullptr);
}

void TestLogger::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("one line") << "Global" << "A" << QStringList{globalLine(QStringLiteral("A"))};
    QTest::newRow("empty line inside") << "Global" << "A\n\nB"
                                       << QStringList{globalLine(QStringLiteral("A")), QString(),
                                                      continuationLine(QStringLiteral("B"))};
    QTest::newRow("three lines") << "Global" << "A\nB\nC"
                                 << QStringList{globalLine(QStringLiteral("A")), continuationLine(QStringLiteral("B")),
                                                continuationLine(QStringLiteral("C"))};
    QTest::newRow("empty text") << "Global" << "" << QStringList{QString()};
    QTest::newRow("leading line feed") << "Global" << "\nA" << QStringList{QString(), globalLine(QStringLiteral("A"))};
    QTest::newRow("trailing line feed") << "Global" << "A\n" << QStringList{globalLine(QStringLiteral("A")), QString()};
    QTest::newRow("line feeds only") << "Global" << "\n\n" << QStringList{QString(), QString(), QString()};
    QTest::newRow("name of 25") << "abcdefghijklmnopqrstuvwxy" << "A"
                                << QStringList{Time + QStringLiteral(" abcdefghijklmnopqrstuvwxy    A")};
    QTest::newRow("name of 26") << "abcdefghijklmnopqrstuvwxyz" << "A"
                                << QStringList{Time + QStringLiteral(" abcdefghijklmnopqrstuv...    A")};
    QTest::newRow("empty name") << "" << "A" << QStringList{Time + blanks(26 + 4) + QStringLiteral("A")};
    QTest::newRow("cyrillic") << "Логгер" << "Первая\nВторая"
                              << QStringList{Time + blanks(20) + QStringLiteral("Логгер    Первая"),
                                             continuationLine(QStringLiteral("Вторая"))};
}

void TestLogger::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QStringList, lines);

    debug(name, text, LevelAlways, FlagFileOnly);
    QCOMPARE(logged(), lines);
    QCOMPARE(FakeInstallation::logFiles(), QStringList{logFileName()});
}

void TestLogger::threadLevelIndents()
{
    debugFrom(QStringLiteral("A"));
    QThread *second = QThread::create([] { debugFrom(QStringLiteral("B\nC")); });
    second->start();
    QVERIFY(second->wait(10000));
    delete second;

    QCOMPARE(logged(), QStringList({globalLine(QStringLiteral("A")),
                                    globalLine(QStringLiteral("    B")), continuationLine(QStringLiteral("C"), 2)}));
}

void TestLogger::summaryOnlyAtHeadOfNewFile()
{
    debugFrom(QStringLiteral("A"));
    debugFrom(QStringLiteral("B"));
    const QStringList all = QString::fromUtf8(FakeInstallation::logContent()).split(QLatin1Char('\n'));
    QVERIFY(all.first().startsWith(QStringLiteral("Версия 3.0.25.0 release")));
    QCOMPARE(all.filter(QStringLiteral("Версия 3.0.25.0 release")).size(), 1);
    QCOMPARE(all.size(), FakeInstallation::summaryLineCount() + 3);
    QCOMPARE(logged(), QStringList({globalLine(QStringLiteral("A")), globalLine(QStringLiteral("B"))}));
    QCOMPARE(int(QFile::permissions(logFilePath())), 0x6666);
    QCOMPARE(int(QFile::permissions(FakeInstallation::logDirPath())), 0x7777);

    QVERIFY(QFile::remove(logFilePath()));
    debugFrom(QStringLiteral("C"));
    QVERIFY(FakeInstallation::logContent().startsWith("Версия 3.0.25.0 release"));
    QCOMPARE(logged(), QStringList{globalLine(QStringLiteral("C"))});
}

void TestLogger::echo_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("echoed");

    QTest::newRow("none") << "Global" << int(FlagNone) << true;
    QTest::newRow("file only") << "Global" << int(FlagFileOnly) << false;
    QTest::newRow("bit 1 only") << "Global" << 2 << true;
    QTest::newRow("bits 0 and 1") << "Global" << 3 << false;
    QTest::newRow("long name unchanged") << "AVeryLongSourceNameOfThirtyOne" << int(FlagNone) << true;
}

void TestLogger::echo()
{
    QFETCH(QString, name);
    QFETCH(int, flag);
    QFETCH(bool, echoed);

    MessageCollector collector;
    debug(name, QStringLiteral("текст"), LevelAlways, DebugFlag(flag));
    MessageCollector::Messages expected;
    if (echoed)
        expected.append({QtDebugMsg, QStringLiteral("\"%1\" \"текст\"").arg(name)});
    QCOMPARE(MessageCollector::messages, expected);
    QCOMPARE(logged().size(), 1);
}

void TestLogger::categoryFilter_data()
{
    QTest::addColumn<int>("traceSwitch");
    QTest::addColumn<int>("level");
    QTest::addColumn<QByteArray>("settingsBefore");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QByteArray>("settingsAfter");

    QTest::newRow("level 0") << -1 << 0 << QByteArray() << true << QByteArray();
    QTest::newRow("level 21") << -1 << 21 << QByteArray() << true << QByteArray();
    QTest::newRow("level -1") << -1 << -1 << QByteArray() << true << QByteArray();
    QTest::newRow("ipcData missing") << -1 << 1 << QByteArray() << false << QByteArray("[Debug]\nipcData=false\n");
    QTest::newRow("ipcData on") << -1 << 1 << QByteArray("[Debug]\nipcData=true\n") << true
                                << QByteArray("[Debug]\nipcData=true\n");
    QTest::newRow("journals missing") << -1 << 18 << QByteArray() << true << QByteArray("[Debug]\njournals=true\n");
    QTest::newRow("trace off") << 0 << 20 << QByteArray("[Debug]\nmessagesLock=false\n") << false
                               << QByteArray("[Debug]\nmessagesLock=false\n");
    QTest::newRow("trace on overrides") << 1 << 1 << QByteArray("[Debug]\nipcData=false\n") << true
                                        << QByteArray("[Debug]\nipcData=false\n");
    QTest::newRow("trace on reads nothing") << 1 << 20 << QByteArray() << true << QByteArray();
}

void TestLogger::categoryFilter()
{
    QFETCH(int, traceSwitch);
    QFETCH(int, level);
    QFETCH(QByteArray, settingsBefore);
    QFETCH(bool, written);
    QFETCH(QByteArray, settingsAfter);

    if (!settingsBefore.isNull())
        QVERIFY(FakeInstallation::writeFile(SettingsFile, settingsBefore));
    gFunctionsDebuging = traceSwitch;

    debug(QStringLiteral("Global"), QStringLiteral("A"), DebugLevel(level), FlagFileOnly);
    QCOMPARE(logged(), written ? QStringList{globalLine(QStringLiteral("A"))} : QStringList());
    QCOMPARE(FakeInstallation::readFile(SettingsFile), settingsAfter);
}

void TestLogger::eachLevelReadsItsSwitch_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QByteArray>("settingsAfter");

    const QList<QByteArray> switches = {
        "ipcData=false", "ipcExtra=false", "ipcSecurityDaemon=true", "ipcTransport=false",
        "transportAbonents=false", "transportTransit=true", "transportConnects=true",
        "transportDataLifetime=false", "transportBaseProtocol=false", "transportProtocol=true",
        "transportProtocolAttaches=false", "transportIpSocketError=true", "transportComPortError=true",
        "transportComAtCommands=true", "transportComPackets=false", "transportComData=false",
        "transportTasks=true", "journals=true", "messagesAutodelete=true", "messagesLock=false"};
    for (int level = 1; level <= switches.size(); ++level)
        QTest::addRow("%d", level) << level << "[Debug]\n" + switches[level - 1] + "\n";
}

void TestLogger::eachLevelReadsItsSwitch()
{
    QFETCH(int, level);
    QFETCH(QByteArray, settingsAfter);

    debug(QStringLiteral("Global"), QStringLiteral("A"), DebugLevel(level), FlagFileOnly);
    QCOMPARE(FakeInstallation::readFile(SettingsFile), settingsAfter);
    const bool written = settingsAfter.endsWith("true\n");
    QCOMPARE(logged(), written ? QStringList{globalLine(QStringLiteral("A"))} : QStringList());
}

void TestLogger::changedSwitchTakesEffectAtNextMessage()
{
    for (int step = 0; step < 3; ++step) {
        const bool on = step != 1;
        QVERIFY(FakeInstallation::writeFile(SettingsFile, on ? "[Debug]\nipcData=true\n" : "[Debug]\nipcData=false\n"));
        debug(QStringLiteral("Global"), QString::number(step), LevelIpcData, FlagFileOnly);
    }
    QCOMPARE(logged(), QStringList({globalLine(QStringLiteral("0")), globalLine(QStringLiteral("2"))}));
}

void TestLogger::directoryFailureAndRecovery()
{
    const QString logDir = FakeInstallation::logDirPath();
    QVERIFY(FakeInstallation::writeFile(QStringLiteral("data/0/log"), "in the way"));

    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Не удалось создать каталог для записи лога \"%1\"")
                                                      .arg(logDir)));
    debugFrom(QStringLiteral("lost"));
    QCOMPARE(FakeInstallation::readFile(QStringLiteral("data/0/log")), QByteArray("in the way"));

    QVERIFY(QFile::remove(logDir));
    debugFrom(QStringLiteral("kept"));
    QCOMPARE(logged(), QStringList{globalLine(QStringLiteral("kept"))});
}

void TestLogger::openFailureAndRecovery()
{
    QVERIFY(QDir().mkpath(logFilePath()));

    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Ошибка открытия файла для записи: \"%1\" \"%2\"")
                                                      .arg(logFilePath(), qt_error_string(EISDIR))));
    debugFrom(QStringLiteral("lost"));

    QVERIFY(QDir(logFilePath()).removeRecursively());
    debugFrom(QStringLiteral("kept"));
    QCOMPARE(logged(), QStringList{globalLine(QStringLiteral("kept"))});
}

void TestLogger::writeFailureReportsEachLine()
{
    QVERIFY(QDir().mkpath(FakeInstallation::logDirPath()));
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), logFilePath()));

    const QByteArray report = qPrintable(QStringLiteral("Не удалось записать данные в лог файл. Ошибка записи.  \"%1\"")
                                             .arg(qt_error_string(ENOSPC)));
    QTest::ignoreMessage(QtWarningMsg, report.constData());
    QTest::ignoreMessage(QtWarningMsg, report.constData());
    debugFrom(QStringLiteral("A\nB"));

    QVERIFY(QFile::remove(logFilePath()));
    debugFrom(QStringLiteral("C"));
    QCOMPARE(logged(), QStringList{globalLine(QStringLiteral("C"))});
}

void TestLogger::traceSwitchMissingIsWrittenOff()
{
    {
        _CFunctionDebug tracer("void f()");
    }
    QCOMPARE(gFunctionsDebuging, 0);
    QCOMPARE(FakeInstallation::readFile(SettingsFile), QByteArray("[Debug]\nall=false\n"));
    QCOMPARE(_CFunctionDebug::stack(), QStringList{QStringLiteral("void f()")});
    QCOMPARE(FakeInstallation::logFiles(), QStringList());
}

void TestLogger::traceOffKeepsLast64()
{
    gFunctionsDebuging = 0;
    QStringList expected;
    for (int i = 0; i < 70; ++i) {
        const QByteArray function = "void f" + QByteArray::number(i) + "()";
        _CFunctionDebug tracer(function.constData());
        if (i >= 6)
            expected << QString::fromLatin1(function);
    }
    QCOMPARE(_CFunctionDebug::stack(), expected);
    QCOMPARE(FakeInstallation::logFiles(), QStringList());
}

void TestLogger::traceOnWritesTwoLines()
{
    QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Debug]\nall=true\n"));
    {
        _CFunctionDebug tracer("int C::f() const");
    }
    QCOMPARE(gFunctionsDebuging, 1);
    const QString field = Time + blanks(11) + QStringLiteral("_CFunctionDebug    ");
    QCOMPARE(logged(), QStringList({field + QStringLiteral("int C::f() const {"), field + QStringLiteral("int C::f() const }")}));
    QCOMPARE(_CFunctionDebug::stack(), QStringList());
}

void TestLogger::tracerWithSourcePlace_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("entry");

    QTest::newRow("long") << QByteArray("../../common/x.cpp") << "common/x.cpp:12 void f()";
    QTest::newRow("seven") << QByteArray("1234567") << "7:12 void f()";
    QTest::newRow("six") << QByteArray("123456") << ":12 void f()";
    QTest::newRow("short") << QByteArray("x.cpp") << ":12 void f()";
    QTest::newRow("null") << QByteArray() << ":12 void f()";
}

void TestLogger::tracerWithSourcePlace()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, entry);

    gFunctionsDebuging = 0;
    {
        _CFunctionDebug tracer(file.isNull() ? nullptr : file.constData(), 12, "void f()");
    }
    QCOMPARE(_CFunctionDebug::stack(), QStringList{entry});

    gFunctionsDebuging = 1;
    {
        _CFunctionDebug tracer(file.isNull() ? nullptr : file.constData(), 12, "void f()");
    }
    const QString field = Time + blanks(11) + QStringLiteral("_CFunctionDebug    ");
    QCOMPARE(logged(), QStringList({field + entry + QStringLiteral(" {"), field + entry + QStringLiteral(" }")}));
}

void TestLogger::measure()
{
    {
        _CFunctionMeasure always("quick", true);
    }
    {
        _CFunctionMeasure slow("slow", false);
        QThread::msleep(20);
    }
    const QStringList lines = logged();
    QCOMPARE(lines.size(), 2);
    const QString field = QRegularExpression::escape(Time + blanks(9) + QStringLiteral("_CFunctionMeasure    "));
    QVERIFY2(QRegularExpression(QStringLiteral("^%1\\d+ ms - quick$").arg(field)).match(lines[0]).hasMatch(),
             qPrintable(lines[0]));
    QVERIFY2(QRegularExpression(QStringLiteral("^%1\\d+ ms - slow$").arg(field)).match(lines[1]).hasMatch(),
             qPrintable(lines[1]));
}

void TestLogger::emergencyLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    const QString first = Time + blanks(16) + QStringLiteral("forceDebug    ");
    QTest::newRow("two lines") << "A\nB" << QStringList{first + QStringLiteral("A"), QStringLiteral("    B")};
    QTest::newRow("empty text") << "" << QStringList{QString()};
    QTest::newRow("leading line feed") << "\nA" << QStringList{QString(), first + QStringLiteral("A")};
    QTest::newRow("empty line inside") << "A\n\nB"
                                       << QStringList{first + QStringLiteral("A"), QString(), QStringLiteral("    B")};
}

void TestLogger::emergencyLayout()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);

    MessageCollector collector;
    emergecyDebug(text);
    QCOMPARE(MessageCollector::messages.size(), 0);
    QStringList all = QString::fromUtf8(FakeInstallation::logContent()).split(QLatin1Char('\n'));
    QCOMPARE(all.takeLast(), QString());
    QCOMPARE(withoutTimes(all), lines);
    QCOMPARE(FakeInstallation::logFiles(), QStringList{logFileName()});
}

void TestLogger::emergencyDoesNotTakeLoggerLock()
{
    debugFrom(QStringLiteral("A"));
    QMutex &loggerLock = LoggerData::debugData()->mutex;
    loggerLock.lock();
    QThread *writer = QThread::create([] { emergecyDebug(QStringLiteral("B")); });
    writer->start();
    const bool finished = writer->wait(10000);
    loggerLock.unlock();
    writer->wait();
    delete writer;

    QVERIFY(finished);
    QCOMPARE(logged(), QStringList({globalLine(QStringLiteral("A")),
                                    Time + blanks(16) + QStringLiteral("forceDebug    B")}));
}

QTEST_GUILESS_MAIN(TestLogger)
#include "tst_logger.moc"
