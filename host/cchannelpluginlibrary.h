#pragma once

#include "interfaces/cchannelsettingsplugin.h"

#include <QCoreApplication>
#include <QLibrary>

// One channel settings plug-in, loaded as the messaging application loads it:
// a shared library reached only through its four C entry points.
class CChannelPluginLibrary
{
    Q_DECLARE_TR_FUNCTIONS(CChannelPluginLibrary)
public:
    explicit CChannelPluginLibrary(const QString &fileName);
    // Releases the plug-in object, then unloads the library: every page
    // obtained from the plug-in must be gone by then.
    ~CChannelPluginLibrary();

    // Loads the library, checks its interface version, hands it the host's
    // logger state and obtains the plug-in object. Empty on success,
    // otherwise why the plug-in is refused.
    QString load(DebugData *debugData);

    CChannelSettingsPlugin *plugin() const;
    QString fileName() const;

private:
    Q_DISABLE_COPY(CChannelPluginLibrary)

    QString refuse(const QString &message);

    QLibrary library;
    DeleteInstanceFunction deleteInstance = nullptr;
    CChannelSettingsPlugin *object = nullptr;
};
