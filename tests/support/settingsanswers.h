#pragma once

#include "common/csettings.h"

#include <QVector>

// What one handle on the settings store answers, every accessor once in the
// order of the keys: the twenty-one switches (0 or 1), then the file and
// directory permissions and the write time limit.
inline QVector<int> settingsAnswers()
{
    CSettings settings;
    return {settings.debugAll(), settings.debugIpcData(), settings.debugIpcExtra(),
            settings.debugIpcSecurityDaemon(), settings.debugIpcTransport(), settings.debugTransportAbonents(),
            settings.debugTransportTransit(), settings.debugTransportConnects(),
            settings.debugTransportDataLifetime(), settings.debugTransportBaseProtocol(),
            settings.debugTransportProtocol(), settings.debugTransportProtocolAttaches(),
            settings.debugTransportIpSocketError(), settings.debugTransportComPortError(),
            settings.debugTransportComAtCommands(), settings.debugTransportComPackets(),
            settings.debugTransportComData(), settings.debugTransportTasks(), settings.debugJournals(),
            settings.debugMessagesAutodelete(), settings.debugMessagesLock(), int(settings.filePermissions()),
            int(settings.dirPermissions()), settings.detailsMaxWritingTime()};
}

// The answers of a store without keys.
inline QVector<int> defaultSettingsAnswers()
{
    return {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0x6666, 0x7777, 5000};
}
