#include "loglines.h"

#include <algorithm>
#include <ctime>

namespace {

// The local time of one second, converted once: the conversion asks the
// time zone rules, which costs more than the rest of a message's layout.
struct SecondText {
    time_t second = -1;
    char text[9];
};

} // namespace

void writeTimeStamp(char *out)
{
    thread_local SecondText cached;
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    const auto digit = [](int value) { return char('0' + value); };
    if (now.tv_sec != cached.second) {
        tm local;
        localtime_r(&now.tv_sec, &local);
        const char text[] = {digit(local.tm_hour / 10), digit(local.tm_hour % 10), ':',
                             digit(local.tm_min / 10),  digit(local.tm_min % 10),  ':',
                             digit(local.tm_sec / 10),  digit(local.tm_sec % 10),  '.'};
        std::copy(text, text + sizeof(text), cached.text);
        cached.second = now.tv_sec;
    }
    const int ms = int(now.tv_nsec / 1000000);
    out = std::copy(cached.text, cached.text + sizeof(cached.text), out);
    out[0] = digit(ms / 100);
    out[1] = digit(ms / 10 % 10);
    out[2] = digit(ms % 10);
}

namespace {

// Encodes UTF-16 as UTF-8 at `out`, which has room for three bytes a unit,
// up to the end of the text or its next line feed, and moves `text` there;
// returns the end of the output. A lone surrogate becomes '?', as the
// toolkit's encoder has it.
char *encodeUtf8(char *out, const char16_t *&text, const char16_t *end)
{
    const char16_t *at = text;
    while (at != end) {
        const char16_t unit = *at;
        if (unit < 0x80) {
            if (unit == u'\n')
                break;
            *out++ = char(unit);
        } else if (unit < 0x800) {
            out[0] = char(0xc0 | (unit >> 6));
            out[1] = char(0x80 | (unit & 0x3f));
            out += 2;
        } else if (!QChar::isSurrogate(unit)) {
            out[0] = char(0xe0 | (unit >> 12));
            out[1] = char(0x80 | ((unit >> 6) & 0x3f));
            out[2] = char(0x80 | (unit & 0x3f));
            out += 3;
        } else if (QChar::isHighSurrogate(unit) && at + 1 != end && QChar::isLowSurrogate(at[1])) {
            const char32_t code = QChar::surrogateToUcs4(unit, *++at);
            out[0] = char(0xf0 | (code >> 18));
            out[1] = char(0x80 | ((code >> 12) & 0x3f));
            out[2] = char(0x80 | ((code >> 6) & 0x3f));
            out[3] = char(0x80 | (code & 0x3f));
            out += 4;
        } else {
            *out++ = '?';
        }
        ++at;
    }
    text = at;
    return out;
}

} // namespace

void appendUtf8(QByteArray &out, QStringView text)
{
    const int start = out.size();
    out.resize(start + 3 * int(text.size()));
    const char16_t *at = text.utf16(), *const end = at + text.size();
    char *written = out.data() + start;
    // A line feed is a character like any other here.
    for (;;) {
        written = encodeUtf8(written, at, end);
        if (at == end)
            break;
        *written++ = '\n';
        ++at;
    }
    out.resize(int(written - out.constData()));
}

// One pass over the text: each part is found and encoded as it is laid out,
// straight into the buffer, which is resized once a part and once at the end.
void layOutParts(LogLines &lines, QStringView text, const QByteArray &firstPrefix, int laterIndent)
{
    QByteArray &out = lines.bytes;
    const char16_t *at = text.utf16(), *const end = at + text.size();
    int size = out.size();
    bool first = true;
    for (;;) {
        const int lead = first ? firstPrefix.size() : laterIndent;
        // Room for the lead, the rest of the text and a line feed.
        out.resize(size + lead + 3 * int(end - at) + 1);
        char *const base = out.data();
        char *const partEnd = encodeUtf8(base + size + lead, at, end);
        if (partEnd != base + size + lead) {
            if (first)
                std::copy(firstPrefix.constData(), firstPrefix.constData() + lead, base + size);
            else
                std::fill(base + size, base + size + lead, ' ');
            lines.indentAt.push_back(size + lead);
            size = int(partEnd - base);
            first = false;
        } else {
            lines.indentAt.push_back(-1);
        }
        base[size++] = '\n';
        lines.ends.push_back(size);
        if (at == end)
            break;
        ++at;
    }
    out.resize(size);
}

LogLines layOutLines(const QString &text, const QByteArray &firstPrefix, int laterIndent)
{
    LogLines lines;
    layOutParts(lines, text, firstPrefix, laterIndent);
    return lines;
}
