#pragma once

#include <QTabWidget>

class CAbonentsTab;
class CChannelSettingsPlugin;
class CChannelTab;
class CChannelUsedDevices;

// The host's settings window: the channel's page and the abonents.
class CHostWindow : public QTabWidget
{
    Q_OBJECT
public:
    CHostWindow(const CChannelSettingsPlugin *plugin, CChannelUsedDevices *usedDevices);

    // Fills both tabs from the settings directory; the messages of both, if any.
    QString load();

    CChannelTab *channelTab() const;
    CAbonentsTab *abonentsTab() const;

private:
    CChannelTab *channel;
    CAbonentsTab *abonents;
};
