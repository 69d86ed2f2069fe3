#pragma once

#include <QString>
#include <QStringList>

// comconf check: what operators of serial modems keep asking, answered for
// one installation (empty: the one this binary belongs to) and, optionally,
// some abonent records. Returns the exit code: 1 when any error was found.
int runDoctor(const QString &installDir, const QStringList &abonentFiles);
