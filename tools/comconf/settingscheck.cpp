#include "settingscheck.h"

#include "comconftext.h"
#include "findings.h"
#include "settingskeys.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QString storedText(const QVariant &value)
{
    // An unquoted comma makes the INI reader return a list.
    return value.type() == QVariant::StringList ? value.toStringList().join(QLatin1Char(',')) : value.toString();
}

QString numberText(const SettingsKey &key, int value)
{
    if (!key.permissions)
        return QString::number(value);
    return QStringLiteral("%1 (0x%2)").arg(value).arg(value, 0, 16);
}

bool isBooleanText(const QString &text)
{
    return text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
           || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0;
}

// Empty when the stored value is one the store takes as it is.
QString problem(const SettingsKey &key, const QVariant &value)
{
    const QString text = storedText(value);
    if (key.isSwitch) {
        if (isBooleanText(text))
            return QString();
        return Comconf::tr("«%1»: не логическое значение (ожидается true или false); библиотека прочтет его как %2")
            .arg(text, value.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
    }
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    const QString replaced =
        Comconf::tr("библиотека заменит его значением по умолчанию %1").arg(numberText(key, key.defaultValue));
    if (!isNumber)
        return Comconf::tr("«%1»: не целое число; %2").arg(text, replaced);
    if (number < key.minimum || number > key.maximum)
        return Comconf::tr("%1: вне допустимого диапазона %2 – %3; %4")
            .arg(numberText(key, number), numberText(key, key.minimum), numberText(key, key.maximum), replaced);
    return QString();
}

} // namespace

void checkInternalSettings(const QString &path, Findings &findings)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        findings.ok(Comconf::tr("файл настроек отсутствует, действуют значения по умолчанию: %1").arg(path));
        return;
    }
    const QSettings settings(path, QSettings::IniFormat);
    if (!info.isReadable() || settings.status() != QSettings::NoError) {
        findings.warning(Comconf::tr("файл настроек не читается, действуют значения по умолчанию: %1").arg(path));
        return;
    }
    bool clean = true;
    for (const SettingsKey &key : settingsKeys()) {
        if (!settings.contains(key.key))
            continue;
        const QString found = problem(key, settings.value(key.key));
        if (found.isEmpty())
            continue;
        clean = false;
        findings.warning(QStringLiteral("%1: %2 = %3").arg(info.fileName(), key.key, found));
    }
    if (clean)
        findings.ok(Comconf::tr("значения файла настроек в допустимых пределах: %1").arg(path));
}
