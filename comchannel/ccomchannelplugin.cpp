#include "ccomchannelplugin.h"

#include "ccomabonentsettingswidget.h"
#include "ccomchannelsettingswidget.h"
#include "comsettings.h"

int CComChannelPlugin::channelType() const
{
    return ComChannelType;
}

QString CComChannelPlugin::channelName() const
{
    return tr("Коммутируемый канал");
}

CChannelAbonentSettingsWidget *CComChannelPlugin::abonentWidget() const
{
    return new CComAbonentSettingsWidget;
}

CChannelSettingsWidget *CComChannelPlugin::channelWidget() const
{
    return new CComChannelSettingsWidget;
}

bool CComChannelPlugin::isSameAbonentSettings(QByteArray const &a, QByteArray const &b) const
{
    return CComAbonentSettingsWidget::isSameSettings(a, b);
}
