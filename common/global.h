#pragma once

// The common library's free helpers, namespace Global.
#include "globalformat.h"
#include "globalnaming.h"
#include "globalpaths.h"
#include "globalsaving.h"
