#include "cchannelpluginlibrary.h"

#include <QFileInfo>

CChannelPluginLibrary::CChannelPluginLibrary(const QString &fileName) : library(fileName)
{
}

CChannelPluginLibrary::~CChannelPluginLibrary()
{
    if (object)
        deleteInstance(object);
    if (library.isLoaded())
        library.unload();
}

QString CChannelPluginLibrary::load(DebugData *debugData)
{
    if (!QFileInfo(fileName()).isFile())
        return tr("Не найдена библиотека модуля настроек канала %1").arg(fileName());
    if (!library.load())
        return tr("Не удалось загрузить библиотеку %1: %2").arg(fileName(), library.errorString());

    const char *const names[] = {"apiVersion", "initDebug", "instance", "deleteInstance"};
    QFunctionPointer entryPoints[4];
    for (int i = 0; i < 4; ++i) {
        entryPoints[i] = library.resolve(names[i]);
        if (!entryPoints[i]) {
            return refuse(tr("В библиотеке %1 нет функции %2")
                              .arg(fileName(), QString::fromLatin1(names[i])));
        }
    }
    const auto apiVersion = reinterpret_cast<ApiVersionFunction>(entryPoints[0]);
    const auto initDebug = reinterpret_cast<InitDebugFunction>(entryPoints[1]);
    const auto instance = reinterpret_cast<InstanceFunction>(entryPoints[2]);

    const int version = apiVersion();
    if (version != ChannelSettingsPluginApiVersion) {
        return refuse(tr("Библиотека %1 реализует интерфейс версии %2, а нужна версия %3")
                          .arg(fileName())
                          .arg(version)
                          .arg(ChannelSettingsPluginApiVersion));
    }

    initDebug(debugData);
    object = instance();
    if (!object)
        return refuse(tr("Библиотека %1 не создала модуль настроек канала").arg(fileName()));
    deleteInstance = reinterpret_cast<DeleteInstanceFunction>(entryPoints[3]);
    return QString();
}

CChannelSettingsPlugin *CChannelPluginLibrary::plugin() const
{
    return object;
}

QString CChannelPluginLibrary::fileName() const
{
    return library.fileName();
}

QString CChannelPluginLibrary::refuse(const QString &message)
{
    library.unload();
    return message;
}
