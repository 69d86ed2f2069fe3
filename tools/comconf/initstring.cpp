#include "initstring.h"

#include "modemlines.h"

bool beginsWithAt(const QString &initString)
{
    return initString.startsWith(QLatin1String("AT"), Qt::CaseInsensitive);
}

int modemCommandLength(const QString &initString)
{
    return expandedEscapes(initString).size();
}
