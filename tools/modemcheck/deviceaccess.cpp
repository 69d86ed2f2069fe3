#include "deviceaccess.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

QString userName(uid_t uid)
{
    const passwd *entry = getpwuid(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

QString groupName(gid_t gid)
{
    const group *entry = getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

bool isMember(gid_t gid)
{
    std::vector<gid_t> groups(size_t(qMax(getgroups(0, nullptr), 0)));
    groups.resize(size_t(qMax(getgroups(int(groups.size()), groups.data()), 0)));
    return getegid() == gid || std::find(groups.begin(), groups.end(), gid) != groups.end();
}

} // namespace

QString accessRefusalText(const QString &portName)
{
    const QString device = QFileInfo(portName).canonicalFilePath();
    struct stat status;
    if (device.isEmpty() || stat(QFile::encodeName(device).constData(), &status) != 0)
        return QCoreApplication::translate("DeviceAccess", "нет доступа к %1").arg(portName);
    const QString user = userName(geteuid());
    const QString group = groupName(status.st_gid);
    if ((status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP) && !isMember(status.st_gid))
        return QCoreApplication::translate("DeviceAccess",
                                           "нет доступа к %1: устройство %2 открыто для группы %3, а пользователь %4 "
                                           "в нее не входит (добавьте его: usermod -aG %3 %4, затем войдите в "
                                           "систему заново)")
            .arg(portName, device, group, user);
    return QCoreApplication::translate("DeviceAccess",
                                       "нет доступа к %1: права устройства %2: %3, владелец %4, группа %5; "
                                       "пользователь %6")
        .arg(portName, device, QString::number(status.st_mode & 07777, 8), userName(status.st_uid), group, user);
}
