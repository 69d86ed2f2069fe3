#pragma once

#include <QString>
#include <QStringList>

class Findings;

// A file holding one abonent record: the abonent must be callable through at
// least one of the channel's active ports.
void checkAbonentFile(const QString &path, const QStringList &activePorts, Findings &findings);
