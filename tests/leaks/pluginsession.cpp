// One host session with the plug-in, run under the leak checker: load the
// library, use both pages, release everything and unload it. Like a host, it
// knows the library only by its entry points and the interface headers.
#include "interfaces/cchannelabonentsettingswidget.h"
#include "interfaces/cchannelsettingsplugin.h"
#include "interfaces/cchannelsettingswidget.h"
#include "interfaces/cchanneluseddevices.h"

#include <QApplication>
#include <QDir>
#include <QLibrary>

#include <memory>

// A port "/dev/ttyS0", active, the rest unset, and block size 2048.
const QByteArray channelRecord = QByteArray::fromHex(
    "00000003" "00000001" "00000800" "01" "00000014" "002f006400650076002f00740074007900530030"
    "ffffffff" "ffffffff" "ffffffff" "ffffffff" "ffffffff" "ffffffff");
// Phone number "123", called through "/dev/ttyS0".
const QByteArray abonentRecord = QByteArray::fromHex(
    "00000004" "00000006" "003100320033" "00000001" "00000014" "002f006400650076002f00740074007900530030");

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    // Always a first run: the library then writes its settings and a new log,
    // which leaves Qt's process-wide caches holding what the library handed them.
    const QDir install(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
    QDir(install.filePath(QStringLiteral("data"))).removeRecursively();
    QDir(install.filePath(QStringLiteral("settings"))).removeRecursively();
    install.mkpath(QStringLiteral("settings"));
    QFile file(install.filePath(QStringLiteral("settings/channelCom.conf")));
    QLibrary library(QStringLiteral(COMCHANNEL_PLUGIN_PATH));
    const auto instance = reinterpret_cast<InstanceFunction>(library.resolve("instance"));
    const auto deleteInstance = reinterpret_cast<DeleteInstanceFunction>(library.resolve("deleteInstance"));
    if (!file.open(QIODevice::WriteOnly) || file.write(channelRecord) != channelRecord.size() || !instance || !deleteInstance)
        return 1;
    file.close();

    CChannelSettingsPlugin *plugin = instance();
    CChannelUsedDevices registry;
    std::unique_ptr<CChannelSettingsWidget> page(plugin->channelWidget());
    page->usedDevices = &registry;
    std::unique_ptr<CChannelAbonentSettingsWidget> abonent(plugin->abonentWidget());
    QString path;
    QByteArray data;
    const bool loaded = page->loadData().isEmpty() && abonent->loadData(abonentRecord).isEmpty();
    page->setDisplayExtendedSettings(true);
    page->show();
    abonent->show();
    QApplication::processEvents();
    page->saveData(&path, &data);
    const bool passed = loaded && data == channelRecord && abonent->saveData() == abonentRecord
        && abonent->canApply().isEmpty() && plugin->isSameAbonentSettings(abonentRecord, abonentRecord);
    page.reset();
    abonent.reset();
    deleteInstance(plugin);
    return passed && library.unload() ? 0 : 1;
}
