#pragma once

#include "logger.h"

// The installed logger state; a fresh one is installed when there is none yet.
DebugData &installedDebugData();
