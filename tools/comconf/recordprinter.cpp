#include "recordprinter.h"

#include "comconftext.h"
#include "portcodes.h"

#include "comchannel/comsettings.h"
#include "common/globalformat.h"

namespace {

QString portLine(int number, const ComPortSettings &port)
{
    QStringList parts{quotedText(port.portName),
                      port.active ? Comconf::tr("активен") : Comconf::tr("неактивен"), portCodesText(port)};
    parts.append(Comconf::tr("строка инициализации: %1").arg(quotedText(port.initString)));
    return Comconf::tr("Порт %1: %2").arg(number).arg(parts.join(QStringLiteral(", ")));
}

} // namespace

QStringList channelLines(const ChannelComSettings &channel, int completePorts)
{
    QStringList lines{
        Comconf::tr("Запись канала"),
        Comconf::tr("Размер блока: %1 %2")
            .arg(channel.blockSize)
            .arg(Global::declension(channel.blockSize, Comconf::tr("байт"), Comconf::tr("байта"),
                                    Comconf::tr("байт"))),
    };
    const bool damaged = completePorts < channel.ports.size();
    lines.append((damaged ? Comconf::tr("Портов прочитано целиком: %1") : Comconf::tr("Портов: %1"))
                     .arg(completePorts));
    for (int i = 0; i < completePorts; ++i)
        lines.append(portLine(i + 1, channel.ports.at(i)));
    if (damaged)
        lines.append(Comconf::tr("Порт %1: прочитан не полностью").arg(completePorts + 1));
    return lines;
}

QStringList abonentLines(const AbonentComSettings &abonent, bool complete)
{
    QStringList lines{Comconf::tr("Запись абонента"),
                      Comconf::tr("Номер: %1").arg(quotedText(abonent.phoneNumber))};
    if (!complete)
        return lines;
    lines.append(Comconf::tr("Порты: %1")
                     .arg(abonent.ports.isEmpty() ? Comconf::tr("Любой") : quotedList(abonent.ports)));
    return lines;
}

QString quotedText(const QString &text)
{
    return text.isNull() ? Comconf::tr("не задано") : QStringLiteral("«%1»").arg(text);
}

QString quotedList(const QStringList &names)
{
    QStringList quoted;
    for (const QString &name : names)
        quoted.append(quotedText(name));
    return quoted.join(QStringLiteral("; "));
}
