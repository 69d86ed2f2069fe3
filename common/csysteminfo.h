#pragma once

#include "comchannel_export.h"

#include <QString>

// A short description of the build and the machine, written at the head of
// every new log file.
class COMCHANNEL_EXPORT CSystemInfo
{
public:
    static QString summaryInfo();
    static QString appPathInfo();
    static QString OSInfo();
    static QString envInfo();
    static QString userGroupsInfo();
    static QString byteOrder();
    static QString CPUInfo();
    static QString RAMInfo();
    static QString HDDInfo();
    static QString uptimeInfo();
    static QString timezoneInfo();
};
