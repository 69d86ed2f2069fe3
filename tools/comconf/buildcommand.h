#pragma once

#include <QString>

// comconf build: writes the record that a JSON description holds, safely.
// Returns the exit code: 1 when the description is refused or not saved.
int buildRecord(const QString &jsonPath, const QString &outputPath);
