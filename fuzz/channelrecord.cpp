// The channel record reader on arbitrary bytes: channelCom.conf as anyone may have left it.
#include "comchannel/comsettings.h"
#include "fuzz/fuzzapplication.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ChannelComSettings record;
    if (!record.fromByteArray(bytesOf(data, size)).isEmpty())
        return 0;
    // What was read without complaint is what the page would write back: the
    // bytes tell null texts from empty ones too.
    ChannelComSettings again;
    if (!again.fromByteArray(record.toByteArray()).isEmpty() || again.toByteArray() != record.toByteArray())
        std::abort();
    return 0;
}
