#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QSettings>
#include <QString>

// The process-wide store behind every CSettings handle: the internal settings
// file of the installation. Not thread-safe by itself; CSettings serialises
// every use of it.
class SettingsPointer
{
public:
    explicit SettingsPointer(const QString &fileName);
    void sync();

    QSettings settings;
    QFileInfo fileInfo;
    QDateTime fileTime;
    bool changed = false;
    const bool writable;
};

// Made by the first handle and never replaced; internal like its class, which
// nothing outside the library can use.
extern SettingsPointer *gCSettingsSettings;
