#include "comsettings.h"

#include "common/logger.h"

#include <QCoreApplication>
#include <QDataStream>

namespace {

constexpr qint32 ChannelRecordVersion = 3;
constexpr qint32 AbonentRecordVersion = 4;

// The records' messages, each under its own record's translation context.
struct RecordTexts {
    const char *context;
    const char *version;
    const char *damaged;
};

const RecordTexts ChannelTexts = {"ChannelComSettings",
                                  QT_TRANSLATE_NOOP("ChannelComSettings", "Версия настроек %1 не совпадает с текущей %2"),
                                  QT_TRANSLATE_NOOP("ChannelComSettings", "Данные повреждены")};
const RecordTexts AbonentTexts = {"AbonentComSettings",
                                  QT_TRANSLATE_NOOP("AbonentComSettings", "Версия настроек %1 не совпадает с текущей %2"),
                                  QT_TRANSLATE_NOOP("AbonentComSettings", "Данные повреждены")};

QString versionMessage(const RecordTexts &texts, qint32 found, qint32 expected)
{
    return QCoreApplication::translate(texts.context, texts.version).arg(found).arg(expected);
}

QString streamResult(const RecordTexts &texts, const QDataStream &in)
{
    if (in.status() != QDataStream::Ok)
        return QCoreApplication::translate(texts.context, texts.damaged);
    return QString();
}

void writePort(QDataStream &out, const ComPortSettings &port)
{
    out << port.active << port.portName << port.initString << port.baudRate << port.flowControl << port.dataBits
        << port.parity << port.stopBits;
}

ComPortSettings readPort(QDataStream &in)
{
    ComPortSettings port;
    in >> port.active >> port.portName >> port.initString >> port.baudRate >> port.flowControl >> port.dataBits
        >> port.parity >> port.stopBits;
    return port;
}

} // namespace

QByteArray ChannelComSettings::toByteArray() const
{
    TRACE_SCOPE();
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << ChannelRecordVersion << qint32(ports.size()) << blockSize;
    for (const ComPortSettings &port : ports)
        writePort(out, port);
    return data;
}

QString ChannelComSettings::fromByteArray(const QByteArray &data)
{
    TRACE_SCOPE();
    ports.clear();
    QDataStream in(data);
    qint32 version = 0;
    in >> version;
    if (version != ChannelRecordVersion)
        return versionMessage(ChannelTexts, version, ChannelRecordVersion);

    qint32 count = 0;
    in >> count >> blockSize;
    // Entries are read one by one and the loop ends with the first one the
    // data cut off, so a damaged count never costs more than the data holds.
    for (qint32 i = 0; i < count; ++i) {
        ports.append(readPort(in));
        if (in.status() != QDataStream::Ok)
            break;
    }
    return streamResult(ChannelTexts, in);
}

QByteArray AbonentComSettings::toByteArray() const
{
    TRACE_SCOPE();
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << AbonentRecordVersion << phoneNumber << qint32(ports.size());
    for (const QString &port : ports)
        out << port;
    return data;
}

QString AbonentComSettings::fromByteArray(const QByteArray &data)
{
    TRACE_SCOPE();
    QDataStream in(data);
    qint32 version = 0;
    in >> version;
    if (version != AbonentRecordVersion)
        return versionMessage(AbonentTexts, version, AbonentRecordVersion);

    in >> phoneNumber;
    ports.clear();
    quint32 count = 0;
    in >> count;
    // Item by item, for the same reason as the channel's entries.
    for (quint32 i = 0; i < count; ++i) {
        QString port;
        in >> port;
        if (in.status() != QDataStream::Ok) {
            ports.clear();
            break;
        }
        ports.append(port);
    }
    return streamResult(AbonentTexts, in);
}
