#include "modemcheckresult.h"

#include <QSerialPort>

QString outcomeKey(ModemCheckResult::Outcome outcome)
{
    static const char *const keys[] = {"ok",        "no-device",    "permission-denied", "busy",
                                       "open-failed", "no-answer",  "error-answer",      "garbage",
                                       "hung-up",   "call-failed",  "cancelled"};
    return QString::fromLatin1(keys[outcome]);
}

ComPortSettings withDefaults(const ComPortSettings &port)
{
    const auto orDefault = [](int code, int fallback) { return code == -1 ? fallback : code; };
    ComPortSettings complete = port;
    complete.baudRate = orDefault(port.baudRate, QSerialPort::Baud115200);
    complete.flowControl = orDefault(port.flowControl, QSerialPort::HardwareControl);
    complete.dataBits = orDefault(port.dataBits, QSerialPort::Data8);
    complete.parity = orDefault(port.parity, QSerialPort::NoParity);
    complete.stopBits = orDefault(port.stopBits, QSerialPort::OneStop);
    return complete;
}
