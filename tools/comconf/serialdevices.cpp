#include "serialdevices.h"

#include <QDir>
#include <QFileInfo>

namespace {

QDir byIdDir()
{
    const QString overridden = qEnvironmentVariable("COMCONF_BYID_DIR");
    return QDir(overridden.isEmpty() ? QStringLiteral("/dev/serial/by-id") : overridden);
}

QString devicePath(const QString &portName)
{
    return QFileInfo(portName).canonicalFilePath();
}

} // namespace

QSerialPortInfo systemPort(const QString &portName)
{
    const QString device = devicePath(portName);
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (info.systemLocation() == portName || info.portName() == portName
            || (!device.isEmpty() && devicePath(info.systemLocation()) == device))
            return info;
    }
    return QSerialPortInfo();
}

bool isStableName(const QString &portName)
{
    return QFileInfo(portName).absolutePath() == byIdDir().absolutePath();
}

QString stableAlias(const QString &portName)
{
    const QString device = devicePath(portName);
    if (device.isEmpty())
        return QString();
    const QFileInfoList aliases =
        byIdDir().entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &alias : aliases) {
        if (alias.canonicalFilePath() == device)
            return alias.absoluteFilePath();
    }
    return QString();
}
