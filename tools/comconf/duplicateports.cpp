#include "duplicateports.h"

#include "comchannel/comsettings.h"

#include <QSet>

QStringList duplicatePortNames(const QList<ComPortSettings> &ports)
{
    QStringList duplicates;
    QSet<QString> seen;
    for (const ComPortSettings &port : ports) {
        if (seen.contains(port.portName) && !duplicates.contains(port.portName))
            duplicates.append(port.portName);
        seen.insert(port.portName);
    }
    return duplicates;
}
