#pragma once

#include <QString>

// Plays the tour in a temporary installation of its own: a copy of this host
// and of the plug-in beside it, empty data and tracing switched on. The
// installation the host was started from is never touched. The copy is run
// with `internalOption`; its output is passed through and its exit code returned.
int playTourInTemporaryInstallation(const QString &internalOption);
