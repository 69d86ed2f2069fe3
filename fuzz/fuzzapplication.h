#pragma once

#include <QByteArray>
#include <QString>

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
}

// Equal and equally null: a null string must come back null, an empty one empty.
inline bool sameText(const QString &a, const QString &b)
{
    return a == b && a.isNull() == b.isNull();
}
