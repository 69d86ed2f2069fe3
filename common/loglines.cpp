#include "loglines.h"

#include <ctime>

void appendTimeStamp(QByteArray &out)
{
    // Straight from the C library: formatting through QTime would ask the
    // system time zone again for every message.
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    tm local;
    localtime_r(&now.tv_sec, &local);
    const int ms = int(now.tv_nsec / 1000000);
    const auto digit = [](int value) { return char('0' + value); };
    const char stamp[] = {digit(local.tm_hour / 10), digit(local.tm_hour % 10), ':',
                          digit(local.tm_min / 10), digit(local.tm_min % 10), ':',
                          digit(local.tm_sec / 10), digit(local.tm_sec % 10), '.',
                          digit(ms / 100), digit(ms / 10 % 10), digit(ms % 10)};
    out.append(stamp, int(sizeof(stamp)));
}

LogLines layOutLines(const QString &text, const QByteArray &firstPrefix, int laterIndent)
{
    // A line feed byte never occurs inside a multi-byte UTF-8 sequence, so
    // the encoded text splits where the text itself does.
    const QByteArray utf8 = text.toUtf8();
    const int feeds = utf8.count('\n');

    LogLines lines;
    lines.bytes.reserve(utf8.size() + firstPrefix.size() + feeds * laterIndent + feeds + 1);
    bool first = true;
    int start = 0;
    for (int part = 0; part <= feeds; ++part) {
        int end = utf8.indexOf('\n', start);
        if (end < 0)
            end = utf8.size();
        if (end > start) {
            if (first)
                lines.bytes.append(firstPrefix);
            else
                lines.bytes.append(laterIndent, ' ');
            first = false;
            lines.bytes.append(utf8.constData() + start, end - start);
        }
        lines.bytes.append('\n');
        lines.ends.append(lines.bytes.size());
        start = end + 1;
    }
    return lines;
}
