#include "csysteminfo.h"
#include "csysteminfo_p.h"

#include "globalformat.h"
#include "globalpaths.h"

#include <QDateTime>
#include <QFile>
#include <QStorageInfo>
#include <QSysInfo>
#include <QTimeZone>
#include <QtDebug>

#include <cstdlib>
#include <sys/sysinfo.h>
#include <sys/utsname.h>

namespace {

const char ProductVersion[] = "3.0.25.0 release";

struct sysinfo systemInfo()
{
    struct sysinfo info = {};
    sysinfo(&info);
    return info;
}

} // namespace

namespace SystemInfo {

QString envInfo(const EnvironmentReader &variable)
{
    QString list;
    for (const char *name : {"HOME", "SESSIONNAME", "SystemDrive", "WINDIR", "PATH"}) {
        const QString value = variable(name).simplified();
        if (!value.isEmpty())
            list += QStringLiteral("%1 - %2, ").arg(QLatin1String(name), value);
    }
    list.chop(2);
    return QStringLiteral("Окружение:            %1").arg(list);
}

QString uptimeInfo(long secondsSinceBoot)
{
    const qint64 seconds = secondsSinceBoot;
    const qint64 ms = seconds * 1000;
    const qint64 days = ms / 86400000;
    const qint64 hours = ms / 3600000 - days * 24;
    const qint64 minutes = ms / 60000 - (days * 1440 + hours * 60);
    const qint64 restSeconds = seconds - (hours * 3600 + days * 86400 + minutes * 60);

    QString text;
    if (days > 0)
        text += QStringLiteral("%1 д. ").arg(days);
    if (hours > 0)
        text += QStringLiteral("%1 ч. ").arg(hours);
    if (minutes > 0)
        text += QStringLiteral("%1 м. ").arg(minutes);
    text += QStringLiteral("%1 с.").arg(restSeconds);
    return QStringLiteral("Аптайм:               %1").arg(text);
}

QString userGroupsInfo(const QString &userName, const QString &groupFilePath)
{
    QFile file(groupFilePath);
    if (!file.exists()) {
        qDebug().noquote() << QStringLiteral("SystemInfo: Файл не существует: ") + groupFilePath;
        return QString();
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug().noquote() << QStringLiteral("SystemInfo: Ошибка открытия файла для чтения: ") + groupFilePath;
        return QString();
    }

    QString groups;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine());
        if (line.contains(userName))
            groups += line.section(QLatin1Char(':'), 0, 0) + QLatin1Char(' ');
    }
    return QStringLiteral("Пользователь:         %1@%2\nГруппы:               %3")
        .arg(userName, QSysInfo::machineHostName(), groups);
}

QString CPUInfo(const QString &cpuInfoFilePath)
{
    QFile file(cpuInfoFilePath);
    if (!file.exists()) {
        qDebug().noquote() << QStringLiteral("Файл не существует: ") + cpuInfoFilePath;
        return QString();
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug().noquote() << QStringLiteral("Ошибка открытия файла для чтения: ") + cpuInfoFilePath;
        return QString();
    }
    const QString text = QString::fromLocal8Bit(file.readAll());
    file.close();

    const QString key = QStringLiteral("model name");
    const int keyAt = text.indexOf(key);
    if (keyAt < 0)
        return QString();
    QString model = text.mid(keyAt);
    model = model.mid(model.indexOf(QLatin1String(": ")) + 2);
    model = model.left(model.indexOf(QLatin1Char('\n')));
    return QStringLiteral("Процессор:            %1, %2").arg(QSysInfo::currentCpuArchitecture(), model);
}

} // namespace SystemInfo

QString CSystemInfo::summaryInfo()
{
    const QString version = QStringLiteral("Версия %1 %2        Builded at %3 %4 with Qt %5")
                                .arg(QLatin1String(ProductVersion), Global::edition(), QLatin1String(__DATE__),
                                     QLatin1String(__TIME__), QLatin1String(QT_VERSION_STR));
    const QStringList lines = {version,          appPathInfo(), OSInfo(),  envInfo(),
                               userGroupsInfo(), byteOrder(),   CPUInfo(), RAMInfo(),
                               HDDInfo(),        uptimeInfo(),  timezoneInfo()};
    return lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n");
}

QString CSystemInfo::appPathInfo()
{
    return QStringLiteral("Каталог:              %1").arg(Global::applicationDir().absolutePath());
}

QString CSystemInfo::OSInfo()
{
    const QString productType = QSysInfo::productType();
    struct utsname system;
    if (productType == QLatin1String("unknown") && uname(&system) == 0) {
        const QString type = QStringLiteral("%1 %2 %3").arg(QString::fromLocal8Bit(system.sysname),
                                                            QString::fromLocal8Bit(system.release),
                                                            QString::fromLocal8Bit(system.version));
        return QStringLiteral("Версия ОС:            %1, %2").arg(type, QSysInfo::kernelVersion());
    }
    return QStringLiteral("Версия ОС:            %1 %2, %3")
        .arg(productType, QSysInfo::productVersion(), QSysInfo::kernelVersion());
}

QString CSystemInfo::envInfo()
{
    return SystemInfo::envInfo([](const char *name) { return QString::fromLocal8Bit(std::getenv(name)); });
}

QString CSystemInfo::userGroupsInfo()
{
    return SystemInfo::userGroupsInfo(Global::currentSystemUserName(), QStringLiteral("/etc/group"));
}

QString CSystemInfo::byteOrder()
{
    const QString order = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? QStringLiteral("LittleEndian")
                                                                         : QStringLiteral("BigEndian");
    return QStringLiteral("Порядок байт:         %1").arg(order);
}

QString CSystemInfo::CPUInfo()
{
    return SystemInfo::CPUInfo(QStringLiteral("/proc/cpuinfo"));
}

QString CSystemInfo::RAMInfo()
{
    // The counts are taken as bytes, without the memory unit factor.
    const struct sysinfo info = systemInfo();
    return QStringLiteral("ОЗУ:                  свободно %1 из %2")
        .arg(Global::sizeString(qint64(info.freeram)), Global::sizeString(qint64(info.totalram)));
}

QString CSystemInfo::HDDInfo()
{
    QDir dir = Global::applicationDir();
    dir.makeAbsolute();
    QStorageInfo volume(dir);
    while (!volume.isValid() && dir.cdUp())
        volume.setPath(dir.absolutePath());
    const qint64 available = volume.bytesAvailable() != 0 ? volume.bytesAvailable() : volume.bytesFree();
    return QStringLiteral("Жесткий диск:         доступно %1 из %2")
        .arg(Global::sizeString(available), Global::sizeString(volume.bytesTotal()));
}

QString CSystemInfo::uptimeInfo()
{
    return SystemInfo::uptimeInfo(systemInfo().uptime);
}

QString CSystemInfo::timezoneInfo()
{
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const bool daylight = zone.isDaylightTime(QDateTime::currentDateTime());
    const QString name = zone.displayName(daylight ? QTimeZone::DaylightTime : QTimeZone::GenericTime);
    const QString offset = zone.displayName(QTimeZone::StandardTime, QTimeZone::OffsetName);
    return QStringLiteral("Часовой пояс:         %1 %2").arg(offset, name);
}
