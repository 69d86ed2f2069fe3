// Loads the installed plug-in the way a host does, built without Qt's keywords,
// and uses a few of the library's exported operations; exits 0 when all of
// them answer as expected.
#include <comchannel/comsettings.h>
#include <common/globalformat.h>
#include <common/logger.h>
#include <interfaces/cchannelabonentsettingswidget.h>
#include <interfaces/cchannelsettingsplugin.h>
#include <interfaces/cchannelsettingswidget.h>
#include <interfaces/cchanneluseddevices.h>

#include <QApplication>
#include <QLibrary>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QLibrary library(QString::fromLocal8Bit(argc > 1 ? argv[1] : ""));
    auto apiVersion = reinterpret_cast<ApiVersionFunction>(library.resolve("apiVersion"));
    auto initDebug = reinterpret_cast<InitDebugFunction>(library.resolve("initDebug"));
    auto instance = reinterpret_cast<InstanceFunction>(library.resolve("instance"));
    auto deleteInstance = reinterpret_cast<DeleteInstanceFunction>(library.resolve("deleteInstance"));
    if (!apiVersion || !initDebug || !instance || !deleteInstance) {
        out << "usage: externalhost PLUGIN_PATH; entry points missing: " << library.errorString() << '\n';
        return 1;
    }

    DebugData debugData;
    initDebug(&debugData);
    CChannelSettingsPlugin *plugin = instance();
    const bool pluginOk = apiVersion() == 5 && plugin->channelName() == QStringLiteral("Коммутируемый канал");
    AbonentComSettings abonent{QStringLiteral("T123"), {}};
    const bool recordsOk = plugin->isSameAbonentSettings(abonent.toByteArray(), abonent.toByteArray());
    CChannelUsedDevices registry;
    registry.add(2, QStringLiteral("/dev/ttyS0"));
    const bool linkedOk = registry.channelTypes(QStringLiteral("/dev/ttyS0")) == QList<int>{2}
        && Global::declension(3, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")) == QStringLiteral("b")
        && LoggerData::debugData() == &debugData;
    deleteInstance(plugin);
    out << "plugin " << pluginOk << ", records " << recordsOk << ", linked " << linkedOk << '\n';
    return pluginOk && recordsOk && linkedOk ? 0 : 1;
}
