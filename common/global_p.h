#pragma once

// Helpers shared by the sources of the namespace Global; not part of its interface.

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QString>

#include <limits>

namespace Global {

// A throw-away name part: any non-negative int will do.
inline int randomNumber()
{
    return QRandomGenerator::global()->bounded(std::numeric_limits<int>::max());
}

inline QString tr(const char *text)
{
    return QCoreApplication::translate("Global", text);
}

} // namespace Global
