#include "recordfile.h"

#include "comconftext.h"
#include "comchannel/comsettings.h"

#include <QFile>

namespace {

QByteArray versionBytes(const QByteArray &record)
{
    return record.left(4);
}

} // namespace

RecordKind recordKind(const QByteArray &data)
{
    const QByteArray version = versionBytes(data);
    if (version == versionBytes(ChannelComSettings().toByteArray()))
        return RecordKind::Channel;
    if (version == versionBytes(AbonentComSettings().toByteArray()))
        return RecordKind::Abonent;
    return RecordKind::Unknown;
}

bool readWholeFile(const QString &path, QByteArray *data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = Comconf::tr("Не удалось прочитать файл %1: %2").arg(path, file.errorString());
        return false;
    }
    *data = file.readAll();
    return true;
}

int completeEntries(const ChannelComSettings &channel, const QByteArray &data)
{
    // The library's own encoder tells where each entry ends: a record without
    // ports is its header alone, and the entries follow it in order.
    const int headerSize = ChannelComSettings().toByteArray().size();
    ChannelComSettings prefix;
    for (int i = 0; i < channel.ports.size(); ++i) {
        prefix.ports.append(channel.ports.at(i));
        const QByteArray entries = prefix.toByteArray().mid(headerSize);
        if (data.mid(headerSize, entries.size()) != entries)
            return i;
    }
    return channel.ports.size();
}
