#pragma once

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QString>
#include <QVariant>

// The process-wide store behind every CSettings handle: the internal settings
// file of the installation. Not thread-safe by itself; CSettings serialises
// every use of it.
class SettingsPointer
{
public:
    explicit SettingsPointer(const QString &fileName);
    void sync();
    void setValue(const QString &key, const QVariant &value);

    QSettings settings;
    QFileInfo fileInfo;
    QDateTime fileTime;
    bool changed = false;
    const bool writable;

private:
    void write();

    // Set since the file last took them all; set again before every write
    // until one succeeds, since after a failed one the toolkit reads the old file back.
    QHash<QString, QVariant> unsaved;
};

// Made by the first handle and never replaced; internal like its class, which
// nothing outside the library can use.
extern SettingsPointer *gCSettingsSettings;
