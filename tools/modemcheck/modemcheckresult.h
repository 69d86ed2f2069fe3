#pragma once

#include "comchannel/comsettings.h"

#include <QList>
#include <QString>
#include <QStringList>

// One command sent to a modem and what came back, the echo left out.
struct ModemAnswer {
    QString command;
    QStringList lines;
    qint64 milliseconds = -1; // how long the answer took; -1: no whole answer came
};

// What the check of one port found, in words an operator acts on.
struct ModemCheckResult {
    enum Outcome { Ok, NoDevice, PermissionDenied, Busy, OpenFailed, NoAnswer, ErrorAnswer, Garbage, HungUp, CallFailed,
                   Cancelled };

    QString portName;
    Outcome outcome = Cancelled;
    QString verdict;
    QStringList notes; // what was done on the way, such as a stale lock removed
    QList<ModemAnswer> answers;
};

// A short stable name of the outcome for scripts ("ok", "no-answer"...).
QString outcomeKey(ModemCheckResult::Outcome outcome);

// How the check talks to a modem.
struct ModemCheckOptions {
    int timeoutMs = 2000;   // for each command's answer
    QString dialNumber;     // not empty: also dial it (a real call) and hang up
    int dialTimeoutMs = 60000;
};

// The port with every code that is not set (-1) taken from the port dialog's
// defaults: 115200 bit/s, 8 data bits, no parity, one stop bit, hardware flow control.
ComPortSettings withDefaults(const ComPortSettings &port);
