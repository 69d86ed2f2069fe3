#include "globalpaths.h"

#include "global_p.h"

#include <QCoreApplication>
#include <QFile>
#include <QMutex>
#include <QtDebug>

namespace {

bool gEmergecyExit = false;

QDir subDir(QDir const &base, QString const &name)
{
    return QDir(base.absoluteFilePath(name));
}

} // namespace

namespace Global {

QDir applicationDir()
{
    return QDir(QCoreApplication::applicationDirPath());
}

QDir installDir()
{
    // Kept only once the application exists: before that its path is unknown
    // and the directory computed from it would be wrong for good. The logger
    // may ask from any thread; the lock also hands the shared copies a QDir
    // whose lazily computed absolute path is already there.
    static QBasicMutex mutex;
    static QDir known;
    QMutexLocker locker(&mutex);
    if (!known.isAbsolute()) {
        QDir parent = applicationDir();
        parent.cdUp();
        parent.makeAbsolute();
        parent.absolutePath();
        if (!QCoreApplication::instance())
            return parent;
        known = parent;
    }
    return known;
}

QDir settingsDir()
{
    return subDir(installDir(), QStringLiteral("settings/"));
}

QString internalSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("settings.ini"));
}

QString generalSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("generalSettings.ini"));
}

QString uiSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("ui.ini"));
}

QString secrecySettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("secrecy.conf"));
}

QString titlesSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("titles.conf"));
}

QString autoDeletionSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("autoDeletion.conf"));
}

QString notificationsSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("notifications.conf"));
}

QString channelEnableSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("channels.conf"));
}

QString channelIpSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("channelIp.conf"));
}

QString channelComSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("channelCom.conf"));
}

QString channelDedicatedSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("channelDedicated.conf"));
}

QString abonentsSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("abonents.conf"));
}

QString groupsSettingsFilePath()
{
    return settingsDir().absoluteFilePath(QStringLiteral("groups.conf"));
}

QDir notificationsAudioDir()
{
    return subDir(installDir(), QStringLiteral("settings/sounds/"));
}

QDir messagesPluginsDir()
{
    return subDir(applicationDir(), QStringLiteral("messagesPlugins/"));
}

QDir settingsPluginsDir()
{
    return subDir(applicationDir(), QStringLiteral("settingsPlugins/"));
}

QDir channelSettingsPluginsDir()
{
    return subDir(applicationDir(), QStringLiteral("channelSettingsPlugins/"));
}

QDir notificationPluginsDir()
{
    return subDir(applicationDir(), QStringLiteral("notificationPlugins/"));
}

QDir channelPluginsDir()
{
    return subDir(applicationDir(), QStringLiteral("channelPlugins/"));
}

QDir windowPluginsDir()
{
    return subDir(applicationDir(), QStringLiteral("windowPlugins/"));
}

QDir emergecyPatchDir()
{
    return subDir(installDir(), QStringLiteral("emergecyPatch/"));
}

QDir dataDir()
{
    return subDir(installDir(), QStringLiteral("data/"));
}

QDir dataSecrecyDir(int level)
{
    return subDir(dataDir(), QStringLiteral("%1/").arg(level));
}

QString abonentsStatesFilePath()
{
    return dataSecrecyDir(0).absoluteFilePath(QStringLiteral("abonents.states"));
}

QDir logDir(int level)
{
    return subDir(dataSecrecyDir(level), QStringLiteral("log/"));
}

QString journalsFilePath(int level)
{
    return dataSecrecyDir(level).absoluteFilePath(QStringLiteral("journals_2.2.db"));
}

QDir journalsRenderDir(int level)
{
    return subDir(dataSecrecyDir(level), QStringLiteral("journalsRender"));
}

QDir messagesDir(int level)
{
    return subDir(dataSecrecyDir(level), QStringLiteral("messages/"));
}

QDir inputMessagesDir(int level)
{
    return subDir(messagesDir(level), QStringLiteral("input/"));
}

QDir outputMessagesDir(int level)
{
    return subDir(messagesDir(level), QStringLiteral("output/"));
}

QDir draftMessagesDir(int level)
{
    return subDir(messagesDir(level), QStringLiteral("draft/"));
}

QDir incompleteMessagesDir(int level)
{
    return subDir(messagesDir(level), QStringLiteral("incomplete/"));
}

QDir transitMessagesDir(int level)
{
    return subDir(messagesDir(level), QStringLiteral("transit/"));
}

QDir tasksDir(int level)
{
    return subDir(dataSecrecyDir(level), QStringLiteral("tasks/"));
}

QDir tasksToInterfaceDir(int level)
{
    return subDir(tasksDir(level), QStringLiteral("toInterface"));
}

QDir tasksToTransportDir(int level)
{
    return subDir(tasksDir(level), QStringLiteral("toTransport"));
}

// Reports only through the toolkit's channel: the logger calls this while it
// holds its own lock.
bool checkAccess(QDir const &dir)
{
    const QString path = dir.absolutePath();
    if (!dir.exists() && !QDir().mkpath(path)) {
        qWarning().noquote() << QStringLiteral("Global::checkAccess: Не удалось создать каталог") << path;
        return false;
    }

    QFile probe(QDir(path).absoluteFilePath(QStringLiteral(".accessTest_%1.txt").arg(randomNumber())));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.write("test");
    probe.close();
    if (!probe.remove() && !probe.remove()) {
        qWarning().noquote() << QStringLiteral("Global::checkAccess: Не удалось удалить временный файл")
                             << probe.fileName() << probe.errorString();
    }
    return true;
}

bool checkSecrecy(int level)
{
    // Without an application there is no installation to work in: a helper
    // that only encodes a record must leave no directories behind.
    if (!QCoreApplication::instance())
        return false;
    return checkAccess(dataSecrecyDir(level));
}

int currentSecrecy()
{
    for (int level = 0; level <= 3; ++level) {
        if (checkSecrecy(level))
            return level;
    }
    qCritical("Global: Error! Can not get current secrecy level.");
    return 0;
}

bool isEmergecyExit()
{
    return gEmergecyExit;
}

void setEmergecyExit(bool exit)
{
    gEmergecyExit = exit;
}

} // namespace Global
