#include "portlocks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QtEndian>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString lockFileName(const QString &deviceName)
{
    return QStringLiteral("LCK..%1").arg(deviceName);
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

// The conventional content: the pid as ten right-aligned digits and a newline.
QByteArray ownLockContent()
{
    return QByteArray::number(qint64(getpid())).rightJustified(10, ' ') + '\n';
}

// Written under a private name and linked into place, so that nobody ever
// reads a half-written lock and an existing one (or a link put there) is never
// overwritten or followed.
QString createLock(const QString &path)
{
    QByteArray temporary = QFile::encodeName(QFileInfo(path).absolutePath() + QStringLiteral("/LTMP.XXXXXX"));
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return QString::fromLocal8Bit(strerror(errno));
    const QByteArray content = ownLockContent();
    const bool written = fchmod(fd, 0644) == 0 && write(fd, content.constData(), size_t(content.size())) == content.size();
    const int writeError = errno;
    close(fd);
    const bool linked = written && link(temporary.constData(), QFile::encodeName(path).constData()) == 0;
    const int linkError = errno;
    unlink(temporary.constData());
    if (!written)
        return QString::fromLocal8Bit(strerror(writeError));
    return linked ? QString() : QString::fromLocal8Bit(strerror(linkError));
}

QString busyText(const PortLock &lock)
{
    const QString program = lock.processName.isEmpty()
                                ? QString()
                                : QCoreApplication::translate("PortLocks", ", программа %1").arg(lock.processName);
    return QCoreApplication::translate("PortLocks", "порт занят: его держит процесс %1%2 (файл блокировки %3)")
        .arg(QString::number(lock.pid), program, lock.path);
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

QStringList lockDirectories()
{
    const QString overridden = qEnvironmentVariable("COMCONF_LOCK_DIRS");
    if (!overridden.isEmpty())
        return overridden.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return {QStringLiteral("/var/lock"), QStringLiteral("/run/lock")};
}

QList<PortLock> portLocks(const QString &portName)
{
    QList<PortLock> locks;
    // /var/lock is usually a link to /run/lock: one file, reported once.
    QSet<QString> seen;
    for (const QString &dir : lockDirectories()) {
        for (const QString &name : deviceNames(portName)) {
            const QFileInfo file(QDir(dir).filePath(lockFileName(name)));
            if (file.exists() && !seen.contains(file.canonicalFilePath())) {
                seen.insert(file.canonicalFilePath());
                locks.append(readLock(file.absoluteFilePath()));
            }
        }
    }
    return locks;
}

CHeldPortLock::~CHeldPortLock()
{
    release();
}

QString CHeldPortLock::acquire(const QString &portName, QString *note)
{
    release();
    for (const PortLock &lock : portLocks(portName)) {
        if (lock.processAlive)
            return busyText(lock);
        // Maybe still being written by its owner: left alone.
        if (lock.pid == 0)
            return QCoreApplication::translate("PortLocks",
                                               "порт занят: в файле блокировки %1 нет номера процесса (если порт "
                                               "никто не использует, удалите этот файл)")
                .arg(lock.path);
        if (!QFile::remove(lock.path))
            return QCoreApplication::translate("PortLocks", "не удалось удалить устаревший файл блокировки %1")
                .arg(lock.path);
        *note = QCoreApplication::translate("PortLocks",
                                            "удален устаревший файл блокировки %1 процесса %2, которого уже нет")
                    .arg(lock.path, QString::number(lock.pid));
    }
    QString directory;
    for (const QString &candidate : lockDirectories()) {
        if (directory.isEmpty() && QFileInfo(candidate).isDir())
            directory = candidate;
    }
    if (directory.isEmpty())
        return QCoreApplication::translate("PortLocks", "нет каталога файлов блокировки (%1)")
            .arg(lockDirectories().join(QLatin1Char(':')));
    const QString name = deviceNames(portName).constLast();
    const QString lockPath = QDir(directory).filePath(lockFileName(name));
    const QString error = createLock(lockPath);
    if (error.isEmpty()) {
        path = lockPath;
        return QString();
    }
    // Taken by someone else between the look and the link.
    const PortLock taken = readLock(lockPath);
    if (taken.processAlive)
        return busyText(taken);
    return QCoreApplication::translate("PortLocks", "не удалось создать файл блокировки %1: %2").arg(lockPath, error);
}

void CHeldPortLock::release()
{
    // The serial port module may have put a lock of its own, with this
    // process's number, in the same place and removed it on closing; a lock
    // that is no longer this process's is left alone.
    if (!path.isEmpty() && readLock(path).pid == getpid())
        QFile::remove(path);
    path.clear();
}
