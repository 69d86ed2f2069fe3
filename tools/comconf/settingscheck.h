#pragma once

#include <QString>

class Findings;

// settings.ini against what its settings store accepts. Only read: the store
// would write defaults back, and a doctor must not change the installation.
void checkInternalSettings(const QString &path, Findings &findings);
