#include "logger.h"

#include "csettings.h"

// This source is the first of the library, so the list of recent operations
// and its mutex exist before any other static object that could trace.
QStringList gStack;
QMutex gStackMutex;
int gFunctionsDebuging = -1;

namespace {

constexpr int StackDepth = 64;
constexpr int FilePrefixLength = 6;

void readTraceSwitchOnce()
{
    if (gFunctionsDebuging != -1)
        return;
    gFunctionsDebuging = CSettings().debugAll() ? 1 : 0;
    QMutexLocker locker(&gStackMutex);
    gStack.reserve(StackDepth);
}

// Once the list is full, the oldest entry's buffer takes the newest text, so
// that recording a scope allocates nothing.
template <typename Text>
void record(const Text &text)
{
    QMutexLocker locker(&gStackMutex);
    QString entry;
    if (gStack.size() >= StackDepth) {
        entry.swap(gStack.first());
        gStack.removeFirst();
        entry.truncate(0);
    }
    entry.append(text);
    gStack.append(QString());
    gStack.last().swap(entry);
}

// Returns the name the exit line repeats: null while tracing is off.
template <typename Text>
QString enterScope(const Text &text)
{
    readTraceSwitchOnce();
    if (gFunctionsDebuging == 1) {
        const QString name(text);
        debug(QStringLiteral("_CFunctionDebug"), QStringLiteral("%1 {").arg(name), LevelAlways, FlagNone);
        return name;
    }
    record(text);
    return QString();
}

} // namespace

_CFunctionDebug::_CFunctionDebug(const char *function)
    : name(enterScope(QLatin1String(function)))
{
}

_CFunctionDebug::_CFunctionDebug(const char *file, int line, const char *function)
    : name(enterScope(QStringLiteral("%1:%2 %3")
                          .arg(QString::fromLatin1(file).mid(FilePrefixLength), QString::number(line),
                               QString::fromLatin1(function))))
{
}

_CFunctionDebug::~_CFunctionDebug()
{
    if (gFunctionsDebuging != 0)
        debug(QStringLiteral("_CFunctionDebug"), QStringLiteral("%1 }").arg(name), LevelAlways, FlagNone);
}

QStringList &_CFunctionDebug::stack()
{
    gStackMutex.lock();
    gStackMutex.unlock();
    return gStack;
}

_CFunctionMeasure::_CFunctionMeasure(const char *name, bool always)
    : name(QString::fromLatin1(name))
    , always(always)
{
    timer.start();
}

_CFunctionMeasure::~_CFunctionMeasure()
{
    const qint64 elapsed = timer.elapsed();
    if (always || elapsed >= 1) {
        debug(QStringLiteral("_CFunctionMeasure"), QStringLiteral("%1 ms - %2").arg(QString::number(elapsed), name),
              LevelAlways, FlagNone);
    }
}
