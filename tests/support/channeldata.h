#pragma once

#include "comchannel/comsettings.h"

#include <QStringList>

namespace TestSupport {

// A channel record of ports named in `ports`, "+" before the active ones,
// every serial code unset.
inline QByteArray channelRecord(const QStringList &ports, int blockSize = 1024)
{
    ChannelComSettings channel;
    channel.blockSize = blockSize;
    for (const QString &name : ports) {
        ComPortSettings port;
        port.active = name.startsWith(QLatin1Char('+'));
        port.portName = port.active ? name.mid(1) : name;
        channel.ports << port;
    }
    return channel.toByteArray();
}

inline ComPortSettings port(bool active, const QString &name, const QString &initString, int baudRate,
                            int flowControl, int dataBits, int parity, int stopBits)
{
    return {active, name, initString, baudRate, flowControl, dataBits, parity, stopBits};
}

inline ComPortSettings namedPort(const QString &name, bool active)
{
    return {active, name, QString(), -1, -1, -1, -1, -1};
}

} // namespace TestSupport
