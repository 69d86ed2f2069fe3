#pragma once

#include <QtGlobal>

// Marks what the plug-in library offers to the host application; everything
// else stays internal to the library.
#define COMCHANNEL_EXPORT Q_DECL_EXPORT
