#include "common/csysteminfo.h"
#include "common/csysteminfo_p.h"
#include "tests/support/messagecollector.h"

#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestSystemInfo : public QObject
{
    Q_OBJECT

private slots:
    // Eleven lines, the processor line possibly empty, then an empty line.
    void summaryLayout()
    {
        const QRegularExpression layout(QRegularExpression::anchoredPattern(
            QStringLiteral("Версия 3\\.0\\.25\\.0 release linux edition        Builded at "
                           "[A-Z][a-z]{2} [ \\d]\\d \\d{4} \\d\\d:\\d\\d:\\d\\d with Qt %1\n"
                           "Каталог:              /.*\nВерсия ОС:            .*\nОкружение:            .*\n"
                           "Пользователь:         .*\nГруппы:               .*\nПорядок байт:         .*\n"
                           "(Процессор:            .*)?\nОЗУ:                  свободно .*\n"
                           "Жесткий диск:         доступно .*\nАптайм:               .* с\\.\n"
                           "Часовой пояс:         .*\n\n")
                .arg(QRegularExpression::escape(QLatin1String(QT_VERSION_STR)))));
        const QString summary = CSystemInfo::summaryInfo();
        QVERIFY2(layout.match(summary).hasMatch(), qPrintable(summary));
    }

    void environment_data()
    {
        QTest::addColumn<QStringList>("variables"); // NAME=value
        QTest::addColumn<QString>("line");

        QTest::newRow("none set") << QStringList() << "Окружение:            ";
        QTest::newRow("only PATH") << QStringList{"PATH=/bin:/usr/bin"}
                                   << "Окружение:            PATH - /bin:/usr/bin";
        QTest::newRow("blanks simplified") << QStringList{"HOME=  /home/a   b \t"}
                                           << "Окружение:            HOME - /home/a b";
        QTest::newRow("blank value skipped") << QStringList{"HOME=   ", "WINDIR=C:\\w"}
                                             << "Окружение:            WINDIR - C:\\w";
        QTest::newRow("all five in order") << QStringList{"PATH=p", "WINDIR=w", "SystemDrive=d", "SESSIONNAME=s",
                                                          "HOME=h", "USER=not listed"}
                                           << "Окружение:            HOME - h, SESSIONNAME - s, SystemDrive - d, "
                                              "WINDIR - w, PATH - p";
    }

    void environment()
    {
        QFETCH(QStringList, variables);
        QFETCH(QString, line);
        QCOMPARE(SystemInfo::envInfo([&variables](const char *name) {
                     for (QString const &variable : qAsConst(variables)) {
                         if (variable.section(QLatin1Char('='), 0, 0) == QLatin1String(name))
                             return variable.section(QLatin1Char('='), 1);
                     }
                     return QString();
                 }),
                 line);
    }

    void uptime_data()
    {
        QTest::addColumn<long>("seconds");
        QTest::addColumn<QString>("line");

        QTest::newRow("59 s") << 59L << "Аптайм:               59 с.";
        QTest::newRow("one minute") << 60L << "Аптайм:               1 м. 0 с.";
        QTest::newRow("1 h 5 s") << 3605L << "Аптайм:               1 ч. 5 с.";
        QTest::newRow("one day") << 86400L << "Аптайм:               1 д. 0 с.";
        QTest::newRow("all parts") << 90061L << "Аптайм:               1 д. 1 ч. 1 м. 1 с.";
        QTest::newRow("40 days") << 40L * 86400 + 59 * 60 << "Аптайм:               40 д. 59 м. 0 с.";
    }

    void uptime()
    {
        QFETCH(long, seconds);
        QFETCH(QString, line);
        QCOMPARE(SystemInfo::uptimeInfo(seconds), line);
    }

    void userGroups_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QByteArray>("groupFile"); // null: missing
        QTest::addColumn<QString>("groups");       // null: no line at all

        const QByteArray groupFile = "ann:x:1000:\nstaff:x:50:joanna,bob\nwheel:x:10:bob\nгруппа:x:20:ann\n";
        QTest::newRow("own group and substring") << "ann" << groupFile << "ann staff группа ";
        QTest::newRow("member only") << "bob" << groupFile << "staff wheel ";
        QTest::newRow("case sensitive") << "Ann" << groupFile << "";
        QTest::newRow("empty file") << "ann" << QByteArray("") << "";
        QTest::newRow("missing file") << "ann" << QByteArray() << QString();
    }

    void userGroups()
    {
        QFETCH(QString, user);
        QFETCH(QByteArray, groupFile);
        QFETCH(QString, groups);

        const QString path = scratchFile(groupFile);
        QVERIFY(!path.isEmpty());
        MessageCollector collector;
        QCOMPARE(SystemInfo::userGroupsInfo(user, path),
                 groups.isNull() ? QString()
                                 : QStringLiteral("Пользователь:         %1@%2\nГруппы:               %3")
                                       .arg(user, QSysInfo::machineHostName(), groups));
        MessageCollector::Messages expected;
        if (groupFile.isNull())
            expected.append({QtDebugMsg, QStringLiteral("SystemInfo: Файл не существует: ") + path});
        QCOMPARE(MessageCollector::messages, expected);
    }

    void processor_data()
    {
        QTest::addColumn<QByteArray>("cpuInfo"); // null: missing
        QTest::addColumn<QString>("model");      // empty: no line at all

        QTest::newRow("first model") << QByteArray("processor\t: 0\nmodel name\t: Elbrus 8C: rev 2\nflags\t: x\n"
                                                   "processor\t: 1\nmodel name\t: Other\n")
                                     << "Elbrus 8C: rev 2";
        QTest::newRow("last line without feed") << QByteArray("model name\t: Baikal") << "Baikal";
        QTest::newRow("no model name") << QByteArray("processor\t: 0\nModel Name\t: x\n") << "";
        QTest::newRow("missing file") << QByteArray() << "";
    }

    void processor()
    {
        QFETCH(QByteArray, cpuInfo);
        QFETCH(QString, model);

        const QString path = scratchFile(cpuInfo);
        QVERIFY(!path.isEmpty());
        MessageCollector collector;
        QCOMPARE(SystemInfo::CPUInfo(path), model.isEmpty() ? QString()
                                                            : QStringLiteral("Процессор:            %1, %2")
                                                                  .arg(QSysInfo::currentCpuArchitecture(), model));
        MessageCollector::Messages expected;
        if (cpuInfo.isNull())
            expected.append({QtDebugMsg, QStringLiteral("Файл не существует: ") + path});
        QCOMPARE(MessageCollector::messages, expected);
    }

private:
    QTemporaryDir scratch;
    // A file of the row's own, holding `content`; a null content leaves it missing.
    QString scratchFile(QByteArray const &content)
    {
        QFile file(scratch.filePath(QString::fromLatin1(QTest::currentDataTag())));
        if (!content.isNull() && (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()))
            return QString();
        return file.fileName();
    }
};

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "tst_systeminfo.moc"
