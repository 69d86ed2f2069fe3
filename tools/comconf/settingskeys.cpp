#include "settingskeys.h"

namespace {

SettingsKey debugSwitch(const char *name, bool on)
{
    return {QStringLiteral("Debug/%1").arg(QLatin1String(name)), true, on ? 1 : 0, 0, 1, false};
}

} // namespace

const QList<SettingsKey> &settingsKeys()
{
    static const QList<SettingsKey> keys{
        debugSwitch("all", false),
        debugSwitch("ipcData", false),
        debugSwitch("ipcExtra", false),
        debugSwitch("ipcSecurityDaemon", true),
        debugSwitch("ipcTransport", false),
        debugSwitch("transportAbonents", false),
        debugSwitch("transportTransit", true),
        debugSwitch("transportConnects", true),
        debugSwitch("transportDataLifetime", false),
        debugSwitch("transportBaseProtocol", false),
        debugSwitch("transportProtocol", true),
        debugSwitch("transportProtocolAttaches", false),
        debugSwitch("transportIpSocketError", true),
        debugSwitch("transportComPortError", true),
        debugSwitch("transportComAtCommands", true),
        debugSwitch("transportComPackets", false),
        debugSwitch("transportComData", false),
        debugSwitch("transportTasks", true),
        debugSwitch("journals", true),
        debugSwitch("messagesAutodelete", true),
        debugSwitch("messagesLock", false),
        {QStringLiteral("Permissions/filePermissions"), false, 0x6666, 0x6000, 0x6666, true},
        {QStringLiteral("Permissions/dirPermissions"), false, 0x7777, 0x7111, 0x7777, true},
        {QStringLiteral("Details/maxWritingTime"), false, 5000, 100, 10000, false},
    };
    return keys;
}
