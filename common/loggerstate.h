#pragma once

#include "logger.h"

// The installed logger state; a fresh one is installed when there is none yet.
DebugData &installedDebugData();

// The thread's level in the registry (taken, or given a level, as
// currentTabLevel() does), for a caller that holds the state's mutex already.
int lockedTabLevel(DebugData &data, QThread *thread);
