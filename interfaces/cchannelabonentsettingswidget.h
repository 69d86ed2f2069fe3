#pragma once

#include "common/comchannel_export.h"

#include <QByteArray>
#include <QString>
#include <QWidget>

// The abonent settings page that the host programs against, for every kind of
// channel. The order of the virtual operations is part of the binary contract
// with the host: keep it.
class COMCHANNEL_EXPORT CChannelAbonentSettingsWidget : public QWidget
{
    Q_OBJECT
public:
    CChannelAbonentSettingsWidget() = default;
    ~CChannelAbonentSettingsWidget() override = default;

    virtual QByteArray saveData() const = 0;
    virtual QString loadData(QByteArray const &data) = 0;
    virtual QString canApply() { return QString(); }
    virtual QString prettySettings() const = 0;
    virtual void setDisplayExtendedSettings(bool display) { Q_UNUSED(display) }
};
