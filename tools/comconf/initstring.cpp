#include "initstring.h"

bool beginsWithAt(const QString &initString)
{
    return initString.startsWith(QLatin1String("AT"), Qt::CaseInsensitive);
}

int modemCommandLength(const QString &initString)
{
    QString sent = initString;
    sent.replace(QLatin1String("\\n"), QLatin1String("\n"))
        .replace(QLatin1String("\\r"), QLatin1String("\r"))
        .replace(QLatin1String("\\t"), QLatin1String("\t"));
    return sent.size();
}
