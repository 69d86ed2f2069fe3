#pragma once

#include "modemcheckresult.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>

// comconf probe's report: a block of lines per port, then a summary line.
QStringList probeLines(const QList<ComPortSettings> &ports, const QList<ModemCheckResult> &results);
// The same for scripts.
QJsonObject probeJson(const QList<ModemCheckResult> &results);
