#include "common/csettings.h"
#include "common/settingspointer.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/unprivileged.h"

#include <QDateTime>
#include <QFile>
#include <QThread>
#include <QtTest>

#include <functional>

namespace {

using Accessor = std::function<QVariant(CSettings &)>;

struct KeyEntry {
    const char *key;
    QVariant defaultValue;
    Accessor read;
};

QVariant toVariant(bool value)
{
    return value;
}

QVariant toVariant(int value)
{
    return value;
}

QVariant toVariant(QFileDevice::Permissions value)
{
    return int(value);
}

template <typename Result>
KeyEntry keyEntry(const char *key, QVariant const &defaultValue, Result (CSettings::*read)())
{
    return {key, defaultValue, [read](CSettings &settings) { return toVariant((settings.*read)()); }};
}

// Every key of the store with its default, read through its own accessor.
const QList<KeyEntry> &keyTable()
{
    static const QList<KeyEntry> table = {
        keyEntry("Debug/all", false, &CSettings::debugAll),
        keyEntry("Debug/ipcData", false, &CSettings::debugIpcData),
        keyEntry("Debug/ipcExtra", false, &CSettings::debugIpcExtra),
        keyEntry("Debug/ipcSecurityDaemon", true, &CSettings::debugIpcSecurityDaemon),
        keyEntry("Debug/ipcTransport", false, &CSettings::debugIpcTransport),
        keyEntry("Debug/transportAbonents", false, &CSettings::debugTransportAbonents),
        keyEntry("Debug/transportTransit", true, &CSettings::debugTransportTransit),
        keyEntry("Debug/transportConnects", true, &CSettings::debugTransportConnects),
        keyEntry("Debug/transportDataLifetime", false, &CSettings::debugTransportDataLifetime),
        keyEntry("Debug/transportBaseProtocol", false, &CSettings::debugTransportBaseProtocol),
        keyEntry("Debug/transportProtocol", true, &CSettings::debugTransportProtocol),
        keyEntry("Debug/transportProtocolAttaches", false, &CSettings::debugTransportProtocolAttaches),
        keyEntry("Debug/transportIpSocketError", true, &CSettings::debugTransportIpSocketError),
        keyEntry("Debug/transportComPortError", true, &CSettings::debugTransportComPortError),
        keyEntry("Debug/transportComAtCommands", true, &CSettings::debugTransportComAtCommands),
        keyEntry("Debug/transportComPackets", false, &CSettings::debugTransportComPackets),
        keyEntry("Debug/transportComData", false, &CSettings::debugTransportComData),
        keyEntry("Debug/transportTasks", true, &CSettings::debugTransportTasks),
        keyEntry("Debug/journals", true, &CSettings::debugJournals),
        keyEntry("Debug/messagesAutodelete", true, &CSettings::debugMessagesAutodelete),
        keyEntry("Debug/messagesLock", false, &CSettings::debugMessagesLock),
        keyEntry("Permissions/filePermissions", 0x6666, &CSettings::filePermissions),
        keyEntry("Permissions/dirPermissions", 0x7777, &CSettings::dirPermissions),
        keyEntry("Details/maxWritingTime", 5000, &CSettings::detailsMaxWritingTime),
    };
    return table;
}

const KeyEntry &entryOf(QString const &key)
{
    for (const KeyEntry &entry : keyTable()) {
        if (QLatin1String(entry.key) == key)
            return entry;
    }
    qFatal("no such key");
}

const QString SettingsFile = QStringLiteral("settings/settings.ini");

QByteArray settingsFileContent()
{
    return FakeInstallation::readFile(SettingsFile);
}

// The value stored for a key, as the INI file holds it.
QString storedValue(QString const &key)
{
    const QString group = key.section(QLatin1Char('/'), 0, 0);
    const QString name = key.section(QLatin1Char('/'), 1);
    QString currentGroup;
    for (const QString &line : QString::fromUtf8(settingsFileContent()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            currentGroup = line.mid(1, line.size() - 2);
        else if (currentGroup == group && line.startsWith(name + QLatin1Char('=')))
            return line.mid(name.size() + 1);
    }
    return QString();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void freshInstallationCreatesFile();
    void missingKeyWritesDefault_data();
    void missingKeyWritesDefault();
    void storedNumbers_data();
    void storedNumbers();
    void storedSwitches_data();
    void storedSwitches();
    void changeByAnotherProcessIsSeen();
    void unchangedFileIsNotReread();
    void writeReachesFileAtHandleEnd();
    void notWritableStoreAnswersDefaults();
    void handlesOnSeveralThreads();
};

void TestSettings::init()
{
    FakeInstallation::reset();
}

void TestSettings::cleanup()
{
    QFile::setPermissions(FakeInstallation::filePath(QStringLiteral("data/0")),
                          QFileDevice::Permissions(0x7777));
    FakeInstallation::reset();
}

void TestSettings::freshInstallationCreatesFile()
{
    {
        CSettings settings;
        QVERIFY(settings.debugJournals());
        QVERIFY2(!QFile::exists(FakeInstallation::filePath(SettingsFile)), "written only when the handle goes");
    }
    QCOMPARE(settingsFileContent(), QByteArray("[Debug]\njournals=true\n"));
    QCOMPARE(int(QFile::permissions(FakeInstallation::filePath(SettingsFile))), 0x6666);
    QCOMPARE(int(QFile::permissions(FakeInstallation::filePath(QStringLiteral("settings")))), 0x7777);
}

void TestSettings::missingKeyWritesDefault_data()
{
    QTest::addColumn<QString>("key");
    for (const KeyEntry &entry : keyTable())
        QTest::newRow(entry.key) << QString::fromLatin1(entry.key);
}

void TestSettings::missingKeyWritesDefault()
{
    QFETCH(QString, key);
    const KeyEntry &entry = entryOf(key);
    {
        CSettings settings;
        QCOMPARE(entry.read(settings), entry.defaultValue);
    }
    QCOMPARE(storedValue(key), entry.defaultValue.toString());
}

void TestSettings::storedNumbers_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("value");

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

void TestSettings::storedNumbers()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, stored);
    QFETCH(int, value);

