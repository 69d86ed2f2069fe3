#include "recordprinter.h"

#include "portcodes.h"

#include "comchannel/comsettings.h"
#include "common/globalformat.h"

namespace {

QString portLine(int number, const ComPortSettings &port)
{
    QStringList parts{quotedText(port.portName),
                      port.active ? QStringLiteral("активен") : QStringLiteral("неактивен"), portCodesText(port)};
    parts.append(QStringLiteral("строка инициализации: %1").arg(quotedText(port.initString)));
    return QStringLiteral("Порт %1: %2").arg(number).arg(parts.join(QStringLiteral(", ")));
}

} // namespace

QStringList channelLines(const ChannelComSettings &channel, int completePorts)
{
    QStringList lines{
        QStringLiteral("Запись канала"),
        QStringLiteral("Размер блока: %1 %2")
            .arg(channel.blockSize)
            .arg(Global::declension(channel.blockSize, QStringLiteral("байт"), QStringLiteral("байта"),
                                    QStringLiteral("байт"))),
    };
    const bool damaged = completePorts < channel.ports.size();
    lines.append((damaged ? QStringLiteral("Портов прочитано целиком: %1") : QStringLiteral("Портов: %1"))
                     .arg(completePorts));
    for (int i = 0; i < completePorts; ++i)
        lines.append(portLine(i + 1, channel.ports.at(i)));
    if (damaged)
        lines.append(QStringLiteral("Порт %1: прочитан не полностью").arg(completePorts + 1));
    return lines;
}

QStringList abonentLines(const AbonentComSettings &abonent, bool complete)
{
    QStringList lines{QStringLiteral("Запись абонента"),
                      QStringLiteral("Номер: %1").arg(quotedText(abonent.phoneNumber))};
    if (!complete)
        return lines;
    lines.append(QStringLiteral("Порты: %1")
                     .arg(abonent.ports.isEmpty() ? QStringLiteral("Любой") : quotedList(abonent.ports)));
    return lines;
}

QString quotedText(const QString &text)
{
    return text.isNull() ? QStringLiteral("не задано") : QStringLiteral("«%1»").arg(text);
}

QString quotedList(const QStringList &names)
{
    QStringList quoted;
    for (const QString &name : names)
        quoted.append(quotedText(name));
    return quoted.join(QStringLiteral("; "));
}
