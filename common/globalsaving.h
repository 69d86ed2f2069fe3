#pragma once

#include "comchannel_export.h"

#include <QByteArray>
#include <QDir>
#include <QString>

class QIODevice;

// File writes that never leave a half-written file or wrong permissions.
namespace Global {

COMCHANNEL_EXPORT QString safeSaving(QString const &filePath, QByteArray const &data);
COMCHANNEL_EXPORT QString safeSaving(QString const &newFilePath, QString const &filePath);
COMCHANNEL_EXPORT bool writeData(QIODevice &device, QByteArray const &data, int timeLimitMs);
COMCHANNEL_EXPORT bool setFilePermissions(QString const &filePath);
COMCHANNEL_EXPORT bool makePath(QDir const &dir);

} // namespace Global
