#pragma once

#include "comchannel_export.h"

#include <QDir>
#include <QString>

// The installation's directory layout: the application directory holds the
// plug-in directories, its parent (the installation directory) the settings
// and the data, separated by secrecy level.
namespace Global {

COMCHANNEL_EXPORT QDir applicationDir();
COMCHANNEL_EXPORT QDir installDir();

COMCHANNEL_EXPORT QDir settingsDir();
COMCHANNEL_EXPORT QString internalSettingsFilePath();
COMCHANNEL_EXPORT QString generalSettingsFilePath();
COMCHANNEL_EXPORT QString uiSettingsFilePath();
COMCHANNEL_EXPORT QString secrecySettingsFilePath();
COMCHANNEL_EXPORT QString titlesSettingsFilePath();
COMCHANNEL_EXPORT QString autoDeletionSettingsFilePath();
COMCHANNEL_EXPORT QString notificationsSettingsFilePath();
COMCHANNEL_EXPORT QString channelEnableSettingsFilePath();
COMCHANNEL_EXPORT QString channelIpSettingsFilePath();
COMCHANNEL_EXPORT QString channelComSettingsFilePath();
COMCHANNEL_EXPORT QString channelDedicatedSettingsFilePath();
COMCHANNEL_EXPORT QString abonentsSettingsFilePath();
COMCHANNEL_EXPORT QString groupsSettingsFilePath();
COMCHANNEL_EXPORT QDir notificationsAudioDir();

COMCHANNEL_EXPORT QDir messagesPluginsDir();
COMCHANNEL_EXPORT QDir settingsPluginsDir();
COMCHANNEL_EXPORT QDir channelSettingsPluginsDir();
COMCHANNEL_EXPORT QDir notificationPluginsDir();
COMCHANNEL_EXPORT QDir channelPluginsDir();
COMCHANNEL_EXPORT QDir windowPluginsDir();

COMCHANNEL_EXPORT QDir emergecyPatchDir();
COMCHANNEL_EXPORT QDir dataDir();
COMCHANNEL_EXPORT QDir dataSecrecyDir(int level);
COMCHANNEL_EXPORT QString abonentsStatesFilePath();
COMCHANNEL_EXPORT QDir logDir(int level);
COMCHANNEL_EXPORT QString journalsFilePath(int level);
COMCHANNEL_EXPORT QDir journalsRenderDir(int level);
COMCHANNEL_EXPORT QDir messagesDir(int level);
COMCHANNEL_EXPORT QDir inputMessagesDir(int level);
COMCHANNEL_EXPORT QDir outputMessagesDir(int level);
COMCHANNEL_EXPORT QDir draftMessagesDir(int level);
COMCHANNEL_EXPORT QDir incompleteMessagesDir(int level);
COMCHANNEL_EXPORT QDir transitMessagesDir(int level);
COMCHANNEL_EXPORT QDir tasksDir(int level);
COMCHANNEL_EXPORT QDir tasksToInterfaceDir(int level);
COMCHANNEL_EXPORT QDir tasksToTransportDir(int level);

// Secrecy level: the first data level (0 to 3) the current user may write to.
COMCHANNEL_EXPORT bool checkAccess(QDir const &dir);
COMCHANNEL_EXPORT bool checkSecrecy(int level);
COMCHANNEL_EXPORT int currentSecrecy();

COMCHANNEL_EXPORT bool isEmergecyExit();
COMCHANNEL_EXPORT void setEmergecyExit(bool exit);

} // namespace Global
