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

// A first line of the main thread (level 1).
QString line(QString const &text, QString const &name = QStringLiteral("Global"))
{
    return Time + QStringLiteral(" %1    ").arg(name, 25) + text;
}

QString continuation(QString const &text)
{
    return QString(42, QLatin1Char(' ')) + text;
}

QString emergencyLine(QString const &text)
{
    return Time + QStringLiteral("                forceDebug    ") + text;
}

QStringList withoutTimes(QStringList lines)
{
    static const QRegularExpression stamp(QStringLiteral("^\\d\\d:[0-5]\\d:[0-5]\\d\\.\\d\\d\\d"));
    for (QString &each : lines)
        each.replace(stamp, Time);
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
    void initTestCase()
    {
        // The log file is named after the user, cleaned for a file name.
        qputenv("USER", "te:st");
        // The logger reads the permissions for new files and directories once per
        // process: done here, so no test finds them written into its settings.
        debugFrom(QStringLiteral("start"));
    }

    void init()
    {
        FakeInstallation::reset();
        gFunctionsDebuging = -1;
        gStack.clear();
        LoggerData::initDebug(nullptr);
    }

    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("echoed"); // the name unchanged, then the text

        const int fileOnly = FlagFileOnly;
        QTest::newRow("one line") << "Global" << "текст" << int(FlagNone) << QStringList{line("текст")} << true;
        QTest::newRow("flag bit 1 only") << "Global" << "A" << 2 << QStringList{line("A")} << true;
        QTest::newRow("flag bits 0 and 1") << "Global" << "A" << 3 << QStringList{line("A")} << false;
        QTest::newRow("empty line inside")
            << "Логгер" << "Первая\n\nВторая" << fileOnly
            << QStringList{line("Первая", "Логгер"), "", continuation("Вторая")} << false;
        QTest::newRow("empty text") << "Global" << "" << fileOnly << QStringList{""} << false;
        QTest::newRow("leading line feed") << "Global" << "\nA" << fileOnly << QStringList{"", line("A")} << false;
        QTest::newRow("trailing line feed") << "Global" << "A\n" << fileOnly << QStringList{line("A"), ""} << false;
        QTest::newRow("name of 25") << "abcdefghijklmnopqrstuvwxy" << "A" << fileOnly
                                    << QStringList{Time + " abcdefghijklmnopqrstuvwxy    A"} << false;
        QTest::newRow("name of 26") << "abcdefghijklmnopqrstuvwxyz" << "A" << int(FlagNone)
                                    << QStringList{Time + " abcdefghijklmnopqrstuv...    A"} << true;
        QTest::newRow("empty name") << "" << "A" << fileOnly << QStringList{Time + QString(30, QLatin1Char(' ')) + "A"}
                                    << false;
    }

    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, flag);
        QFETCH(QStringList, lines);
        QFETCH(bool, echoed);

        MessageCollector collector;
        debug(name, text, LevelAlways, DebugFlag(flag));
        MessageCollector::Messages echo;
        if (echoed)
            echo.append({QtDebugMsg, QStringLiteral("\"%1\" \"%2\"").arg(name, text)});
        QCOMPARE(MessageCollector::messages, echo);
        QCOMPARE(logged(), lines);
        QCOMPARE(FakeInstallation::logFiles(), QStringList{logFileName()});
    }

    void summaryOnlyAtHeadOfNewFile()
    {
        debugFrom(QStringLiteral("A"));
        debugFrom(QStringLiteral("B"));
        const QStringList all = QString::fromUtf8(FakeInstallation::logContent()).split(QLatin1Char('\n'));
        QVERIFY(all.first().startsWith(QStringLiteral("Версия 3.0.25.0 release")));
        QCOMPARE(all.filter(QStringLiteral("Версия 3.0.25.0 release")).size(), 1);
        QCOMPARE(all.size(), FakeInstallation::summaryLineCount() + 3);
        QCOMPARE(logged(), QStringList({line("A"), line("B")}));
        QCOMPARE(int(QFile::permissions(logFilePath())), 0x6666);
        QCOMPARE(int(QFile::permissions(FakeInstallation::logDirPath())), 0x7777);

        QVERIFY(QFile::remove(logFilePath()));
        debugFrom(QStringLiteral("C"));
        QVERIFY(FakeInstallation::logContent().startsWith("Версия 3.0.25.0 release"));
        QCOMPARE(logged(), QStringList{line("C")});
    }

    void categoryFilter_data()
    {
        QTest::addColumn<int>("traceSwitch");
        QTest::addColumn<int>("level");
        QTest::addColumn<QByteArray>("settingsBefore");
        QTest::addColumn<QByteArray>("settingsAfter");
        QTest::addColumn<bool>("written");

        // A missing switch is written with its default, which decides.
        const QList<QByteArray> switches = {
            "ipcData=false", "ipcExtra=false", "ipcSecurityDaemon=true", "ipcTransport=false",
            "transportAbonents=false", "transportTransit=true", "transportConnects=true",
            "transportDataLifetime=false", "transportBaseProtocol=false", "transportProtocol=true",
            "transportProtocolAttaches=false", "transportIpSocketError=true", "transportComPortError=true",
            "transportComAtCommands=true", "transportComPackets=false", "transportComData=false",
            "transportTasks=true", "journals=true", "messagesAutodelete=true", "messagesLock=false"};
        for (int level = 1; level <= switches.size(); ++level) {
            const QByteArray after = "[Debug]\n" + switches[level - 1] + "\n";
            QTest::addRow("level %d missing", level)
                << -1 << level << QByteArray() << after << after.endsWith("true\n");
        }
        const QByteArray on("[Debug]\nipcData=true\n");
        const QByteArray off("[Debug]\nipcData=false\n");
        QTest::newRow("level 0") << -1 << 0 << QByteArray() << QByteArray() << true;
        QTest::newRow("level 21") << -1 << 21 << QByteArray() << QByteArray() << true;
        QTest::newRow("level -1") << -1 << -1 << QByteArray() << QByteArray() << true;
        QTest::newRow("stored on") << -1 << 1 << on << on << true;
        QTest::newRow("trace off") << 0 << 1 << off << off << false;
        QTest::newRow("trace on overrides") << 1 << 1 << off << off << true;
        QTest::newRow("trace on reads nothing") << 1 << 20 << QByteArray() << QByteArray() << true;
    }

    void categoryFilter()
    {
        QFETCH(int, traceSwitch);
        QFETCH(int, level);
        QFETCH(QByteArray, settingsBefore);
        QFETCH(QByteArray, settingsAfter);
        QFETCH(bool, written);

        if (!settingsBefore.isNull())
            QVERIFY(FakeInstallation::writeFile(SettingsFile, settingsBefore));
        gFunctionsDebuging = traceSwitch;
        debug(QStringLiteral("Global"), QStringLiteral("A"), DebugLevel(level), FlagFileOnly);
        QCOMPARE(logged(), written ? QStringList{line("A")} : QStringList());
        QCOMPARE(FakeInstallation::readFile(SettingsFile), settingsAfter);
    }

    void changedSwitchTakesEffectAtNextMessage()
    {
        for (int step = 0; step < 3; ++step) {
            const QByteArray content = step == 1 ? "[Debug]\nipcData=false\n" : "[Debug]\nipcData=true\n";
            QVERIFY(FakeInstallation::writeFile(SettingsFile, content));
            debug(QStringLiteral("Global"), QString::number(step), LevelIpcData, FlagFileOnly);
        }
        QCOMPARE(logged(), QStringList({line("0"), line("2")}));
    }

    void failureAndRecovery_data()
    {
        QTest::addColumn<QString>("obstacle"); // in place of the log directory (a file) or of the log file
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("warnings"); // one per line when writing fails

        QTest::newRow("file at the directory") << "file"
                                               << QStringLiteral("Не удалось создать каталог для записи лога \"%1\"")
                                                      .arg(FakeInstallation::logDirPath())
                                               << 1;
        QTest::newRow("directory at the file") << "directory"
                                               << QStringLiteral("Ошибка открытия файла для записи: \"%1\" \"%2\"")
                                                      .arg(logFilePath(), qt_error_string(EISDIR))
                                               << 1;
        QTest::newRow("full device") << "/dev/full"
                                     << QStringLiteral("Не удалось записать данные в лог файл. Ошибка записи.  \"%1\"")
                                            .arg(qt_error_string(ENOSPC))
                                     << 2;
    }

    // The message is lost with a warning; the next one computes the paths again and is written.
    void failureAndRecovery()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, warning);
        QFETCH(int, warnings);

        const QString path = obstacle == QLatin1String("file") ? FakeInstallation::logDirPath() : logFilePath();
        if (obstacle == QLatin1String("file"))
            QVERIFY(FakeInstallation::writeFile(QStringLiteral("data/0/log"), "in the way"));
        else if (obstacle == QLatin1String("directory"))
            QVERIFY(QDir().mkpath(path));
        else
            QVERIFY(QDir().mkpath(FakeInstallation::logDirPath()) && QFile::link(obstacle, path));

        for (int i = 0; i < warnings; ++i)
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        debugFrom(QStringLiteral("lost\nlost"));
        QVERIFY(QFile::remove(path) || QDir(path).removeRecursively());
        debugFrom(QStringLiteral("kept"));
        QCOMPARE(logged(), QStringList{line("kept")});
    }

    void traceSwitch_data()
    {
        QTest::addColumn<QByteArray>("settingsBefore");
        QTest::addColumn<int>("traceSwitch");
        QTest::addColumn<QByteArray>("settingsAfter");
        QTest::addColumn<QStringList>("stack");
        QTest::addColumn<QStringList>("lines");

        const QString traced = Time + QStringLiteral("           _CFunctionDebug    int C::f() const");
        QTest::newRow("missing: written off") << QByteArray() << 0 << QByteArray("[Debug]\nall=false\n")
                                              << QStringList{"int C::f() const"} << QStringList();
        QTest::newRow("on") << QByteArray("[Debug]\nall=true\n") << 1 << QByteArray("[Debug]\nall=true\n")
                            << QStringList() << QStringList{traced + " {", traced + " }"};
    }

    void traceSwitch()
    {
        QFETCH(QByteArray, settingsBefore);
        QFETCH(int, traceSwitch);
        QFETCH(QByteArray, settingsAfter);
        QFETCH(QStringList, stack);
        QFETCH(QStringList, lines);

        if (!settingsBefore.isNull())
            QVERIFY(FakeInstallation::writeFile(SettingsFile, settingsBefore));
        {
            _CFunctionDebug tracer("int C::f() const");
        }
        QCOMPARE(gFunctionsDebuging, traceSwitch);
        QCOMPARE(FakeInstallation::readFile(SettingsFile), settingsAfter);
        QCOMPARE(_CFunctionDebug::stack(), stack);
        QCOMPARE(logged(), lines);
    }

    void traceOffKeepsLast64()
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

    void tracerWithSourcePlace_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("entry");

        QTest::newRow("long") << QByteArray("../../common/x.cpp") << "common/x.cpp:12 void f()";
        QTest::newRow("seven") << QByteArray("1234567") << "7:12 void f()";
        QTest::newRow("six") << QByteArray("123456") << ":12 void f()";
        QTest::newRow("short") << QByteArray("x.cpp") << ":12 void f()";
        QTest::newRow("null") << QByteArray() << ":12 void f()";
    }

    void tracerWithSourcePlace()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, entry);

        for (int on = 0; on <= 1; ++on) {
            gFunctionsDebuging = on;
            _CFunctionDebug tracer(file.isNull() ? nullptr : file.constData(), 12, "void f()");
        }
        QCOMPARE(_CFunctionDebug::stack(), QStringList{entry});
        const QString traced = Time + QStringLiteral("           _CFunctionDebug    ") + entry;
        QCOMPARE(logged(), QStringList({traced + QStringLiteral(" {"), traced + QStringLiteral(" }")}));
    }

    void measure()
    {
        {
            _CFunctionMeasure always("quick", true);
        }
        {
            _CFunctionMeasure slow("slow", false);
            QThread::msleep(20);
        }
        const QString field = QRegularExpression::escape(Time + QStringLiteral("         _CFunctionMeasure    "));
        const QRegularExpression lines(QStringLiteral("^%1\\d+ ms - quick\n%1\\d+ ms - slow$").arg(field));
        const QString log = logged().join(QLatin1Char('\n'));
        QVERIFY2(lines.match(log).hasMatch(), qPrintable(log));
    }

    void emergencyLayout_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("empty text") << "" << QStringList{""};
        QTest::newRow("leading line feed") << "\nA" << QStringList{"", emergencyLine("A")};
        QTest::newRow("empty line inside") << "A\n\nB" << QStringList{emergencyLine("A"), "", "    B"};
    }

    // No summary, no echo: the file holds the message alone.
    void emergencyLayout()
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

    void emergencyDoesNotTakeLoggerLock()
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
        QCOMPARE(logged(), QStringList({line("A"), emergencyLine("B")}));
    }
};

QTEST_GUILESS_MAIN(TestLogger)
#include "tst_logger.moc"
