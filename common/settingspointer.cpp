#include "settingspointer.h"

#include "globalpaths.h"

#include <QDir>
#include <QFile>
#include <QtDebug>

namespace {

// Fixed, because the store cannot read its own permission keys before it exists.
const QFileDevice::Permissions NewDirPermissions(0x7777);
const QFileDevice::Permissions NewFilePermissions(0x6666);

void makeSettingsDir(const QDir &dir)
{
    const QString path = dir.absolutePath();
    QFile entry(path);
    // Whatever stands at the path when it cannot be made a directory is not ours to open up.
    if (!QDir().mkpath(path) || !entry.setPermissions(NewDirPermissions))
        qWarning() << "Не удалось изменить права доступа каталога с настройками" << path << entry.errorString();
}

} // namespace

SettingsPointer::SettingsPointer(const QString &fileName)
    : settings(fileName, QSettings::IniFormat)
    , fileInfo(settings.fileName())
    , writable(Global::checkSecrecy(0))
{
    // Detached from every thread, the settings object never syncs itself from
    // an event loop, outside the lock that serialises syncs.
    settings.moveToThread(nullptr);
}

void SettingsPointer::sync()
{
    fileInfo.refresh();
    if (!changed && fileInfo.lastModified() == fileTime)
        return;

    if (fileInfo.exists()) {
        settings.sync();
    } else {
        const QDir dir = fileInfo.absoluteDir();
        if (!dir.exists())
            makeSettingsDir(dir);
        settings.sync();
        QFile file(fileInfo.absoluteFilePath());
        if (!file.setPermissions(NewFilePermissions))
            qWarning() << "Не удалось изменить права доступа файла настроек" << file.fileName() << file.errorString();
    }

    if (changed)
        fileInfo.refresh();
    fileTime = fileInfo.lastModified();
    changed = false;
}
