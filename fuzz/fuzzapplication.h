#pragma once

#include <QCoreApplication>

// The library finds its installation through the application's path: every
// target runs inside one application object, made before the first input.
inline void startApplication(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv);
}

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
}

// Equal and equally null: a null string must come back null, an empty one empty.
inline bool sameText(const QString &a, const QString &b)
{
    return a == b && a.isNull() == b.isNull();
}
