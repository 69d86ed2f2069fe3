#pragma once

#include <QString>

// The doctor's report, printed as it goes: one finding a line, marked
// "ОШИБКА:", "ПРЕДУПРЕЖДЕНИЕ:" or "OK:".
class Findings
{
public:
    void ok(const QString &text);
    void warning(const QString &text);
    void error(const QString &text);

    bool hasErrors() const;

private:
    bool errors = false;
};
