#pragma once

// "--lang LANGUAGE" of the reference host and of comconf: the translation that
// the common library carries. Russian, the default, needs no translator.
#include <QCoreApplication>
#include <QStringList>
#include <QTranslator>

namespace LanguageOption {

// The value of "--lang L" or "--lang=L" among the arguments; empty without one.
// Read before any text is made, so that the usage texts come out translated too.
inline QString requested(const QStringList &arguments)
{
    const QString option = QStringLiteral("--lang");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == option)
            return arguments.value(i + 1);
        if (argument.startsWith(option + QLatin1Char('=')))
            return argument.mid(option.size() + 1);
    }
    return QString();
}

// Installs `translator` for `language`; false when the library has no translation into it.
inline bool install(const QString &language, QTranslator *translator)
{
    if (language.isEmpty() || language == QLatin1String("ru"))
        return true;
    return translator->load(QStringLiteral(":/comchannel/translations/comchannel_%1.qm").arg(language))
           && QCoreApplication::installTranslator(translator);
}

} // namespace LanguageOption
