#include "channelcheck.h"

#include "comconftext.h"
#include "findings.h"
#include "portcodes.h"
#include "recordfile.h"

#include <QFileInfo>

ChannelComSettings checkChannelFile(const QString &path, Findings &findings)
{
    ChannelComSettings channel;
    const QFileInfo info(path);
    if (!info.exists()) {
        findings.warning(Comconf::tr("файл настроек канала отсутствует, COM порты не настроены: %1").arg(path));
        return channel;
    }
    QByteArray data;
    QString error;
    if (!readWholeFile(path, &data, &error)) {
        findings.error(error);
        return channel;
    }
    const QString message = channel.fromByteArray(data);
    const int activePorts = activePortNames(channel).size();
    if (!message.isEmpty())
        findings.error(QStringLiteral("%1: %2").arg(path, message));
    else
        findings.ok(Comconf::tr("файл настроек канала: %1: размер блока %2, портов %3, из них активных %4")
                        .arg(path, QString::number(channel.blockSize), QString::number(channel.ports.size()),
                             QString::number(activePorts)));

    const QString blockSizeProblem = blockSizeError(channel.blockSize);
    if (message.isEmpty() && !blockSizeProblem.isEmpty())
        findings.error(QStringLiteral("%1, %2").arg(info.fileName(), blockSizeProblem));
    if (!channel.ports.isEmpty() && activePorts == 0)
        findings.warning(Comconf::tr("в канале нет активных портов"));
    return channel;
}

QStringList activePortNames(const ChannelComSettings &channel)
{
    QStringList names;
    for (const ComPortSettings &port : channel.ports) {
        if (port.active)
            names.append(port.portName);
    }
    return names;
}
