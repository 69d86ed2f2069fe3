#include "buildcommand.h"
#include "commandline.h"
#include "comconftext.h"
#include "console.h"
#include "doctor.h"
#include "probecommand.h"
#include "showcommand.h"

#include "common/logger.h"
#include "translations/languageoption.h"

#include <QCoreApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The records trace their operations, and the first tracer would open the
    // settings store of this binary's installation and write defaults into it.
    gFunctionsDebuging = 0;

    // Before any text is made, so that the usage and every message come out translated.
    QTranslator translator;
    const QString language = LanguageOption::requested(application.arguments());
    CommandLine line;
    if (LanguageOption::install(language, &translator))
        line = parseCommandLine(application.arguments().mid(1));
    else
        line.error = Comconf::tr("Нет перевода на язык %1").arg(language);
    if (!line.error.isEmpty()) {
        printErrorLine(line.error);
        printErrorLine(usageText());
        return 2;
    }
    switch (line.command) {
    case CommandLine::Show:
        return showRecord(line.file, line.json);
    case CommandLine::Build:
        return buildRecord(line.file, line.output);
    case CommandLine::Check:
        return runDoctor(line.installDir, line.abonentFiles);
    case CommandLine::Probe:
        return runProbe(line);
    case CommandLine::Version:
        printLine(versionText());
        return 0;
    case CommandLine::Help:
        break;
    }
    printLine(usageText(line.helpTopic));
    return 0;
}
