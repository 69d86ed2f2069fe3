// The channel record reader on arbitrary bytes: channelCom.conf as anyone may have left it.
#include "comchannel/comsettings.h"
#include "fuzz/fuzzapplication.h"

#include <cstdlib>

namespace {

bool samePort(const ComPortSettings &a, const ComPortSettings &b)
{
    return a.active == b.active && sameText(a.portName, b.portName) && sameText(a.initString, b.initString)
           && a.baudRate == b.baudRate && a.flowControl == b.flowControl && a.dataBits == b.dataBits
           && a.parity == b.parity && a.stopBits == b.stopBits;
}

bool sameChannel(const ChannelComSettings &a, const ChannelComSettings &b)
{
    if (a.blockSize != b.blockSize || a.ports.size() != b.ports.size())
        return false;
    for (int i = 0; i < a.ports.size(); ++i) {
        if (!samePort(a.ports.at(i), b.ports.at(i)))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ChannelComSettings record;
    if (!record.fromByteArray(bytesOf(data, size)).isEmpty())
        return 0;
    // What was read without complaint is what the page would write back.
    ChannelComSettings again;
    if (!again.fromByteArray(record.toByteArray()).isEmpty() || !sameChannel(record, again))
        std::abort();
    return 0;
}
