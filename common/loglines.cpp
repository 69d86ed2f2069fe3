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

void appendTimeStamp(QByteArray &out)
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
    const char milliseconds[] = {digit(ms / 100), digit(ms / 10 % 10), digit(ms % 10)};
    out.append(cached.text, int(sizeof(cached.text)));
    out.append(milliseconds, int(sizeof(milliseconds)));
}

namespace {

// Encodes UTF-16 as UTF-8 at `out`, which has room for three bytes a unit;
// returns the end. A lone surrogate becomes '?', as the toolkit's encoder has it.
char *encodeUtf8(char *out, const char16_t *text, const char16_t *end)
{
    while (text != end) {
        const char16_t unit = *text++;
        if (unit < 0x80) {
            *out++ = char(unit);
        } else if (unit < 0x800) {
            *out++ = char(0xc0 | (unit >> 6));
            *out++ = char(0x80 | (unit & 0x3f));
        } else if (!QChar::isSurrogate(unit)) {
            *out++ = char(0xe0 | (unit >> 12));
            *out++ = char(0x80 | ((unit >> 6) & 0x3f));
            *out++ = char(0x80 | (unit & 0x3f));
        } else if (QChar::isHighSurrogate(unit) && text != end && QChar::isLowSurrogate(*text)) {
            const char32_t code = QChar::surrogateToUcs4(unit, *text++);
            *out++ = char(0xf0 | (code >> 18));
            *out++ = char(0x80 | ((code >> 12) & 0x3f));
            *out++ = char(0x80 | ((code >> 6) & 0x3f));
            *out++ = char(0x80 | (code & 0x3f));
        } else {
            *out++ = '?';
        }
    }
    return out;
}

// Appends `lead` bytes (a copy of `prefix`, or blanks if it is null) and the
// encoded text, with one resize for room and one for the end.
void appendLine(QByteArray &out, const char *prefix, int lead, const char16_t *text, const char16_t *end)
{
    const int start = out.size();
    out.resize(start + lead + 3 * int(end - text));
    char *at = out.data() + start;
    if (prefix)
        std::copy(prefix, prefix + lead, at);
    else
        std::fill(at, at + lead, ' ');
    out.resize(int(encodeUtf8(at + lead, text, end) - out.constData()));
}

} // namespace

void appendUtf8(QByteArray &out, QStringView text)
{
    appendLine(out, nullptr, 0, text.utf16(), text.utf16() + text.size());
}

// One pass over the text: each part is found and encoded as it is laid out.
void layOutParts(LogLines &lines, QStringView text, const QByteArray &firstPrefix, int laterIndent)
{
    const char16_t *start = text.utf16(), *const textEnd = start + text.size();
    bool first = true;
    for (;;) {
        const char16_t *end = std::find(start, textEnd, u'\n');
        if (end > start) {
            const int lead = first ? firstPrefix.size() : laterIndent;
            lines.indentAt.append(lines.bytes.size() + lead);
            appendLine(lines.bytes, first ? firstPrefix.constData() : nullptr, lead, start, end);
            first = false;
        } else {
            lines.indentAt.append(-1);
        }
        lines.bytes.append('\n');
        lines.ends.append(lines.bytes.size());
        if (end == textEnd)
            return;
        start = end + 1;
    }
}

LogLines layOutLines(const QString &text, const QByteArray &firstPrefix, int laterIndent)
{
    LogLines lines;
    layOutParts(lines, text, firstPrefix, laterIndent);
    return lines;
}
