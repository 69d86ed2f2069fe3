#include "common/csettings.h"
#include "common/settingspointer.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/settingsanswers.h"
#include "tests/support/unprivileged.h"

#include <QHash>
#include <QThread>
#include <QtTest>

#include <functional>

namespace {

const QString SettingsFile = QStringLiteral("settings/settings.ini");
// The keys whose stored values are tried, each with its accessor.
const QHash<QString, std::function<int(CSettings &)>> AccessorOf = {
    {"Debug/transportTasks", [](CSettings &settings) { return int(settings.debugTransportTasks()); }},
    {"Permissions/filePermissions", [](CSettings &settings) { return int(settings.filePermissions()); }},
    {"Permissions/dirPermissions", [](CSettings &settings) { return int(settings.dirPermissions()); }},
    {"Details/maxWritingTime", [](CSettings &settings) { return settings.detailsMaxWritingTime(); }}};

QByteArray settingsFileContent()
{
    return FakeInstallation::readFile(SettingsFile);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { FakeInstallation::reset(); }

    void cleanup()
    {
        QFile::setPermissions(FakeInstallation::filePath(QStringLiteral("data/0")), QFileDevice::Permissions(0x7777));
        FakeInstallation::reset();
    }

    // Values read and written reach the file only when the handle goes.
    void freshInstallation()
    {
        {
            CSettings settings;
            QVERIFY(settings.debugJournals());
            settings.write(QStringLiteral("Debug/ipcData"), true);
            QVERIFY(!QFile::exists(FakeInstallation::filePath(SettingsFile)));
        }
        QCOMPARE(settingsFileContent(), QByteArray("[Debug]\nipcData=true\njournals=true\n"));
        QCOMPARE(int(QFile::permissions(FakeInstallation::filePath(SettingsFile))), 0x6666);
        QCOMPARE(int(QFile::permissions(FakeInstallation::filePath(QStringLiteral("settings")))), 0x7777);
        QVERIFY(CSettings().debugIpcData());
    }

    void missingKeysWriteDefaults()
    {
        QCOMPARE(settingsAnswers(), defaultSettingsAnswers());
        QCOMPARE(settingsFileContent(),
                 QByteArray("[Debug]\nall=false\nipcData=false\nipcExtra=false\nipcSecurityDaemon=true\n"
                            "ipcTransport=false\njournals=true\nmessagesAutodelete=true\nmessagesLock=false\n"
                            "transportAbonents=false\ntransportBaseProtocol=false\ntransportComAtCommands=true\n"
                            "transportComData=false\ntransportComPackets=false\ntransportComPortError=true\n"
                            "transportConnects=true\ntransportDataLifetime=false\ntransportIpSocketError=true\n"
                            "transportProtocol=true\ntransportProtocolAttaches=false\ntransportTasks=true\n"
                            "transportTransit=true\n\n[Details]\nmaxWritingTime=5000\n\n"
                            "[Permissions]\ndirPermissions=30583\nfilePermissions=26214\n"));
    }

    void storedValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("answer");

        QTest::newRow("switch false") << "Debug/transportTasks" << QByteArray("false") << 0;
        QTest::newRow("switch true") << "Debug/transportTasks" << QByteArray("true") << 1;
        QTest::newRow("switch zero") << "Debug/transportTasks" << QByteArray("0") << 0;
        QTest::newRow("switch one") << "Debug/transportTasks" << QByteArray("1") << 1;
        QTest::newRow("switch list") << "Debug/transportTasks" << QByteArray("yes, no") << 0;
        QTest::newRow("file 0644") << "Permissions/filePermissions" << QByteArray("420") << 26214;
        QTest::newRow("file lowest") << "Permissions/filePermissions" << QByteArray("24576") << 24576;
        QTest::newRow("file 24575") << "Permissions/filePermissions" << QByteArray("24575") << 26214;
        QTest::newRow("file 26215") << "Permissions/filePermissions" << QByteArray("26215") << 26214;
        QTest::newRow("dir lowest") << "Permissions/dirPermissions" << QByteArray("28945") << 28945;
        QTest::newRow("dir 28944") << "Permissions/dirPermissions" << QByteArray("28944") << 30583;
        QTest::newRow("dir 30584") << "Permissions/dirPermissions" << QByteArray("30584") << 30583;
        QTest::newRow("time 99") << "Details/maxWritingTime" << QByteArray("99") << 5000;
        QTest::newRow("time 100") << "Details/maxWritingTime" << QByteArray("100") << 100;
        QTest::newRow("time 10000") << "Details/maxWritingTime" << QByteArray("10000") << 10000;
        QTest::newRow("time 10001") << "Details/maxWritingTime" << QByteArray("10001") << 5000;
        QTest::newRow("time not a number") << "Details/maxWritingTime" << QByteArray("soon") << 5000;
        QTest::newRow("time empty") << "Details/maxWritingTime" << QByteArray("") << 5000;
    }

    // A switch is never written back; a number out of range is replaced by its default.
    void storedValues()
    {
        QFETCH(QString, key);
        QFETCH(QByteArray, stored);
        QFETCH(int, answer);

        const QByteArray groupAndName = "[" + key.toLatin1().replace('/', "]\n") + "=";
        QVERIFY(FakeInstallation::writeFile(SettingsFile, groupAndName + stored + "\n"));
        {
            CSettings settings;
            QCOMPARE(AccessorOf.value(key)(settings), answer);
        }
        const QByteArray kept = key.startsWith(QLatin1String("Debug/")) ? stored : QByteArray::number(answer);
        QCOMPARE(settingsFileContent(), groupAndName + kept + "\n");
    }

    // The file is read again only when its time changed.
    void changeByAnotherProcess()
    {
        const QDateTime modified = FakeInstallation::freshModificationTime();
        QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=300\n", modified));
        QCOMPARE(CSettings().detailsMaxWritingTime(), 300);
        QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=700\n", modified));
        QCOMPARE(CSettings().detailsMaxWritingTime(), 300);
        QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=700\n"));
        QCOMPARE(CSettings().detailsMaxWritingTime(), 700);
    }

    void notWritableStoreAnswersDefaults()
    {
        RUN_AS_UNPRIVILEGED_USER();
        const QString level0 = FakeInstallation::filePath(QStringLiteral("data/0"));
        QVERIFY(QDir().mkpath(level0));
        QVERIFY(QFile::setPermissions(level0, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

        for (int handle = 0; handle < 2; ++handle) {
            CSettings settings;
            settings.write(QStringLiteral("Debug/journals"), false);
            QCOMPARE(settingsAnswers(), defaultSettingsAnswers());
        }
        QVERIFY(!QFile::exists(FakeInstallation::filePath(QStringLiteral("settings"))));
    }

    void handlesOnSeveralThreads()
    {
        QList<QThread *> threads;
        for (int t = 0; t < 4; ++t) {
            threads << QThread::create([] {
                for (int i = 0; i < 200; ++i) {
                    CSettings settings;
                    settings.debugIpcData();
                    settings.detailsMaxWritingTime();
                }
            });
            threads.last()->start();
        }
        for (QThread *thread : qAsConst(threads)) {
            QVERIFY(thread->wait(60000));
            delete thread;
        }
        QCOMPARE(settingsFileContent(), QByteArray("[Debug]\nipcData=false\n\n[Details]\nmaxWritingTime=5000\n"));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
