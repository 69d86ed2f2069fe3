#include "chostwindow.h"

#include "cabonentstab.h"
#include "cchanneltab.h"
#include "interfaces/cchannelsettingsplugin.h"

#include <QStringList>

CHostWindow::CHostWindow(const CChannelSettingsPlugin *plugin, CChannelUsedDevices *usedDevices)
    : channel(new CChannelTab(plugin, usedDevices)), abonents(new CAbonentsTab(plugin))
{
    setWindowTitle(tr("Настройки: %1").arg(plugin->channelName()));
    addTab(channel, tr("Канал"));
    addTab(abonents, tr("Абоненты"));
    resize(860, 380);
}

QString CHostWindow::load()
{
    QStringList messages = {channel->load(), abonents->load()};
    messages.removeAll(QString());
    return messages.join(QLatin1Char('\n'));
}

CChannelTab *CHostWindow::channelTab() const
{
    return channel;
}

CAbonentsTab *CHostWindow::abonentsTab() const
{
    return abonents;
}
