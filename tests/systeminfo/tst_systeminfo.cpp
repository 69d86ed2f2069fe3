#include "common/csysteminfo.h"
#include "common/csysteminfo_p.h"
#include "tests/support/messagecollector.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Environment = QHash<QString, QString>;

QString writeScratchFile(QTemporaryDir const &dir, QByteArray const &content)
{
    const QString path = dir.filePath(QStringLiteral("input"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

} // namespace

class TestSystemInfo : public QObject
{
    Q_OBJECT

private slots:
    void summaryLayout();
    void environment_data();
    void environment();
    void uptime_data();
    void uptime();
    void userGroups_data();
    void userGroups();
    void userGroupsWithoutGroupFile();
    void processor_data();
    void processor();
    void processorWithoutCpuInfo();
};

void TestSystemInfo::summaryLayout()
{
    const QStringList lines = CSystemInfo::summaryInfo().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 14);
    QCOMPARE(lines.mid(12), QStringList({QString(), QString()}));

    const QRegularExpression version(
        QStringLiteral("^Версия 3\\.0\\.25\\.0 release linux edition        Builded at "
                       "[A-Z][a-z]{2} [ \\d]\\d \\d{4} \\d\\d:\\d\\d:\\d\\d with Qt %1$")
            .arg(QRegularExpression::escape(QLatin1String(QT_VERSION_STR))));
    QVERIFY2(version.match(lines[0]).hasMatch(), qPrintable(lines[0]));

    const QStringList labels = {QStringLiteral("Каталог:              /"),
                                QStringLiteral("Версия ОС:            "),
                                QStringLiteral("Окружение:            "),
                                QStringLiteral("Пользователь:         "),
                                QStringLiteral("Группы:               "),
                                QStringLiteral("Порядок байт:         "),
                                QStringLiteral("Процессор:            "),
                                QStringLiteral("ОЗУ:                  свободно "),
                                QStringLiteral("Жесткий диск:         доступно "),
                                QStringLiteral("Аптайм:               "),
                                QStringLiteral("Часовой пояс:         ")};
    for (int i = 0; i < labels.size(); ++i) {
        const QString &line = lines[i + 1];
        const bool emptyProcessor = labels[i].startsWith(QStringLiteral("Процессор")) && line.isEmpty();
        QVERIFY2(line.startsWith(labels[i]) || emptyProcessor, qPrintable(line));
    }
    QVERIFY(lines[10].endsWith(QStringLiteral(" с.")));
}

void TestSystemInfo::environment_data()
{
    QTest::addColumn<Environment>("variables");
    QTest::addColumn<QString>("line");

    QTest::newRow("none set") << Environment() << "Окружение:            ";
    QTest::newRow("only PATH") << Environment{{QStringLiteral("PATH"), QStringLiteral("/bin:/usr/bin")}}
                               << "Окружение:            PATH - /bin:/usr/bin";
    QTest::newRow("blanks simplified") << Environment{{QStringLiteral("HOME"), QStringLiteral("  /home/a   b \t")}}
                                       << "Окружение:            HOME - /home/a b";
    QTest::newRow("blank value skipped") << Environment{{QStringLiteral("HOME"), QStringLiteral("   ")},
                                                        {QStringLiteral("WINDIR"), QStringLiteral("C:\\w")}}
                                         << "Окружение:            WINDIR - C:\\w";
    QTest::newRow("all five in order") << Environment{{QStringLiteral("PATH"), QStringLiteral("p")},
                                                      {QStringLiteral("WINDIR"), QStringLiteral("w")},
                                                      {QStringLiteral("SystemDrive"), QStringLiteral("d")},
                                                      {QStringLiteral("SESSIONNAME"), QStringLiteral("s")},
                                                      {QStringLiteral("HOME"), QStringLiteral("h")},
                                                      {QStringLiteral("USER"), QStringLiteral("not listed")}}
                                       << "Окружение:            HOME - h, SESSIONNAME - s, SystemDrive - d, "
                                          "WINDIR - w, PATH - p";
}

void TestSystemInfo::environment()
{
    QFETCH(Environment, variables);
    QFETCH(QString, line);
    QCOMPARE(SystemInfo::envInfo([&variables](const char *name) { return variables.value(QLatin1String(name)); }),
             line);
}

void TestSystemInfo::uptime_data()
{
    QTest::addColumn<long>("seconds");
    QTest::addColumn<QString>("line");

    QTest::newRow("zero") << 0L << "Аптайм:               0 с.";
    QTest::newRow("59 s") << 59L << "Аптайм:               59 с.";
    QTest::newRow("one minute") << 60L << "Аптайм:               1 м. 0 с.";
    QTest::newRow("1 h 5 s") << 3605L << "Аптайм:               1 ч. 5 с.";
    QTest::newRow("one day") << 86400L << "Аптайм:               1 д. 0 с.";
    QTest::newRow("all parts") << 90061L << "Аптайм:               1 д. 1 ч. 1 м. 1 с.";
    QTest::newRow("40 days") << 40L * 86400 + 59 * 60 << "Аптайм:               40 д. 59 м. 0 с.";
}

void TestSystemInfo::uptime()
{
    QFETCH(long, seconds);
    QFETCH(QString, line);
    QCOMPARE(SystemInfo::uptimeInfo(seconds), line);
}

void TestSystemInfo::userGroups_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QByteArray>("groupFile");
    QTest::addColumn<QString>("groups");

    const QByteArray groupFile = "ann:x:1000:\n"
                                 "staff:x:50:joanna,bob\n"
                                 "wheel:x:10:bob\n"
                                 "группа:x:20:ann\n";
    QTest::newRow("own group and substring") << "ann" << groupFile << "ann staff группа ";
    QTest::newRow("member only") << "bob" << groupFile << "staff wheel ";
    QTest::newRow("case sensitive") << "Ann" << groupFile << "";
    QTest::newRow("empty file") << "ann" << QByteArray() << "";
}

