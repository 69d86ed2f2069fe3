#pragma once

#include "common/csettings.h"
#include "common/settingspointer.h"

#include <QVector>

// What one handle on the settings store answers, every accessor once in the order
// of the keys: the 21 switches (0 or 1), the file and directory permissions, the write time limit.
inline QVector<int> settingsAnswers()
{
    CSettings s;
    return {s.debugAll(), s.debugIpcData(), s.debugIpcExtra(), s.debugIpcSecurityDaemon(), s.debugIpcTransport(),
            s.debugTransportAbonents(), s.debugTransportTransit(), s.debugTransportConnects(),
            s.debugTransportDataLifetime(), s.debugTransportBaseProtocol(), s.debugTransportProtocol(),
            s.debugTransportProtocolAttaches(), s.debugTransportIpSocketError(), s.debugTransportComPortError(),
            s.debugTransportComAtCommands(), s.debugTransportComPackets(), s.debugTransportComData(),
            s.debugTransportTasks(), s.debugJournals(), s.debugMessagesAutodelete(), s.debugMessagesLock(),
            int(s.filePermissions()), int(s.dirPermissions()), s.detailsMaxWritingTime()};
}

// A store opened afresh answers every number within its accepted range, and once it
// has written its defaults back, the store of the next process answers the same.
inline bool settingsAnswersHold()
{
    delete gCSettingsSettings;
    gCSettingsSettings = nullptr;
    const QVector<int> first = settingsAnswers();
    delete gCSettingsSettings;
    gCSettingsSettings = nullptr;
    return first.at(21) >= 0x6000 && first.at(21) <= 0x6666 && first.at(22) >= 0x7111 && first.at(22) <= 0x7777
           && first.at(23) >= 100 && first.at(23) <= 10000 && settingsAnswers() == first;
}
