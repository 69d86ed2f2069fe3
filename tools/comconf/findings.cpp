#include "findings.h"

#include "comconftext.h"
#include "console.h"

void Findings::ok(const QString &text)
{
    printLine(QStringLiteral("OK: %1").arg(text));
}

void Findings::warning(const QString &text)
{
    printLine(Comconf::tr("ПРЕДУПРЕЖДЕНИЕ: %1").arg(text));
}

void Findings::error(const QString &text)
{
    errors = true;
    printLine(Comconf::tr("ОШИБКА: %1").arg(text));
}

bool Findings::hasErrors() const
{
    return errors;
}
