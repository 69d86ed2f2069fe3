// A channel settings plug-in that a host must refuse before calling anything
// but apiVersion(): built once with another interface version, once without
// initDebug(). Should the host go on anyway, the process aborts.
#include "interfaces/cchannelsettingsplugin.h"

#include <cstdlib>

extern "C" {

Q_DECL_EXPORT int apiVersion()
{
    return FAKE_API_VERSION;
}

Q_DECL_EXPORT CChannelSettingsPlugin *instance()
{
    std::abort();
}

Q_DECL_EXPORT void deleteInstance(CChannelSettingsPlugin *)
{
    std::abort();
}

#ifndef FAKE_WITHOUT_INITDEBUG
Q_DECL_EXPORT void initDebug(DebugData *)
{
    std::abort();
}
#endif

} // extern "C"
