#pragma once

#include "comchannel/comsettings.h"

#include <QStringList>

namespace TestSupport {

inline ComPortSettings namedPort(const QString &name, bool active)
{
    return {active, name, QString(), -1, -1, -1, -1, -1};
}

// A channel record of ports named in `ports`, "+" before the active ones,
// every serial code unset.
inline QByteArray channelRecord(const QStringList &ports, int blockSize = 1024)
{
    ChannelComSettings channel{{}, blockSize};
    for (const QString &name : ports)
        channel.ports << namedPort(QString(name).remove(QLatin1Char('+')), name.startsWith(QLatin1Char('+')));
    return channel.toByteArray();
}

} // namespace TestSupport
