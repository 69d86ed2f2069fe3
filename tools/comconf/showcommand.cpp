#include "showcommand.h"

#include "console.h"
#include "recordfile.h"
#include "recordjson.h"
#include "recordprinter.h"

#include "comchannel/comsettings.h"

#include <QJsonDocument>

namespace {

// In JSON mode standard output carries the document alone, so failures go
// to the error stream there.
void printFailure(const QString &message, bool asJson)
{
    const QString line = QStringLiteral("ОШИБКА: %1").arg(message);
    asJson ? printErrorLine(line) : printLine(line);
}

void printLines(const QStringList &lines)
{
    for (const QString &line : lines)
        printLine(line);
}

void printJson(const QJsonObject &object)
{
    printLine(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)).trimmed());
}

int showChannel(const QByteArray &data, bool asJson)
{
    ChannelComSettings channel;
    const QString message = channel.fromByteArray(data);
    if (message.isEmpty()) {
        asJson ? printJson(channelToJson(channel)) : printLines(channelLines(channel, channel.ports.size()));
        return 0;
    }
    if (!asJson)
        printLines(channelLines(channel, completeEntries(channel, data)));
    printFailure(message, asJson);
    return 1;
}

int showAbonent(const QByteArray &data, bool asJson)
{
    AbonentComSettings abonent;
    const QString message = abonent.fromByteArray(data);
    if (message.isEmpty()) {
        asJson ? printJson(abonentToJson(abonent)) : printLines(abonentLines(abonent, true));
        return 0;
    }
    if (!asJson)
        printLines(abonentLines(abonent, false));
    printFailure(message, asJson);
    return 1;
}

int showUnknown(const QByteArray &data, bool asJson)
{
    printFailure(QStringLiteral("как запись канала: %1").arg(ChannelComSettings().fromByteArray(data)), asJson);
    printFailure(QStringLiteral("как запись абонента: %1").arg(AbonentComSettings().fromByteArray(data)), asJson);
    return 1;
}

} // namespace

int showRecord(const QString &path, bool asJson)
{
    QByteArray data;
    QString error;
    if (!readWholeFile(path, &data, &error)) {
        printFailure(error, asJson);
        return 1;
    }
    switch (recordKind(data)) {
    case RecordKind::Channel:
        return showChannel(data, asJson);
    case RecordKind::Abonent:
        return showAbonent(data, asJson);
    case RecordKind::Unknown:
        break;
    }
    return showUnknown(data, asJson);
}
