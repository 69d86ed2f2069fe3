#pragma once

#include "comchannel/comsettings.h"

#include <QString>
#include <QStringList>

class Findings;

// channelCom.conf: present, readable and valid. Returns the channel as the
// library reads it, damaged or not, as the host would use it; without ports
// when the file cannot be read.
ChannelComSettings checkChannelFile(const QString &path, Findings &findings);

QStringList activePortNames(const ChannelComSettings &channel);
