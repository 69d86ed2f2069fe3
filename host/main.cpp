// The reference host: loads the switched channel's settings plug-in as the
// messaging application does and shows its pages; with --tour it plays the
// typical change without a user and reports what it saw.
#include "cchannelpluginlibrary.h"
#include "chosttour.h"
#include "chostwindow.h"
#include "tourinstallation.h"
#include "common/globalpaths.h"
#include "common/logger.h"
#include "common/messagebox.h"
#include "interfaces/cchanneluseddevices.h"
#include "translations/languageoption.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

namespace {

void report(const QString &message, bool tour)
{
    QTextStream err(stderr);
    err.setCodec("UTF-8");
    err << message << '\n';
    if (!tour)
        MessageBox::critical(nullptr, QCoreApplication::translate("main", "Ошибка"), message);
}

// The tour and the help need no user, so no display either.
bool needsNoDisplay(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith("--tour") || argument.startsWith("--help") || argument == "-h" || argument == "-?")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (needsNoDisplay(argc, argv) && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTranslator translator;
    const QString language = LanguageOption::requested(QCoreApplication::arguments());
    if (!LanguageOption::install(language, &translator)) {
        // A usage error: told on the terminal only, as the tour's messages are.
        report(QCoreApplication::translate("main", "Нет перевода на язык %1").arg(language), true);
        return 2;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "Настройки коммутируемого канала"));
    parser.addHelpOption();
    const QCommandLineOption tourOption(QStringLiteral("tour"),
                                        QCoreApplication::translate("main", "Пройти типичное изменение без пользователя"));
    parser.addOption(tourOption);
    parser.addOption({QStringLiteral("lang"),
                      QCoreApplication::translate("main", "Язык текстов: en — английский (по умолчанию русский)"),
                      QCoreApplication::translate("main", "язык")});
    // The tour itself, in the temporary installation that --tour lays out.
    QCommandLineOption tourHereOption(QStringLiteral("tour-here"));
    tourHereOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(tourHereOption);
    parser.process(application);
    if (parser.isSet(tourOption))
        return playTourInTemporaryInstallation(QStringLiteral("--") + tourHereOption.names().constFirst());
    const bool tour = parser.isSet(tourHereOption);

    // Shared with the plug-in from its first call on, and never freed before it.
    static DebugData debugData;
    LoggerData::initDebug(&debugData);
    CChannelPluginLibrary library(Global::channelSettingsPluginsDir().filePath(QStringLiteral("libcomchannel.so")));
    const QString refusal = library.load(&debugData);
    if (!refusal.isEmpty()) {
        report(refusal, tour);
        return 1;
    }

    // Declared after the library and before the window: it outlives every page.
    CChannelUsedDevices usedDevices;
    CHostWindow window(library.plugin(), &usedDevices);
    const QString message = window.load();
    if (tour) {
        if (!message.isEmpty())
            report(message, tour);
        return CHostTour(&window, &library).run() ? 0 : 1;
    }
    window.show();
    if (!message.isEmpty())
        MessageBox::warning(&window, message);
    return application.exec();
}
