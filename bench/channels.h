#pragma once

#include "comchannel/comsettings.h"

// A channel of that many active ports, as an installation with modems on USB has them.
inline ChannelComSettings channelOf(int portCount)
{
    ChannelComSettings channel;
    for (int i = 0; i < portCount; ++i) {
        ComPortSettings port;
        port.active = true;
        port.portName = QStringLiteral("ttyUSB%1").arg(i);
        port.initString = QStringLiteral("AT&F&C1&D2S0=0");
        port.baudRate = 115200;
        port.flowControl = 1;
        port.dataBits = 8;
        port.parity = 0;
        port.stopBits = 1;
        channel.ports.append(port);
    }
    return channel;
}
