#include "commandline.h"

#include "comconftext.h"

#include <algorithm>

namespace {

bool isOption(const QString &argument)
{
    return argument.startsWith(QLatin1Char('-'));
}

QString unknownArgument(const QString &argument)
{
    return Comconf::tr("Неизвестный параметр: %1").arg(argument);
}

void parseShow(const QStringList &arguments, CommandLine &line)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--json"))
            line.json = true;
        else if (isOption(argument) || !line.file.isEmpty())
            line.error = unknownArgument(argument);
        else
            line.file = argument;
    }
    if (line.error.isEmpty() && line.file.isEmpty())
        line.error = Comconf::tr("Не указан файл записи");
}

void parseBuild(const QStringList &arguments, CommandLine &line)
{
    for (int i = 0; i < arguments.size() && line.error.isEmpty(); ++i) {
        const QString &argument = arguments.at(i);
        const bool input = argument == QLatin1String("--from-json");
        const bool output = argument == QLatin1String("-o") || argument == QLatin1String("--output");
        if (!input && !output)
            line.error = unknownArgument(argument);
        else if (i + 1 == arguments.size())
            line.error = Comconf::tr("Не указано значение параметра %1").arg(argument);
        else
            (input ? line.file : line.output) = arguments.at(++i);
    }
    if (line.error.isEmpty() && line.file.isEmpty())
        line.error = Comconf::tr("Не указан файл JSON (--from-json)");
    if (line.error.isEmpty() && line.output.isEmpty())
        line.error = Comconf::tr("Не указан файл для записи (-o)");
}

// The value that follows an option; an error when there is none.
QString optionValue(const QStringList &arguments, int *i, CommandLine &line)
{
    if (*i + 1 < arguments.size())
        return arguments.at(++*i);
    line.error = Comconf::tr("Не указано значение параметра %1").arg(arguments.at(*i));
    return QString();
}

// "--lang L" goes with any command: main has installed its translation already.
QStringList withoutLanguage(const QStringList &arguments, CommandLine &line)
{
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--lang"))
            optionValue(arguments, &i, line);
        else if (!argument.startsWith(QLatin1String("--lang=")))
            rest.append(argument);
    }
    return rest;
}

void parseProbe(const QStringList &arguments, CommandLine &line)
{
    for (int i = 0; i < arguments.size() && line.error.isEmpty(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--json")) {
            line.json = true;
        } else if (argument == QLatin1String("--port")) {
            line.ports.append(optionValue(arguments, &i, line));
        } else if (argument == QLatin1String("--dial")) {
            line.dialNumber = optionValue(arguments, &i, line);
        } else if (argument == QLatin1String("--timeout")) {
            const QString value = optionValue(arguments, &i, line);
            bool isNumber = false;
            line.timeoutMs = value.toInt(&isNumber);
            line.timeoutSet = true;
            if (line.error.isEmpty() && (!isNumber || line.timeoutMs <= 0))
                line.error =
                Comconf::tr("Неверное значение --timeout: %1 (нужно число миллисекунд больше 0)").arg(value);
        } else if (isOption(argument) || !line.installDir.isEmpty()) {
            line.error = unknownArgument(argument);
        } else {
            line.installDir = argument;
        }
    }
}

void parseCheck(const QStringList &arguments, CommandLine &line)
{
    bool abonents = false;
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--abonents"))
            abonents = true;
        else if (isOption(argument))
            line.error = unknownArgument(argument);
        else if (abonents)
            line.abonentFiles.append(argument);
        else if (line.installDir.isEmpty())
            line.installDir = argument;
        else
            line.error = unknownArgument(argument);
    }
    if (line.error.isEmpty() && abonents && line.abonentFiles.isEmpty())
        line.error = Comconf::tr("После --abonents не указан ни один файл");
}

bool isHelp(const QString &argument)
{
    return argument == QLatin1String("--help") || argument == QLatin1String("-h");
}

struct CommandUsage {
    const char *name;
    const char *synopsis;
    const char *description;
};

