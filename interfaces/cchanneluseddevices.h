#pragma once

#include "common/comchannel_export.h"

#include <QList>
#include <QString>

// The host's registry of devices in use, one entry per channel type and
// device, so that one COM port never serves two kinds of channel.
class COMCHANNEL_EXPORT CChannelUsedDevices
{
public:
    struct Node {
        int channelType;
        QString device;
    };

    CChannelUsedDevices() = default;
    ~CChannelUsedDevices();

    void add(int channelType, QString const &device);
    void remove(int channelType, QString const &device);
    void clear(int channelType);
    void clear();
    bool usedInAnotherChannel(int channelType, QString const &device) const;
    QList<int> channelTypes(QString const &device) const;

    QList<Node *> nodes;

private:
    Q_DISABLE_COPY(CChannelUsedDevices)
};
