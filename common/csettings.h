#pragma once

#include "comchannel_export.h"

#include <QFileDevice>
#include <QString>
#include <QVariant>

class SettingsPointer;

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
