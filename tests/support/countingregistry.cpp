// A host's own registry, compiled into the test program and exported from it
// (as a host carries its own copy), so the plug-in's calls reach this one: it
// keeps the entries as a host's registry does and logs each call in order.
// clear() and usedInAnotherChannel() serve other channels; the plug-in never calls them.
#include "interfaces/cchanneluseddevices.h"

#include <QSet>
#include <QStringList>

QStringList gRegistryCalls;

CChannelUsedDevices::~CChannelUsedDevices()
{
    qDeleteAll(nodes);
}

void CChannelUsedDevices::add(int channelType, QString const &device)
{
    gRegistryCalls << (QStringLiteral("add(%1,%2)").arg(channelType).arg(device));
    for (const Node *node : qAsConst(nodes)) {
        if (node->channelType == channelType && node->device == device)
            return;
    }
    nodes.append(new Node{channelType, device});
}

void CChannelUsedDevices::remove(int channelType, QString const &device)
{
    gRegistryCalls << (QStringLiteral("remove(%1,%2)").arg(channelType).arg(device));
    for (int i = 0; i < nodes.size(); ++i) {
        if (nodes.at(i)->channelType == channelType && nodes.at(i)->device == device)
            delete nodes.takeAt(i--);
    }
}

void CChannelUsedDevices::clear(int channelType)
{
    gRegistryCalls << (QStringLiteral("clear(%1)").arg(channelType));
    for (int i = 0; i < nodes.size(); ++i) {
        if (nodes.at(i)->channelType == channelType)
            delete nodes.takeAt(i--);
    }
}

QList<int> CChannelUsedDevices::channelTypes(QString const &device) const
{
    gRegistryCalls << (QStringLiteral("channelTypes(%1)").arg(device));
    QSet<int> types;
    for (const Node *node : nodes) {
        if (node->device == device)
            types.insert(node->channelType);
    }
    return types.values();
}
