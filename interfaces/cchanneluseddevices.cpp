#include "cchanneluseddevices.h"

#include <QSet>

CChannelUsedDevices::~CChannelUsedDevices()
{
    qDeleteAll(nodes);
}

void CChannelUsedDevices::add(int channelType, QString const &device)
{
    for (const Node *node : qAsConst(nodes)) {
        if (node->channelType == channelType && node->device == device)
            return;
    }
    nodes.append(new Node{channelType, device});
}

void CChannelUsedDevices::remove(int channelType, QString const &device)
{
    for (int i = 0; i < nodes.size(); ++i) {
        if (nodes.at(i)->channelType == channelType && nodes.at(i)->device == device) {
            delete nodes.takeAt(i);
            return;
        }
    }
}

void CChannelUsedDevices::clear(int channelType)
{
    // One pass that keeps the others in order: taking entries out one by one
    // would move the rest of the list each time.
    QList<Node *> kept;
    kept.reserve(nodes.size());
    for (Node *node : qAsConst(nodes)) {
        if (node->channelType == channelType)
            delete node;
        else
            kept.append(node);
    }
    nodes = kept;
}

void CChannelUsedDevices::clear()
{
    qDeleteAll(nodes);
    nodes.clear();
}

bool CChannelUsedDevices::usedInAnotherChannel(int channelType, QString const &device) const
{
    for (const Node *node : nodes) {
        if (node->device == device && node->channelType != channelType)
            return true;
    }
    return false;
}

QList<int> CChannelUsedDevices::channelTypes(QString const &device) const
{
    QSet<int> types;
    for (const Node *node : nodes) {
        if (node->device == device)
            types.insert(node->channelType);
    }
    return types.values();
}
