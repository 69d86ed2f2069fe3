#pragma once

#include <QString>

// The tool speaks UTF-8 whatever the locale of the terminal or the script
// that reads it, one finding per line.
void printLine(const QString &line);
void printErrorLine(const QString &line);
