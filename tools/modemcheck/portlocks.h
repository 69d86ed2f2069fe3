#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A lock file that claims a serial device: "LCK..NAME", NAME the device's base
// name, in the lock directories (COMCONF_LOCK_DIRS, colon-separated, overrides
// /var/lock and /run/lock). The pid in it is ASCII or a 4-byte binary number.
struct PortLock {
    QString path;
    qint64 pid = 0; // 0: no process number could be read
    bool processAlive = false;
    QString processName;
};

QStringList lockDirectories();

// The locks that claim the port under its own name or its device's.
QList<PortLock> portLocks(const QString &portName);

// The port's lock taken by this process for as long as the object lives: a
// lock of a live process is refused, one of a dead process replaced. The lock
// goes into the first lock directory there is, named after the device.
class CHeldPortLock
{
public:
    CHeldPortLock() = default;
    CHeldPortLock(const CHeldPortLock &) = delete;
    CHeldPortLock &operator=(const CHeldPortLock &) = delete;
    ~CHeldPortLock();

    // Empty on success, otherwise why the port is not free; a replaced stale
    // lock is told in *note.
    QString acquire(const QString &portName, QString *note);
    void release();

private:
    QString path;
};
