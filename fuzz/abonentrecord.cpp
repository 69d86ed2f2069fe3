// The abonent record reader on arbitrary bytes: a record as the host may hand it back.
#include "comchannel/comsettings.h"
#include "fuzz/fuzzapplication.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    AbonentComSettings record;
    if (!record.fromByteArray(bytesOf(data, size)).isEmpty())
        return 0;
    // What was read without complaint is what the page would write back.
    AbonentComSettings again;
    if (!again.fromByteArray(record.toByteArray()).isEmpty() || again.toByteArray() != record.toByteArray())
        std::abort();
    return 0;
}
