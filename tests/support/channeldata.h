#pragma once

#include "comchannel/comsettings.h"
#include "interfaces/cchanneluseddevices.h"

#include <QList>
#include <QPair>
#include <QString>

// Ports and registry entries as plain values, to build and compare in tests.
namespace TestSupport {

using Entry = QPair<int, QString>;
using Entries = QList<Entry>;

inline Entries entriesOf(const CChannelUsedDevices &registry)
{
    Entries entries;
    for (const CChannelUsedDevices::Node *node : registry.nodes)
        entries << Entry(node->channelType, node->device);
    return entries;
}

inline Entry entry(int channelType, const char *device)
{
    return Entry(channelType, QString::fromUtf8(device));
}

inline ComPortSettings port(bool active, const QString &name, const QString &initString, int baudRate,
                            int flowControl, int dataBits, int parity, int stopBits)
{
    ComPortSettings p;
    p.active = active;
    p.portName = name;
    p.initString = initString;
    p.baudRate = baudRate;
    p.flowControl = flowControl;
    p.dataBits = dataBits;
    p.parity = parity;
    p.stopBits = stopBits;
    return p;
}

// A port whose serial codes are all unset.
inline ComPortSettings namedPort(const QString &name, bool active)
{
    ComPortSettings p;
    p.portName = name;
    p.active = active;
    return p;
}

} // namespace TestSupport
