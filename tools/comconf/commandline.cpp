#include "commandline.h"

namespace {

bool isOption(const QString &argument)
{
    return argument.startsWith(QLatin1Char('-'));
}

QString unknownArgument(const QString &argument)
{
    return QStringLiteral("Неизвестный параметр: %1").arg(argument);
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
        line.error = QStringLiteral("Не указан файл записи");
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
            line.error = QStringLiteral("Не указано значение параметра %1").arg(argument);
        else
            (input ? line.file : line.output) = arguments.at(++i);
    }
    if (line.error.isEmpty() && line.file.isEmpty())
        line.error = QStringLiteral("Не указан файл JSON (--from-json)");
    if (line.error.isEmpty() && line.output.isEmpty())
        line.error = QStringLiteral("Не указан файл для записи (-o)");
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
        line.error = QStringLiteral("После --abonents не указан ни один файл");
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine line;
    const QString command = arguments.value(0);
    const QStringList rest = arguments.mid(1);
    if (command.isEmpty() || command == QLatin1String("help") || command == QLatin1String("-h")
        || command == QLatin1String("--help")) {
        line.command = CommandLine::Help;
    } else if (command == QLatin1String("show")) {
        line.command = CommandLine::Show;
        parseShow(rest, line);
    } else if (command == QLatin1String("build")) {
        line.command = CommandLine::Build;
        parseBuild(rest, line);
    } else if (command == QLatin1String("check")) {
        line.command = CommandLine::Check;
        parseCheck(rest, line);
    } else {
        line.error = QStringLiteral("Неизвестная команда: %1").arg(command);
    }
    return line;
}

QString usageText()
{
    return QStringLiteral(
        "Использование:\n"
        "  comconf show [--json] ФАЙЛ\n"
        "      показать запись канала (channelCom.conf) или абонента\n"
        "  comconf build --from-json ФАЙЛ.json -o ФАЙЛ\n"
        "      собрать запись канала или абонента из описания JSON\n"
        "  comconf check [КАТАЛОГ_УСТАНОВКИ] [--abonents ФАЙЛ...]\n"
        "      проверить установку (по умолчанию ту, которой принадлежит comconf)\n"
        "Переменные окружения: COMCONF_LOCK_DIRS (каталоги файлов блокировки через двоеточие),\n"
        "COMCONF_BYID_DIR (каталог постоянных имен портов).");
}
