#pragma once

#include <QString>

// What a modem makes of an initialisation string: it takes commands that
// begin with AT, in a buffer of about 40 characters. The transport sends
// each of the escapes \n, \r and \t as one character.
constexpr int ModemCommandLimit = 40;

bool beginsWithAt(const QString &initString);
int modemCommandLength(const QString &initString);
