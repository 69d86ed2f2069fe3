#pragma once

#include <QCoreApplication>

// The context of comconf's texts in the translation: Comconf::tr("…") in any
// of its units, QT_TRANSLATE_NOOP("comconf", "…") in tables.
struct Comconf {
    Q_DECLARE_TR_FUNCTIONS(comconf)
};
