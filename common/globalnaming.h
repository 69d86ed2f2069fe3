#pragma once

#include "comchannel_export.h"

#include <QDir>
#include <QString>

// Next free names for message directories and task files.
namespace Global {

COMCHANNEL_EXPORT QString nextMessageDirName(QDir const &dir);
COMCHANNEL_EXPORT QString nextTaskFileName(QDir const &dir);

} // namespace Global
