#include "portlocks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QtEndian>

#include <cerrno>
#include <limits>
#include <signal.h>

namespace {

QStringList lockDirectories()
{
    const QString overridden = qEnvironmentVariable("COMCONF_LOCK_DIRS");
    if (!overridden.isEmpty())
        return overridden.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return {QStringLiteral("/var/lock"), QStringLiteral("/run/lock")};
}

// The device may be named through an alias; its lock carries either name.
QStringList deviceNames(const QString &portName)
{
    QStringList names{QFileInfo(portName).fileName()};
    const QString device = QFileInfo(portName).canonicalFilePath();
    if (!device.isEmpty())
        names.append(QFileInfo(device).fileName());
    names.removeDuplicates();
    return names;
}

qint64 lockPid(const QByteArray &content)
{
    bool isNumber = false;
    const qint64 ascii = content.left(content.indexOf('\n')).trimmed().toLongLong(&isNumber);
    if (isNumber)
        return qMax<qint64>(ascii, 0);
    if (content.size() == int(sizeof(qint32)))
        return qMax<qint64>(qFromUnaligned<qint32>(content.constData()), 0);
    return 0;
}

bool processExists(qint64 pid)
{
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max())
        return false;
    // EPERM: the process exists but belongs to someone else.
    return kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

QString processName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed()) : QString();
}

PortLock readLock(const QString &path)
{
    PortLock lock;
    lock.path = path;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        lock.pid = lockPid(file.readAll());
    lock.processAlive = processExists(lock.pid);
    if (lock.processAlive)
        lock.processName = processName(lock.pid);
    return lock;
}

} // namespace

QList<PortLock> portLocks(const QString &portName)
{
    QList<PortLock> locks;
    // /var/lock is usually a link to /run/lock: one file, reported once.
    QSet<QString> seen;
    for (const QString &dir : lockDirectories()) {
        for (const QString &name : deviceNames(portName)) {
            const QFileInfo file(QDir(dir).filePath(QStringLiteral("LCK..%1").arg(name)));
            if (file.exists() && !seen.contains(file.canonicalFilePath())) {
                seen.insert(file.canonicalFilePath());
                locks.append(readLock(file.absoluteFilePath()));
            }
        }
    }
    return locks;
}
