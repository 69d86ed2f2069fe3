#pragma once

#include <QString>

// Why this user may not open the device, said so that the operator knows what
// to do: usually the device's group (dialout) that the user is not in.
QString accessRefusalText(const QString &portName);
