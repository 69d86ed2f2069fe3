#pragma once

#include "comchannel/comsettings.h"
#include "interfaces/cchanneluseddevices.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariantList>

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

// Entries written as "2:A 3:B", channel type and device, separated by blanks.
inline Entries entries(const char *text)
{
    Entries parsed;
    for (const QString &item : QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int colon = item.indexOf(QLatin1Char(':'));
        parsed << Entry(item.left(colon).toInt(), item.mid(colon + 1));
    }
    return parsed;
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

// A port's fields in declaration order, to compare two ports in one step.
inline QVariantList fieldsOf(const ComPortSettings &p)
{
    return {p.active, p.portName, p.initString, p.baudRate, p.flowControl, p.dataBits, p.parity, p.stopBits};
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