    const QByteArray group = key.section(QLatin1Char('/'), 0, 0).toLatin1();
    const QByteArray name = key.section(QLatin1Char('/'), 1).toLatin1();
    QVERIFY(FakeInstallation::writeFile(SettingsFile, "[" + group + "]\n" + name + "=" + stored + "\n"));
    {
        CSettings settings;
        QCOMPARE(entryOf(key).read(settings).toInt(), value);
    }
    QCOMPARE(storedValue(key), QString::number(value));
}

void TestSettings::storedSwitches_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("value");

    QTest::newRow("false") << QByteArray("false") << false;
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("zero") << QByteArray("0") << false;
    QTest::newRow("one") << QByteArray("1") << true;
    QTest::newRow("list") << QByteArray("yes, no") << false;
}

void TestSettings::storedSwitches()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, value);

    const QByteArray content = "[Debug]\ntransportTasks=" + stored + "\n";
    QVERIFY(FakeInstallation::writeFile(SettingsFile, content));
    {
        CSettings settings;
        QCOMPARE(settings.debugTransportTasks(), value);
    }
    QCOMPARE(settingsFileContent(), content);
}

void TestSettings::changeByAnotherProcessIsSeen()
{
    QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=300\n"));
    QCOMPARE(CSettings().detailsMaxWritingTime(), 300);

    QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=700\n"));
    QCOMPARE(CSettings().detailsMaxWritingTime(), 700);
}

void TestSettings::unchangedFileIsNotReread()
{
    const QDateTime modified = FakeInstallation::freshModificationTime();
    QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=300\n", modified));
    QCOMPARE(CSettings().detailsMaxWritingTime(), 300);

    QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=700\n", modified));
    QCOMPARE(CSettings().detailsMaxWritingTime(), 300);
}

void TestSettings::writeReachesFileAtHandleEnd()
{
    {
        CSettings settings;
        settings.write(QStringLiteral("Debug/journals"), false);
        QVERIFY(!QFile::exists(FakeInstallation::filePath(SettingsFile)));
    }
    QCOMPARE(storedValue(QStringLiteral("Debug/journals")), QStringLiteral("false"));
    QVERIFY(!CSettings().debugJournals());
}

void TestSettings::notWritableStoreAnswersDefaults()
{
    RUN_AS_UNPRIVILEGED_USER();
    const QString level0 = FakeInstallation::filePath(QStringLiteral("data/0"));
    QVERIFY(QDir().mkpath(level0));
    QVERIFY(QFile::setPermissions(level0, QFileDevice::ReadOwner | QFileDevice::ExeOwner));

    for (int handle = 0; handle < 2; ++handle) {
        CSettings settings;
        settings.write(QStringLiteral("Debug/journals"), false);
        QVERIFY(settings.debugJournals());
        QCOMPARE(int(settings.filePermissions()), 0x6666);
        QCOMPARE(settings.detailsMaxWritingTime(), 5000);
    }
    QVERIFY(!QFile::exists(FakeInstallation::filePath(SettingsFile)));
    QVERIFY(!QFile::exists(FakeInstallation::filePath(QStringLiteral("settings"))));
}

void TestSettings::handlesOnSeveralThreads()
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

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
