#pragma once

#include <QList>
#include <QStringList>

struct ComPortSettings;

// The names that more than one port carries, each once, in the order of first
// appearance: the port dialog refuses a second port of a name.
QStringList duplicatePortNames(const QList<ComPortSettings> &ports);
