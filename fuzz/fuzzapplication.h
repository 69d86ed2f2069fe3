#pragma once

#include <QByteArray>

#include <cstdlib>

inline QByteArray bytesOf(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
}

// What a record reader takes without complaint is what the page would write back:
// written and read again it gives the same bytes, which tell null texts from empty ones too.
template<typename Record>
int readAndWriteBack(const uint8_t *data, size_t size)
{
    Record record;
    if (!record.fromByteArray(bytesOf(data, size)).isEmpty())
        return 0;
    Record again;
    if (!again.fromByteArray(record.toByteArray()).isEmpty() || again.toByteArray() != record.toByteArray())
        std::abort();
    return 0;
}
