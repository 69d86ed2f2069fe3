#include "globalformat.h"

#include "global_p.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>

namespace {

using Global::tr;

// Unit texts for the powers 2^10, 2^20, 2^30, 2^40 and the template of an unscaled value.
// They are translated when used, so that they follow a translator installed later.
struct UnitScale {
    const char *units[4];
    const char *plain;
};

const UnitScale bytesPerSecondScale = {
    {QT_TRANSLATE_NOOP("Global", "КБайт/с"), QT_TRANSLATE_NOOP("Global", "МБайт/с"),
     QT_TRANSLATE_NOOP("Global", "ГБайт/с"), QT_TRANSLATE_NOOP("Global", "ТБайт/с")},
    QT_TRANSLATE_NOOP("Global", "%1 байт/с")};
const UnitScale bitsPerSecondScale = {
    {QT_TRANSLATE_NOOP("Global", "Кбит/с"), QT_TRANSLATE_NOOP("Global", "Мбит/с"),
     QT_TRANSLATE_NOOP("Global", "Гбит/с"), QT_TRANSLATE_NOOP("Global", "Тбит/с")},
    QT_TRANSLATE_NOOP("Global", "%1 бит/с")};
const UnitScale bytesScale = {
    {QT_TRANSLATE_NOOP("Global", "КБайт"), QT_TRANSLATE_NOOP("Global", "МБайт"),
     QT_TRANSLATE_NOOP("Global", "ГБайт"), QT_TRANSLATE_NOOP("Global", "ТБайт")},
    QT_TRANSLATE_NOOP("Global", "%1 байт")};

QString scaledText(long long value, UnitScale const &scale)
{
    static const long long divisors[] = {1LL << 10, 1LL << 20, 1LL << 30, 1LL << 40};
    for (int index = 3; index >= 0; --index) {
        if (value > divisors[index] - 1)
            return QString::asprintf("%.1f ", double(value) / double(divisors[index])) + tr(scale.units[index]);
    }
    return tr(scale.plain).arg(value);
}

QString bytesPerSecondText(long long bytesPerSecond)
{
    return scaledText(bytesPerSecond, bytesPerSecondScale);
}

QString bitsPerSecondText(long long bytesPerSecond)
{
    return scaledText(bytesPerSecond * 8, bitsPerSecondScale);
}

} // namespace

namespace Global {

QString sizeString(long long const &bytes)
{
    return scaledText(bytes, bytesScale);
}

QString speedString(long long const &bytesPerSecond)
{
    return QStringLiteral("%1 (%2)").arg(bytesPerSecondText(bytesPerSecond), bitsPerSecondText(bytesPerSecond));
}

QString speedStringBits(long long const &bytesPerSecond)
{
    return bitsPerSecondText(bytesPerSecond);
}

QString timeStringSec(long long const &seconds)
{
    if (seconds < 60)
        return tr("%1 сек.").arg(seconds);
    if (seconds < 3600)
        return tr("%1 м. %2 сек.").arg(seconds / 60).arg(seconds % 60);
    return tr("%1 ч. %2 м.").arg(seconds / 3600).arg(seconds / 60 % 60);
}

QString declension(int n, QString const &first, QString const &second, QString const &third)
{
    const int hundreds = n % 100;
    if (hundreds >= 10 && hundreds <= 19)
        return third;
    const int r = n % 10;
    if (r == 1)
        return first;
    if (r >= 2 && r <= 4)
        return second;
    return third;
}

QString cut(QString const &text, int n)
{
    if (n + 3 < text.length())
        return QStringLiteral("%1...").arg(text.left(n));
    return text;
}

QString filterName(QString name)
{
    static const QRegularExpression notNameCharacter(QStringLiteral(
        "[^A-Za-z0-9ЁЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮёйцукенгшщзхъфывапролджэячсмитьбю]"));
    return name.remove(notNameCharacter).toLower();
}

QString filterNotValidSymbols(QString text)
{
    static const QRegularExpression notValidInFileName(QStringLiteral(R"(["<>:\\/\|\?\*]|(\.\.))"));
    return text.remove(notValidInFileName);
}

QString currentSystemUserName()
{
    return QString::fromLocal8Bit(qgetenv("USER"));
}

qint64 diskFreeSpace(QString const &path)
{
    // A path that does not exist yet will live on the file system of its
    // nearest existing ancestor.
    QString current = QFileInfo(path).absoluteFilePath();
    QStorageInfo storage(current);
    while (!storage.isValid()) {
        const QString parent = QFileInfo(current).absolutePath();
        if (parent == current)
            break;
        current = parent;
        storage.setPath(current);
    }
    const qint64 available = storage.bytesAvailable();
    return available == 0 ? storage.bytesFree() : available;
}

QString edition()
{
    return QStringLiteral("linux edition");
}

} // namespace Global
