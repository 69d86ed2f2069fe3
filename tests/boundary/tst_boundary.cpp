// The built plug-in as a host sees it: loaded by file name, reached through
// its four C entry points and the interface headers only.
#include "common/globalpaths.h"
#include "common/logger.h"
#include "interfaces/cchannelabonentsettingswidget.h"
#include "interfaces/cchannelsettingsplugin.h"
#include "interfaces/cchannelsettingswidget.h"
#include "interfaces/cchanneluseddevices.h"

#include <QLibrary>
#include <QPixmap>
#include <QtTest>

#include <memory>

class tst_Boundary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void apiVersionBeforeAnything();
    void imagesBeforeInstance_data();
    void imagesBeforeInstance();
    void initDebugInstallsHostState();
    void pluginObject();
    void channelPagesIndependent();
    void abonentPagesIndependent();
    void sameAbonentThroughPlugin();
    void cleanupTestCase();

private:
    QLibrary library{QStringLiteral(COMCHANNEL_PLUGIN_PATH)};
    ApiVersionFunction apiVersion = nullptr;
    InitDebugFunction initDebug = nullptr;
    InstanceFunction instance = nullptr;
    DeleteInstanceFunction deleteInstance = nullptr;
    CChannelSettingsPlugin *plugin = nullptr;
    // The host's logger state: it must outlive every use of the library.
    DebugData hostDebugData;
};

namespace {

// A version 4 abonent record: phone number "123", no ports.
const QByteArray abonent123 = QByteArray::fromHex("00000004" "00000006" "003100320033" "00000000");

} // namespace

void tst_Boundary::initTestCase()
{
    QVERIFY(QDir(Global::settingsDir()).removeRecursively());
    QVERIFY(QDir(Global::dataDir()).removeRecursively());
    QVERIFY2(library.load(), qPrintable(library.errorString()));
    apiVersion = reinterpret_cast<ApiVersionFunction>(library.resolve("apiVersion"));
    initDebug = reinterpret_cast<InitDebugFunction>(library.resolve("initDebug"));
    instance = reinterpret_cast<InstanceFunction>(library.resolve("instance"));
    deleteInstance = reinterpret_cast<DeleteInstanceFunction>(library.resolve("deleteInstance"));
    // Found by their plain names: exported with C linkage.
    QVERIFY(apiVersion && initDebug && instance && deleteInstance);
}

void tst_Boundary::apiVersionBeforeAnything()
{
    QCOMPARE(apiVersion(), 5);
    QCOMPARE(apiVersion(), ChannelSettingsPluginApiVersion);
}

void tst_Boundary::imagesBeforeInstance_data()
{
    QTest::addColumn<QString>("path");
    for (const char *name : {"add", "edit", "delete", "apply", "cancel", "question"})
        QTest::newRow(name) << QStringLiteral(":/images/%1.png").arg(QString::fromLatin1(name));
}

void tst_Boundary::imagesBeforeInstance()
{
    QFETCH(QString, path);
    QVERIFY(!plugin);
    const QPixmap image(path);
    QVERIFY(!image.isNull());
    QVERIFY(image.hasAlphaChannel());
}

void tst_Boundary::initDebugInstallsHostState()
{
    initDebug(&hostDebugData);
    QCOMPARE(LoggerData::debugData(), &hostDebugData);
    debug(QStringLiteral("tst_Boundary"), QStringLiteral("через состояние хоста"));
    QCOMPARE(hostDebugData.tabs.size(), 1);
    QCOMPARE(hostDebugData.tabs.first().thread, QThread::currentThread());
    QCOMPARE(apiVersion(), 5);
}

void tst_Boundary::pluginObject()
{
    plugin = instance();
    QVERIFY(plugin);
    QCOMPARE(plugin->channelType(), 2);
    QCOMPARE(plugin->channelName(), QStringLiteral("Коммутируемый канал"));
    QVERIFY(!plugin->canPing());

    CChannelSettingsPlugin *second = instance();
    QVERIFY(second != plugin);
    deleteInstance(second);
    deleteInstance(nullptr);
    QCOMPARE(plugin->channelType(), 2);
}

// Each call gives a page of its own; deleting one leaves the other working.
void tst_Boundary::channelPagesIndependent()
{
    CChannelUsedDevices usedDevices;
    CChannelSettingsWidget *first = plugin->channelWidget();
    std::unique_ptr<CChannelSettingsWidget> second(plugin->channelWidget());
    QVERIFY(first && second && first != second.get());
    QVERIFY(!first->usedDevices && !second->usedDevices);
    first->usedDevices = &usedDevices;
    second->usedDevices = &usedDevices;
    QCOMPARE(first->loadData(), QString());
    delete first;

    QSignalSpy changes(second.get(), SIGNAL(dataChanged()));
    QVERIFY(changes.isValid());
    QCOMPARE(second->loadData(), QString());
    second->setDisplayExtendedSettings(true);
    QString filePath;
    QByteArray data;
    QCOMPARE(second->saveData(&filePath, &data), QString());
    QCOMPARE(filePath, Global::settingsDir().filePath(QStringLiteral("channelCom.conf")));
    QCOMPARE(data, QByteArray::fromHex("00000003" "00000000" "00000400"));
    QCOMPARE(second->settings(), QStringList({QStringLiteral("channelCom.conf")}));
    QCOMPARE(changes.count(), 0);
}

void tst_Boundary::abonentPagesIndependent()
{
    std::unique_ptr<CChannelAbonentSettingsWidget> first(plugin->abonentWidget());
    CChannelAbonentSettingsWidget *second = plugin->abonentWidget();
    QVERIFY(first && second && first.get() != second);
    QCOMPARE(first->loadData(abonent123), QString());
    delete second;

    first->setDisplayExtendedSettings(true);
    QCOMPARE(first->saveData(), abonent123);
    QCOMPARE(first->canApply(), QString());
    QCOMPARE(first->prettySettings(), QStringLiteral("Номер: 123, Порт: Любой"));
}

void tst_Boundary::sameAbonentThroughPlugin()
{
    // Number "123" with the port "COM1".
    const QByteArray withPort =
        QByteArray::fromHex("00000004" "00000006" "003100320033" "00000001" "00000008" "0043004f004d0031");
    // Number "T123", no ports.
    const QByteArray toneNumber = QByteArray::fromHex("00000004" "00000008" "0054003100320033" "00000000");
    QVERIFY(plugin->isSameAbonentSettings(abonent123, withPort));
    QVERIFY(!plugin->isSameAbonentSettings(abonent123, toneNumber));
}

void tst_Boundary::cleanupTestCase()
{
    if (plugin)
        deleteInstance(plugin);
    library.unload();
}

QTEST_MAIN(tst_Boundary)
#include "tst_boundary.moc"
