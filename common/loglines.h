#pragma once

#include <QByteArray>
#include <QString>
#include <QVarLengthArray>

// One message laid out for the log file, UTF-8: its lines one after another,
// each written with a write call of its own.
struct LogLines {
    QByteArray bytes;
    QVarLengthArray<int, 8> ends;
};

// Appends the current local time as "hh:mm:ss.zzz".
void appendTimeStamp(QByteArray &out);

// Splits text at line feeds, keeping empty parts: the first non-empty part
// follows firstPrefix, every later one `laterIndent` blanks, and an empty part
// stays a bare line feed.
LogLines layOutLines(const QString &text, const QByteArray &firstPrefix, int laterIndent);
