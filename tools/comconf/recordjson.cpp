#include "recordjson.h"

#include "comconftext.h"
#include "duplicateports.h"
#include "portcodes.h"
#include "recordprinter.h"

#include "comchannel/comsettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <cmath>
#include <limits>

namespace {

const QString KindField = QStringLiteral("kind");
const QString ChannelKind = QStringLiteral("channel");
const QString AbonentKind = QStringLiteral("abonent");

QJsonValue stringToJson(const QString &text)
{
    return text.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

bool isString(const QJsonValue &value)
{
    return value.isString() || value.isNull();
}

// Reads the fields of one JSON object, collecting a message for each field
// that is missing, of the wrong type or (once all are read) unknown.
class JsonFields
{
public:
    JsonFields(const QJsonObject &object, const QString &context, QStringList *errors)
        : object(object), context(context), errors(errors)
    {
        seen.insert(KindField);
    }

    void rejectUnknown()
    {
        for (const QString &field : object.keys()) {
            if (!seen.contains(field))
                fail(field, Comconf::tr("неизвестное поле"));
        }
    }

    void fail(const QString &field, const QString &problem)
    {
        errors->append(Comconf::tr("%1, поле %2: %3").arg(context, field, problem));
    }

    bool boolean(const QString &field)
    {
        const QJsonValue value = take(field);
        if (!value.isUndefined() && !value.isBool())
            fail(field, Comconf::tr("должно быть логическим значением (true или false)"));
        return value.toBool();
    }

    int integer(const QString &field, int fallback)
    {
        const QJsonValue value = take(field);
        const double number = value.toDouble();
        const bool whole = value.isDouble() && std::floor(number) == number
                           && number >= std::numeric_limits<int>::min()
                           && number <= std::numeric_limits<int>::max();
        if (!value.isUndefined() && !whole)
            fail(field, Comconf::tr("должно быть целым числом"));
        return whole ? int(number) : fallback;
    }

    QString string(const QString &field)
    {
        const QJsonValue value = take(field);
        if (!value.isUndefined() && !isString(value))
            fail(field, Comconf::tr("должно быть строкой или null"));
        // JSON null gives a null string, "" an empty one.
        return value.toString();
    }

    QJsonArray array(const QString &field)
    {
        const QJsonValue value = take(field);
        if (!value.isUndefined() && !value.isArray())
            fail(field, Comconf::tr("должно быть массивом"));
        return value.toArray();
    }

private:
    QJsonValue take(const QString &field)
    {
        seen.insert(field);
        const QJsonValue value = object.value(field);
        if (value.isUndefined())
            fail(field, Comconf::tr("отсутствует"));
        return value;
    }

    const QJsonObject object;
    const QString context;
    QStringList *errors;
    QSet<QString> seen;
};

ComPortSettings portFromJson(const QJsonValue &value, int index, QStringList *errors)
{
    const QString context = Comconf::tr("Порт %1 (ports[%2])").arg(index + 1).arg(index);
    ComPortSettings port;
    if (!value.isObject()) {
        errors->append(Comconf::tr("%1: должен быть объектом").arg(context));
        return port;
    }
    JsonFields fields(value.toObject(), context, errors);
    port.active = fields.boolean(QStringLiteral("active"));
    port.portName = fields.string(QStringLiteral("portName"));
    port.initString = fields.string(QStringLiteral("initString"));
    for (const PortCode &code : portCodes())
        port.*code.member = fields.integer(code.field, port.*code.member);
    fields.rejectUnknown();
    for (const QString &error : portCodeErrors(port))
        errors->append(QStringLiteral("%1, %2").arg(context, error));
    return port;
}

QByteArray channelFromJson(const QJsonObject &object, QStringList *errors)
{
    const QString context = Comconf::tr("Запись канала");
    ChannelComSettings channel;
    JsonFields fields(object, context, errors);
    channel.blockSize = fields.integer(QStringLiteral("blockSize"), channel.blockSize);
    const QString blockSizeProblem = blockSizeError(channel.blockSize);
    if (!blockSizeProblem.isEmpty())
        errors->append(QStringLiteral("%1, %2").arg(context, blockSizeProblem));
    const QJsonArray ports = fields.array(QStringLiteral("ports"));
    for (int i = 0; i < ports.size(); ++i)
        channel.ports.append(portFromJson(ports.at(i), i, errors));
    for (const QString &name : duplicatePortNames(channel.ports))
        fields.fail(QStringLiteral("ports"), Comconf::tr("порт %1 указан более одного раза").arg(quotedText(name)));
    fields.rejectUnknown();
    return channel.toByteArray();
}

QByteArray abonentFromJson(const QJsonObject &object, QStringList *errors)
{
    AbonentComSettings abonent;
    JsonFields fields(object, Comconf::tr("Запись абонента"), errors);
    abonent.phoneNumber = fields.string(QStringLiteral("phoneNumber"));
    const QJsonArray ports = fields.array(QStringLiteral("ports"));
    for (int i = 0; i < ports.size(); ++i) {
        if (!isString(ports.at(i)))
            fields.fail(QStringLiteral("ports[%1]").arg(i), Comconf::tr("должно быть строкой или null"));
        abonent.ports.append(ports.at(i).toString());
    }
    fields.rejectUnknown();
    return abonent.toByteArray();
}

} // namespace

QJsonObject channelToJson(const ChannelComSettings &channel)
{
    QJsonArray ports;
    for (const ComPortSettings &port : channel.ports) {
        QJsonObject object{{QStringLiteral("active"), port.active},
                           {QStringLiteral("portName"), stringToJson(port.portName)},
                           {QStringLiteral("initString"), stringToJson(port.initString)}};
        for (const PortCode &code : portCodes())
            object.insert(code.field, port.*code.member);
        ports.append(object);
    }
    return {{KindField, ChannelKind},
            {QStringLiteral("blockSize"), channel.blockSize},
            {QStringLiteral("ports"), ports}};
}

QJsonObject abonentToJson(const AbonentComSettings &abonent)
{
    QJsonArray ports;
    for (const QString &port : abonent.ports)
        ports.append(stringToJson(port));
    return {{KindField, AbonentKind},
            {QStringLiteral("phoneNumber"), stringToJson(abonent.phoneNumber)},
            {QStringLiteral("ports"), ports}};
}

QByteArray recordFromJson(const QByteArray &json, QStringList *errors)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        errors->append(Comconf::tr("Файл JSON не разобран: %1 (позиция %2)")
                           .arg(parseError.errorString())
                           .arg(parseError.offset));
        return QByteArray();
    }
    const QJsonObject object = document.object();
    const QString kind = object.value(KindField).toString();
    QByteArray record;
    if (!document.isObject())
        errors->append(Comconf::tr("Документ JSON должен быть объектом"));
    else if (kind == ChannelKind)
        record = channelFromJson(object, errors);
    else if (kind == AbonentKind)
        record = abonentFromJson(object, errors);
    else
        errors->append(Comconf::tr("Поле kind: должно быть \"channel\" или \"abonent\""));
    return errors->isEmpty() ? record : QByteArray();
}
