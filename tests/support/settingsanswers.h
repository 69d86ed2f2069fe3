#pragma once

#include "common/csettings.h"
#include "common/settingspointer.h"

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

// A store opened afresh answers every number within its accepted range, and
// once it has written its defaults back, the store of the next process answers
// the same.
inline bool settingsAnswersHold()
{
    delete gCSettingsSettings;
    gCSettingsSettings = nullptr;
    const QVector<int> first = settingsAnswers();
    delete gCSettingsSettings;
    gCSettingsSettings = nullptr;
    const bool inRange = first.at(21) >= 0x6000 && first.at(21) <= 0x6666 && first.at(22) >= 0x7111
                         && first.at(22) <= 0x7777 && first.at(23) >= 100 && first.at(23) <= 10000;
    return inRange && settingsAnswers() == first;
}
