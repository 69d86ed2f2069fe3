#pragma once

#include "common/comchannel_export.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The switched channel's number among the host's channel types.
constexpr int ComChannelType = 2;

// One COM port with its modem. The serial codes follow QSerialPort's
// enumerations; -1 means "not set".
struct COMCHANNEL_EXPORT ComPortSettings {
    bool active = false;
    QString portName;
    QString initString;
    int baudRate = -1;
    int flowControl = -1;
    int dataBits = -1;
    int parity = -1;
    int stopBits = -1;
};

// The whole switched channel; its byte form is the content of channelCom.conf.
struct COMCHANNEL_EXPORT ChannelComSettings {
    QList<ComPortSettings> ports;
    int blockSize = 1024;

    QByteArray toByteArray() const;
    QString fromByteArray(const QByteArray &data);
};

// How one abonent is reached: phone number and the ports to call through
// (an empty list means any port).
struct COMCHANNEL_EXPORT AbonentComSettings {
    QString phoneNumber;
    QStringList ports;

    QByteArray toByteArray() const;
    QString fromByteArray(const QByteArray &data);
};
