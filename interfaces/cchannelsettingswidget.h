#pragma once

#include "common/comchannel_export.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

class CChannelUsedDevices;

// The channel settings page that the host programs against, for every kind of
// channel. The order of the virtual operations is part of the binary contract
// with the host: keep it.
class COMCHANNEL_EXPORT CChannelSettingsWidget : public QWidget
{
    Q_OBJECT
public:
    CChannelSettingsWidget() = default;
    ~CChannelSettingsWidget() override = default;

    virtual QString saveData(QString *filePath, QByteArray *data) const = 0;
    virtual QString loadData() = 0;
    virtual void setDisplayExtendedSettings(bool display) { Q_UNUSED(display) }
    virtual QStringList settings() const = 0;

    // The host's registry; set by the host before loadData(), never owned.
    CChannelUsedDevices *usedDevices = nullptr;

    // Q_SIGNALS rather than signals: hosts built with QT_NO_KEYWORDS include this header too.
Q_SIGNALS:
    void dataChanged();
};
