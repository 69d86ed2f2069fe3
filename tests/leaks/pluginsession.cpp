// One host session with the plug-in, run under the leak checker: load the
// library, use both pages, release everything and unload it. Like a host, it
// knows the library only by its entry points and the interface headers.
#include "interfaces/cchannelabonentsettingswidget.h"
#include "interfaces/cchannelsettingsplugin.h"
#include "interfaces/cchannelsettingswidget.h"
#include "interfaces/cchanneluseddevices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>
#include <memory>

namespace {

int failed(const char *step)
{
    std::fprintf(stderr, "plug-in session failed: %s\n", step);
    return 1;
}

// A port "/dev/ttyS0", active, the rest unset, and block size 2048.
const QByteArray channelRecord = QByteArray::fromHex(
    "00000003" "00000001" "00000800" "01" "00000014" "002f006400650076002f00740074007900530030"
    "ffffffff" "ffffffff" "ffffffff" "ffffffff" "ffffffff" "ffffffff");
// Phone number "123", called through "/dev/ttyS0".
const QByteArray abonentRecord = QByteArray::fromHex(
    "00000004" "00000006" "003100320033" "00000001" "00000014" "002f006400650076002f00740074007900530030");

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    // Always a first run: the library then writes its settings and a new log,
    // which leaves Qt's process-wide caches holding what the library handed them.
    for (const char *dir : {"/../settings", "/../data"})
        QDir(QCoreApplication::applicationDirPath() + QLatin1String(dir)).removeRecursively();
    QLibrary library(QStringLiteral(COMCHANNEL_PLUGIN_PATH));
    if (!library.load())
        return failed("load");
    const auto instance = reinterpret_cast<InstanceFunction>(library.resolve("instance"));
    const auto deleteInstance = reinterpret_cast<DeleteInstanceFunction>(library.resolve("deleteInstance"));
    if (!instance || !deleteInstance)
        return failed("entry points");

    CChannelSettingsPlugin *plugin = instance();
    CChannelUsedDevices registry;
    {
        std::unique_ptr<CChannelSettingsWidget> page(plugin->channelWidget());
        page->usedDevices = &registry;
        QString path;
        QByteArray data;
        page->saveData(&path, &data);
        QFile file(path);
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) || file.write(channelRecord) != channelRecord.size())
            return failed("channelCom.conf");
        file.close();
        if (!page->loadData().isEmpty())
            return failed("channel page");
        page->setDisplayExtendedSettings(true);
        page->show();
        QApplication::processEvents();
        page->saveData(&path, &data);
        if (data != channelRecord)
            return failed("channel record");
    }
    {
        std::unique_ptr<CChannelAbonentSettingsWidget> page(plugin->abonentWidget());
        if (!page->loadData(abonentRecord).isEmpty() || !page->canApply().isEmpty())
            return failed("abonent page");
        page->show();
        QApplication::processEvents();
        if (page->saveData() != abonentRecord || page->prettySettings().isEmpty())
            return failed("abonent record");
    }
    if (!plugin->isSameAbonentSettings(abonentRecord, abonentRecord))
        return failed("same abonent");
    deleteInstance(plugin);
    if (!library.unload())
        return failed("unload");
    return 0;
}
