#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// One message laid out for the log file, UTF-8: its lines one after another,
// each written with a write call of its own.
struct LogLines {
    QByteArray bytes;
    std::vector<int> ends;
    // Where each line's indentation goes, if it has one (-1 for an empty line).
    std::vector<int> indentAt;

    void clear()
    {
        bytes.resize(0);
        ends.clear();
        indentAt.clear();
    }
};

// The current local time as "hh:mm:ss.zzz", written at `out`.
constexpr int TimeStampSize = 12;
void writeTimeStamp(char *out);

// Appends the text encoded as UTF-8.
void appendUtf8(QByteArray &out, QStringView text);

// Splits text at line feeds, keeping empty parts, and appends them to lines:
// the first non-empty part follows firstPrefix, every later one `laterIndent`
// blanks, each then its indentation point, and an empty part stays a bare line
// feed. The text is encoded as it is laid out, in one pass.
void layOutParts(LogLines &lines, QStringView text, const QByteArray &firstPrefix, int laterIndent);

// The same into new lines.
LogLines layOutLines(const QString &text, const QByteArray &firstPrefix, int laterIndent);
