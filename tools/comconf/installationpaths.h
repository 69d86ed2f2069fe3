#pragma once

#include <QDir>
#include <QString>

// The places of an installation's files. They come from the library's own
// layout functions, which are tied to the running executable, and are moved
// under the directory being inspected.
class InstallationPaths
{
public:
    explicit InstallationPaths(const QString &installDir);

    QString installDir() const;
    QString settingsDir() const;
    QString internalSettingsFile() const;
    QString channelComSettingsFile() const;
    QString dataSecrecyDir(int level) const;
    QString logDir(int level) const;

private:
    QString relocated(const QString &libraryPath) const;
    QString relocated(const QDir &libraryDir) const;

    QDir root;
};
