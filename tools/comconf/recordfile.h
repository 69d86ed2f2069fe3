#pragma once

#include <QByteArray>
#include <QString>

struct ChannelComSettings;

enum class RecordKind { Channel, Abonent, Unknown };

// A record is told by its version, the first four bytes the library writes.
RecordKind recordKind(const QByteArray &data);

// The whole file; false with a message in *error when it cannot be read.
bool readWholeFile(const QString &path, QByteArray *data, QString *error);

// How many of the ports read from a channel record lie whole in its bytes;
// a damaged record leaves the entry it was cut in, and any after it, out.
int completeEntries(const ChannelComSettings &channel, const QByteArray &data);
