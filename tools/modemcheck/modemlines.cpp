#include "modemlines.h"

#include <QRegularExpression>

QString expandedEscapes(const QString &initString)
{
    QString sent = initString;
    return sent.replace(QLatin1String("\\n"), QLatin1String("\n"))
        .replace(QLatin1String("\\r"), QLatin1String("\r"))
        .replace(QLatin1String("\\t"), QLatin1String("\t"));
}

QStringList initCommands(const QString &initString)
{
    return expandedEscapes(initString).split(QRegularExpression(QStringLiteral("[\r\n]")), Qt::SkipEmptyParts);
}

bool isFinalResultLine(const QString &line)
{
    static const QRegularExpression final(QStringLiteral(
        "^(OK|ERROR|NO CARRIER|BUSY|NO DIALTONE|NO DIAL TONE|NO ANSWER|CONNECT( .*)?|\\+CM[ES] ERROR: .*)$"));
    return final.match(line).hasMatch();
}

bool isSuccessLine(const QString &line)
{
    return line == QLatin1String("OK") || line.startsWith(QLatin1String("CONNECT"));
}
