// The abonent record reader on arbitrary bytes: a record as the host may hand it back.
#include "comchannel/comsettings.h"
#include "fuzz/fuzzapplication.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return readAndWriteBack<AbonentComSettings>(data, size);
}
