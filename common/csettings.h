#pragma once

#include "comchannel_export.h"

#include <QDateTime>
#include <QFileDevice>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QVariant>

// The process-wide store behind every CSettings handle: the internal settings
// file of the installation.
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

// A short-lived handle on the settings store: construct, read, let go.
class COMCHANNEL_EXPORT CSettings
{
public:
    CSettings();
    ~CSettings();

    void write(const QString &key, const QVariant &value);

    bool debugAll();
    bool debugIpcData();
    bool debugIpcExtra();
    bool debugIpcSecurityDaemon();
    bool debugIpcTransport();
    bool debugTransportAbonents();
    bool debugTransportTransit();
    bool debugTransportConnects();
    bool debugTransportDataLifetime();
    bool debugTransportBaseProtocol();
    bool debugTransportProtocol();
    bool debugTransportProtocolAttaches();
    bool debugTransportIpSocketError();
    bool debugTransportComPortError();
    bool debugTransportComAtCommands();
    bool debugTransportComPackets();
    bool debugTransportComData();
    bool debugTransportTasks();
    bool debugJournals();
    bool debugMessagesAutodelete();
    bool debugMessagesLock();

    QFlags<QFileDevice::Permission> filePermissions();
    QFlags<QFileDevice::Permission> dirPermissions();
    int detailsMaxWritingTime();

private:
    Q_DISABLE_COPY(CSettings)
    SettingsPointer *store;
};

COMCHANNEL_EXPORT extern SettingsPointer *gCSettingsSettings;