void TestSystemInfo::userGroups()
{
    QFETCH(QString, user);
    QFETCH(QByteArray, groupFile);
    QFETCH(QString, groups);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString path = writeScratchFile(scratch, groupFile);
    QVERIFY(!path.isEmpty());
    QCOMPARE(SystemInfo::userGroupsInfo(user, path),
             QStringLiteral("Пользователь:         %1@%2\nГруппы:               %3")
                 .arg(user, QSysInfo::machineHostName(), groups));
}

void TestSystemInfo::userGroupsWithoutGroupFile()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString missing = scratch.filePath(QStringLiteral("group"));

    MessageCollector collector;
    QCOMPARE(SystemInfo::userGroupsInfo(QStringLiteral("ann"), missing), QString());
    const MessageCollector::Messages expected = {
        {QtDebugMsg, QStringLiteral("SystemInfo: Файл не существует: ") + missing}};
    QCOMPARE(MessageCollector::messages, expected);
}

void TestSystemInfo::processor_data()
{
    QTest::addColumn<QByteArray>("cpuInfo");
    QTest::addColumn<QString>("model");

    QTest::newRow("first model") << QByteArray("processor\t: 0\nmodel name\t: Elbrus 8C: rev 2\nflags\t: x\n"
                                               "processor\t: 1\nmodel name\t: Other\n")
                                 << "Elbrus 8C: rev 2";
    QTest::newRow("last line without feed") << QByteArray("model name\t: Baikal") << "Baikal";
    QTest::newRow("no model name") << QByteArray("processor\t: 0\nModel Name\t: x\n") << "";
}

void TestSystemInfo::processor()
{
    QFETCH(QByteArray, cpuInfo);
    QFETCH(QString, model);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString path = writeScratchFile(scratch, cpuInfo);
    QVERIFY(!path.isEmpty());
    const QString expected = model.isEmpty()
                                 ? QString()
                                 : QStringLiteral("Процессор:            %1, %2")
                                       .arg(QSysInfo::currentCpuArchitecture(), model);
    QCOMPARE(SystemInfo::CPUInfo(path), expected);
}

void TestSystemInfo::processorWithoutCpuInfo()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString missing = scratch.filePath(QStringLiteral("cpuinfo"));

    MessageCollector collector;
    QCOMPARE(SystemInfo::CPUInfo(missing), QString());
    const MessageCollector::Messages expected = {{QtDebugMsg, QStringLiteral("Файл не существует: ") + missing}};
    QCOMPARE(MessageCollector::messages, expected);
}

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "tst_systeminfo.moc"
