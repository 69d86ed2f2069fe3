#include "portcodes.h"

#include "comconftext.h"
#include "comchannel/comsettings.h"

namespace {

constexpr int NotSet = -1;
// The page's block size spin box.
constexpr int MinBlockSize = 32;
constexpr int MaxBlockSize = 4096;

// The speeds the port dialog lists.
QMap<int, QString> dialogSpeeds()
{
    QMap<int, QString> speeds;
    for (int speed : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200})
        speeds.insert(speed, QString::number(speed));
    return speeds;
}

bool isAllowed(const PortCode &code, int value)
{
    return value == NotSet || code.names.contains(value);
}

QString allowedValues(const PortCode &code)
{
    QStringList values{QString::number(NotSet)};
    for (int value : code.names.keys())
        values.append(QString::number(value));
    return values.join(QStringLiteral(", "));
}

QString invalidValue(const QString &field, int value, const QString &allowed)
{
    return Comconf::tr("поле %1: недопустимое значение %2 (допустимо: %3)").arg(field).arg(value).arg(allowed);
}

} // namespace

const QList<PortCode> &portCodes()
{
    static const QList<PortCode> codes{
        {QStringLiteral("baudRate"), Comconf::tr("скорость, бит/с"), &ComPortSettings::baudRate, dialogSpeeds()},
        {QStringLiteral("flowControl"), Comconf::tr("управление потоком"), &ComPortSettings::flowControl,
         {{0, Comconf::tr("Нет")}, {1, Comconf::tr("Аппаратное")}, {2, Comconf::tr("Программное")}}},
        {QStringLiteral("dataBits"), Comconf::tr("биты данных"), &ComPortSettings::dataBits,
         {{5, QStringLiteral("5")}, {6, QStringLiteral("6")}, {7, QStringLiteral("7")}, {8, QStringLiteral("8")}}},
        {QStringLiteral("parity"), Comconf::tr("четность"), &ComPortSettings::parity,
         {{0, Comconf::tr("Нет")}, {2, Comconf::tr("Чет")}, {3, Comconf::tr("Нечет")},
          {4, Comconf::tr("Пробел")}, {5, Comconf::tr("Маркер")}}},
        {QStringLiteral("stopBits"), Comconf::tr("стоповые биты"), &ComPortSettings::stopBits,
         {{1, QStringLiteral("1")}, {2, QStringLiteral("2")}, {3, QStringLiteral("1.5")}}},
    };
    return codes;
}

QString portCodeText(const PortCode &code, int value)
{
    if (value == NotSet)
        return Comconf::tr("не задано");
    if (!isAllowed(code, value))
        return Comconf::tr("недопустимый код %1").arg(value);
    return code.names.value(value, QString::number(value));
}

QString portCodesText(const ComPortSettings &port)
{
    QStringList parts;
    for (const PortCode &code : portCodes())
        parts.append(QStringLiteral("%1: %2").arg(code.label, portCodeText(code, port.*code.member)));
    return parts.join(QStringLiteral(", "));
}

QStringList portCodeErrors(const ComPortSettings &port)
{
    QStringList errors;
    for (const PortCode &code : portCodes()) {
        const int value = port.*code.member;
        if (!isAllowed(code, value))
            errors.append(invalidValue(code.field, value, allowedValues(code)));
    }
    return errors;
}

QString blockSizeError(int blockSize)
{
    if (blockSize >= MinBlockSize && blockSize <= MaxBlockSize)
        return QString();
    return invalidValue(QStringLiteral("blockSize"), blockSize,
                        QStringLiteral("%1 – %2").arg(MinBlockSize).arg(MaxBlockSize));
}
