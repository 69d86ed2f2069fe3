#pragma once

#include "comchannel_export.h"

#include <QString>

// Russian display texts for numbers, name cleaning and a few system facts.
namespace Global {

COMCHANNEL_EXPORT QString sizeString(long long const &bytes);
COMCHANNEL_EXPORT QString speedString(long long const &bytesPerSecond);
COMCHANNEL_EXPORT QString speedStringBits(long long const &bytesPerSecond);
COMCHANNEL_EXPORT QString timeStringSec(long long const &seconds);
COMCHANNEL_EXPORT QString declension(int n, QString const &first, QString const &second, QString const &third);
COMCHANNEL_EXPORT QString cut(QString const &text, int n);
COMCHANNEL_EXPORT QString filterName(QString name);
COMCHANNEL_EXPORT QString filterNotValidSymbols(QString text);
COMCHANNEL_EXPORT QString currentSystemUserName();
COMCHANNEL_EXPORT qint64 diskFreeSpace(QString const &path);
COMCHANNEL_EXPORT QString edition();

} // namespace Global
