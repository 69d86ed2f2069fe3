// The library's four entry points, found by the host under their C names.
// What runs when the library is loaded comes in link order: the logger's list
// of recent operations, the abonent page's port cache, then the images
// (res.qrc is the last of the channel's sources).
#include "ccomchannelplugin.h"

#include "common/comchannel_export.h"
#include "common/logger.h"

extern "C" {

COMCHANNEL_EXPORT int apiVersion()
{
    return ChannelSettingsPluginApiVersion;
}

COMCHANNEL_EXPORT CChannelSettingsPlugin *instance()
{
    return new CComChannelPlugin;
}

COMCHANNEL_EXPORT void deleteInstance(CChannelSettingsPlugin *plugin)
{
    delete plugin;
}

COMCHANNEL_EXPORT void initDebug(DebugData *data)
{
    LoggerData::initDebug(data);
}

} // extern "C"
