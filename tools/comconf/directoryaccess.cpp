#include "directoryaccess.h"

#include "comconftext.h"
#include "common/globalpaths.h"

#include <QFileInfo>

namespace {

QFileInfo nearestExisting(const QString &path)
{
    QFileInfo info(path);
    while (!info.exists() && !info.isRoot())
        info.setFile(info.absolutePath());
    return info;
}

} // namespace

DirectoryAccess directoryAccess(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return Global::checkAccess(QDir(path)) ? DirectoryAccess::Writable : DirectoryAccess::NotWritable;
    const QFileInfo ancestor = nearestExisting(path);
    if (info.exists() || !ancestor.isDir())
        return DirectoryAccess::NotCreatable;
    return Global::checkAccess(QDir(ancestor.absoluteFilePath())) ? DirectoryAccess::Creatable
                                                                  : DirectoryAccess::NotCreatable;
}

bool isUsable(DirectoryAccess access)
{
    return access == DirectoryAccess::Writable || access == DirectoryAccess::Creatable;
}

QString accessText(DirectoryAccess access)
{
    switch (access) {
    case DirectoryAccess::Writable:
        return Comconf::tr("запись разрешена");
    case DirectoryAccess::NotWritable:
        return Comconf::tr("запись запрещена");
    case DirectoryAccess::Creatable:
        return Comconf::tr("отсутствует, может быть создан");
    case DirectoryAccess::NotCreatable:
        break;
    }
    return Comconf::tr("отсутствует, создать нельзя");
}