// Translated when printed, so that --lang reaches them.
const CommandUsage Usages[] = {
    {"show", QT_TRANSLATE_NOOP("comconf", "comconf show [--json] ФАЙЛ"),
     QT_TRANSLATE_NOOP("comconf", "показать запись канала (channelCom.conf) или абонента")},
    {"build", QT_TRANSLATE_NOOP("comconf", "comconf build --from-json ФАЙЛ.json -o ФАЙЛ"),
     QT_TRANSLATE_NOOP("comconf", "собрать запись канала или абонента из описания JSON")},
    {"check", QT_TRANSLATE_NOOP("comconf", "comconf check [КАТАЛОГ_УСТАНОВКИ] [--abonents ФАЙЛ...]"),
     QT_TRANSLATE_NOOP("comconf", "проверить установку (по умолчанию ту, которой принадлежит comconf)")},
    {"probe",
     QT_TRANSLATE_NOOP("comconf",
                       "comconf probe [КАТАЛОГ_УСТАНОВКИ] [--port ИМЯ]... [--timeout МС] [--json] [--dial НОМЕР]"),
     QT_TRANSLATE_NOOP("comconf",
                       "открыть активные (или названные) порты, послать модему AT и строку инициализации и показать "
                       "ответ;\n"
                       "      --timeout: сколько ждать каждого ответа (по умолчанию 2000 мс); --dial: позвонить "
                       "(настоящий\n"
                       "      вызов) и положить трубку; код выхода 0, когда все модемы ответили OK, 1 иначе")},
};

bool isCommand(const QString &name)
{
    return std::any_of(std::begin(Usages), std::end(Usages),
                       [&name](const CommandUsage &usage) { return name == QLatin1String(usage.name); });
}

} // namespace

CommandLine parseCommandLine(const QStringList &given)
{
    CommandLine line;
    const QStringList arguments = withoutLanguage(given, line);
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (!line.error.isEmpty())
        return line;
    if (command.isEmpty()) {
        line.error = Comconf::tr("Не указана команда");
    } else if (command == QLatin1String("help") || isHelp(command)) {
        line.command = CommandLine::Help;
        line.helpTopic = rest.value(0);
    } else if (command == QLatin1String("--version")) {
        line.command = CommandLine::Version;
    } else if (std::any_of(rest.begin(), rest.end(), isHelp)) {
        line.command = CommandLine::Help;
        line.helpTopic = command;
    } else if (command == QLatin1String("show")) {
        line.command = CommandLine::Show;
        parseShow(rest, line);
    } else if (command == QLatin1String("build")) {
        line.command = CommandLine::Build;
        parseBuild(rest, line);
    } else if (command == QLatin1String("check")) {
        line.command = CommandLine::Check;
        parseCheck(rest, line);
    } else if (command == QLatin1String("probe")) {
        line.command = CommandLine::Probe;
        parseProbe(rest, line);
    } else {
        line.error = Comconf::tr("Неизвестная команда: %1").arg(command);
    }
    if (!line.helpTopic.isEmpty() && !isCommand(line.helpTopic))
        line.error = Comconf::tr("Неизвестная команда: %1").arg(line.helpTopic);
    return line;
}

QString usageText(const QString &topic)
{
    QStringList lines;
    for (const CommandUsage &usage : Usages) {
        const QString synopsis = Comconf::tr(usage.synopsis);
        const QString description = Comconf::tr(usage.description);
        if (topic == QLatin1String(usage.name))
            lines << Comconf::tr("Использование: %1\n      %2").arg(synopsis, description);
        else if (topic.isEmpty())
            lines << QStringLiteral("  %1\n      %2").arg(synopsis, description);
    }
    if (topic.isEmpty())
        lines.prepend(Comconf::tr("Использование:"));
    if (topic.isEmpty())
        lines << Comconf::tr("  comconf --version\n      версия")
              << Comconf::tr("  comconf --lang ЯЗЫК КОМАНДА ...\n"
                             "      язык текстов: en — английский (по умолчанию русский)");
    if (topic.isEmpty() || topic == QLatin1String("check") || topic == QLatin1String("probe"))
        lines << Comconf::tr("Переменные окружения: COMCONF_LOCK_DIRS (каталоги файлов блокировки через двоеточие),\n"
                             "COMCONF_BYID_DIR (каталог постоянных имен портов).");
    return lines.join(QLatin1Char('\n'));
}

QString versionText()
{
    return QStringLiteral("comconf %1").arg(QStringLiteral(COMCONF_VERSION));
}
