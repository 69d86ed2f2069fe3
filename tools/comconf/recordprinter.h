#pragma once

#include <QString>
#include <QStringList>

struct ChannelComSettings;
struct AbonentComSettings;

// The records as operators read them: Russian lines, one fact a line.
// Ports from completePorts on were cut off in a damaged record.
QStringList channelLines(const ChannelComSettings &channel, int completePorts);
// A damaged abonent record lost its port list, so only the number is shown.
QStringList abonentLines(const AbonentComSettings &abonent, bool complete);

// A text in quotes, so that blanks show; a null text as "не задано". A list
// is quoted name by name, the abonent check and the printer alike.
QString quotedText(const QString &text);
QString quotedList(const QStringList &names);
