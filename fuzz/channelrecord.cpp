// The channel record reader on arbitrary bytes: channelCom.conf as anyone may have left it.
#include "comchannel/comsettings.h"
#include "fuzz/fuzzapplication.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return readAndWriteBack<ChannelComSettings>(data, size);
}
