#include "installationpaths.h"

#include "common/globalpaths.h"

InstallationPaths::InstallationPaths(const QString &installDir) : root(QDir(installDir).absolutePath())
{
}

QString InstallationPaths::installDir() const
{
    return root.absolutePath();
}

QString InstallationPaths::settingsDir() const
{
    return relocated(Global::settingsDir());
}

QString InstallationPaths::internalSettingsFile() const
{
    return relocated(Global::internalSettingsFilePath());
}

QString InstallationPaths::channelComSettingsFile() const
{
    return relocated(Global::channelComSettingsFilePath());
}

QString InstallationPaths::dataSecrecyDir(int level) const
{
    return relocated(Global::dataSecrecyDir(level));
}

QString InstallationPaths::logDir(int level) const
{
    return relocated(Global::logDir(level));
}

QString InstallationPaths::relocated(const QString &libraryPath) const
{
    return QDir::cleanPath(root.absoluteFilePath(Global::installDir().relativeFilePath(libraryPath)));
}

QString InstallationPaths::relocated(const QDir &libraryDir) const
{
    return relocated(libraryDir.absolutePath());
}
