// The channel record read and written against a plain QDataStream loop over
// the same fields, and a hostile record that claims more entries than it holds.

#include "channels.h"
#include "table.h"

#include <QDataStream>

#include <cmath>

#include <sys/resource.h>

namespace {

using namespace Bench;

long maxRssKiB()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QList<ComPortSettings> plainRead(const QByteArray &data)
{
    QDataStream in(data);
    qint32 version, count, blockSize;
    in >> version >> count >> blockSize;
    QList<ComPortSettings> ports;
    for (qint32 i = 0; i < count; ++i) {
        ComPortSettings p;
        in >> p.active >> p.portName >> p.initString >> p.baudRate >> p.flowControl >> p.dataBits >> p.parity
            >> p.stopBits;
        ports.append(p);
    }
    return ports;
}

QByteArray plainWrite(const ChannelComSettings &channel)
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out << qint32(3) << qint32(channel.ports.size()) << qint32(channel.blockSize);
    for (const ComPortSettings &p : channel.ports)
        out << p.active << p.portName << p.initString << p.baudRate << p.flowControl << p.dataBits << p.parity
            << p.stopBits;
    return data;
}

void benchChannelRecord()
{
    const ChannelComSettings channel = channelOf(10000);
    const QByteArray data = channel.toByteArray();
    if (data != plainWrite(channel))
        qFatal("the plain writer does not write the channel record");
    int sink = 0;

    const auto ours = [&] {
        ChannelComSettings read;
        read.fromByteArray(data);
        sink += read.ports.size();
    };
    const auto plain = [&] { sink += plainRead(data).size(); };
    const auto reads = medians(61, 1, ours, plain);
    addRow("read of a 10,000-port channel record", duration(reads[0]),
           duration(reads[1]) + QStringLiteral(" QDataStream"), reads[0] / reads[1], "<= 1.3x",
           reads[0] <= 1.3 * reads[1]);

    const auto writes = medians(61, 1, [&] { sink += channel.toByteArray().size(); },
                                [&] { sink += plainWrite(channel).size(); });
    addRow("write of the same record", duration(writes[0]), duration(writes[1]) + QStringLiteral(" QDataStream"),
           writes[0] / writes[1], "<= 1.3x", writes[0] <= 1.3 * writes[1]);
    if (sink == 0)
        qFatal("nothing was read");
}

QByteArray channelHeader(qint32 count)
{
    QByteArray data;
    QDataStream(&data, QIODevice::WriteOnly) << qint32(3) << count << qint32(1024);
    return data;
}

// Runs first, so that the maximum resident size is not already raised by the rest.
void benchHostileRecord()
{
    const QByteArray hostile = channelHeader(0x7fffffff), empty = channelHeader(0);
    // The first reads also read the trace switch and fill the list of the last
    // 64 traced operations, which then stays at its size.
    for (int i = 0; i < 100; ++i)
        ChannelComSettings().fromByteArray(hostile);
    const long before = maxRssKiB();
    constexpr int Rounds = 201, Batch = 250;
    const auto times = medians(Rounds, Batch, [&] { ChannelComSettings().fromByteArray(hostile); },
                               [&] { ChannelComSettings().fromByteArray(empty); });
    const long after = maxRssKiB();
    const double ratio = times[0] / times[1];
    addNote(QStringLiteral("Hostile record: max RSS (getrusage) %1 KiB before and %2 KiB after %3 reads.")
                .arg(before).arg(after).arg(Rounds * Batch + 1));
    addRow("read of a hostile record claiming 2^31-1 entries in 12 bytes",
           duration(times[0]) + QStringLiteral(", RSS +%1 KiB").arg(after - before),
           duration(times[1]) + QStringLiteral(" empty record"), ratio, "<= 10x, no memory growth",
           ratio <= 10 && after <= before);
}

} // namespace

void Bench::benchRecords()
{
    benchHostileRecord();
    benchChannelRecord();
}
