#include "showcommand.h"

#include "comconftext.h"
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
    const QString line = Comconf::tr("ОШИБКА: %1").arg(message);
    asJson ? printErrorLine(line) : printLine(line);
}

// A whole record as JSON or as text; a damaged one as the text of what was read,
// then the library's message.
int printRecord(const QString &message, bool asJson, const QJsonObject &json, const QStringList &lines)
{
    if (!asJson) {
        for (const QString &line : lines)
            printLine(line);
    } else if (message.isEmpty()) {
        printLine(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Indented)).trimmed());
    }
    if (message.isEmpty())
        return 0;
    printFailure(message, asJson);
    return 1;
}

int showChannel(const QByteArray &data, bool asJson)
{
    ChannelComSettings channel;
    const QString message = channel.fromByteArray(data);
    const int complete = message.isEmpty() ? channel.ports.size() : completeEntries(channel, data);
    return printRecord(message, asJson, channelToJson(channel), channelLines(channel, complete));
}

int showAbonent(const QByteArray &data, bool asJson)
{
    AbonentComSettings abonent;
    const QString message = abonent.fromByteArray(data);
    return printRecord(message, asJson, abonentToJson(abonent), abonentLines(abonent, message.isEmpty()));
}

int showUnknown(const QByteArray &data, bool asJson)
{
    printFailure(Comconf::tr("как запись канала: %1").arg(ChannelComSettings().fromByteArray(data)), asJson);
    printFailure(Comconf::tr("как запись абонента: %1").arg(AbonentComSettings().fromByteArray(data)), asJson);
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
