#pragma once

#include "csettings.h"

// A value of the settings store read on its first need and kept for the rest
// of the process, one for all readers of the same accessor: a log line or a
// save must not pay for a settings sync.
template <auto accessor>
auto keptSetting()
{
    static const auto value = (CSettings().*accessor)();
    return value;
}
