#include "findings.h"

#include "console.h"

void Findings::ok(const QString &text)
{
    printLine(QStringLiteral("OK: %1").arg(text));
}

void Findings::warning(const QString &text)
{
    printLine(QStringLiteral("ПРЕДУПРЕЖДЕНИЕ: %1").arg(text));
}

void Findings::error(const QString &text)
{
    errors = true;
    printLine(QStringLiteral("ОШИБКА: %1").arg(text));
}

bool Findings::hasErrors() const
{
    return errors;
}
