#include "globalnaming.h"

#include "global_p.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

namespace {

// Last number handed out per directory, so that a directory is listed only once per process.
using NumberCache = QHash<QString, int>;

NumberCache &messageDirNumbers()
{
    static NumberCache cache;
    return cache;
}

NumberCache &taskFileNumbers()
{
    static NumberCache cache;
    return cache;
}

// Zero padding keeps a listing by name in the order of creation.
QString paddedNumber(int number)
{
    return QStringLiteral("%1").arg(number, 8, 10, QLatin1Char('0'));
}

int lastMessageDirNumber(QDir const &dir)
{
    static const QRegularExpression messageDirName(QRegularExpression::anchoredPattern(QStringLiteral("\\d{8,8}")));
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        if (messageDirName.match(*name).hasMatch())
            return name->toInt();
    }
    return 0;
}

int lastTaskFileNumber(QDir const &dir)
{
    const QStringList names =
        dir.entryList({QStringLiteral("*.task")}, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    return names.isEmpty() ? 0 : QFileInfo(names.last()).baseName().toInt();
}

} // namespace

namespace Global {

QString nextMessageDirName(QDir const &dir)
{
    const QString key = dir.absolutePath();
    NumberCache &cache = messageDirNumbers();
    const auto cached = cache.constFind(key);
    const int start = cached != cache.constEnd() ? cached.value() : lastMessageDirNumber(dir);
    const int limit = start + 100;
    for (int number = start + 1; number <= limit; ++number) {
        const QString name = paddedNumber(number);
        if (!dir.exists(name)) {
            cache.insert(key, number);
            return name;
        }
    }
    return QString();
}

QString nextTaskFileName(QDir const &dir)
{
    const QString key = dir.path();
    NumberCache &cache = taskFileNumbers();
    const auto cached = cache.constFind(key);
    const int first = (cached != cache.constEnd() ? cached.value() : lastTaskFileNumber(dir)) + 1;
    const int limit = first + 99;
    for (int number = first; number < limit; ++number) {
        const QString name = QStringLiteral("%1.task").arg(paddedNumber(number));
        if (!dir.exists(name)) {
            cache.insert(key, number);
            return name;
        }
    }
    return QStringLiteral("_%1.task").arg(randomNumber());
}

} // namespace Global
