#pragma once

#include "interfaces/cchannelsettingsplugin.h"

#include <QCoreApplication>

// The switched (dial-up) channel as the host sees it: its type, its name and
// its two settings pages. The switched channel offers no connectivity test.
class CComChannelPlugin : public CChannelSettingsPlugin
{
    Q_DECLARE_TR_FUNCTIONS(CComChannelPlugin)
public:
    CComChannelPlugin() = default;
    ~CComChannelPlugin() override = default;

    int channelType() const override;
    QString channelName() const override;
    CChannelAbonentSettingsWidget *abonentWidget() const override;
    CChannelSettingsWidget *channelWidget() const override;
    bool isSameAbonentSettings(QByteArray const &a, QByteArray const &b) const override;
};
