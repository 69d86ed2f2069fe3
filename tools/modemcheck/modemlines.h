#pragma once

#include <QString>
#include <QStringList>

// The initialisation string as the modem receives it: the escapes \n, \r and
// \t that the port dialog's tooltip promises turned into their characters.
QString expandedEscapes(const QString &initString);

// The commands of an initialisation string: each carriage return or line feed
// in it ends one, as it would at the modem; empty pieces are dropped.
QStringList initCommands(const QString &initString);

// A line that ends a modem's answer to a command.
bool isFinalResultLine(const QString &line);
// A final line that says the command was taken.
bool isSuccessLine(const QString &line);
