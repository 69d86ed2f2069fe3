#pragma once

#include <QList>
#include <QString>

// A lock file that claims a serial device: "LCK..NAME", NAME the device's base
// name, in the lock directories (COMCONF_LOCK_DIRS, colon-separated, overrides
// /var/lock and /run/lock). The pid in it is ASCII or a 4-byte binary number.
struct PortLock {
    QString path;
    qint64 pid = 0; // 0: no process number could be read
    bool processAlive = false;
    QString processName;
};

QList<PortLock> portLocks(const QString &portName);
