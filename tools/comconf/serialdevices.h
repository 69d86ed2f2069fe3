#pragma once

#include <QSerialPortInfo>
#include <QString>

// The port as the system reports it right now; a null info when it does not.
QSerialPortInfo systemPort(const QString &portName);

// ttyUSB and ttyACM numbers change when a modem is plugged in again; udev
// keeps a stable alias under /dev/serial/by-id (COMCONF_BYID_DIR overrides).
bool isStableName(const QString &portName);
// The alias that leads to the same device; empty when there is none.
QString stableAlias(const QString &portName);
