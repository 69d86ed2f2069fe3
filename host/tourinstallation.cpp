#include "tourinstallation.h"

#include "common/globalpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

const QString pluginFileName = QStringLiteral("libcomchannel.so");

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

bool layOut(const QDir &root)
{
    const QString pluginsDir = QStringLiteral("bin/channelSettingsPlugins");
    return root.mkpath(pluginsDir) && root.mkpath(QStringLiteral("settings")) && root.mkpath(QStringLiteral("data/0"))
        && QFile::copy(QCoreApplication::applicationFilePath(), root.filePath(QStringLiteral("bin/comchannel-host")))
        && QFile::copy(Global::channelSettingsPluginsDir().filePath(pluginFileName),
                       root.filePath(pluginsDir + QLatin1Char('/') + pluginFileName))
        // Every call of the plug-in traced into the log; Escape closes the port dialog.
        && writeFile(root.filePath(QStringLiteral("settings/settings.ini")), "[Debug]\nall=true\n")
        && writeFile(root.filePath(QStringLiteral("settings/generalSettings.ini")), "closeChildWindows=true\n");
}

} // namespace

int playTourInTemporaryInstallation(const QString &internalOption)
{
    QTextStream err(stderr);
    err.setCodec("UTF-8");
    const QTemporaryDir installation;
    const QDir root(installation.path());
    if (!installation.isValid() || !layOut(root)) {
        err << QCoreApplication::translate("main", "Не удалось подготовить временную установку %1")
                   .arg(installation.path())
            << '\n';
        return 1;
    }

    QProcess tour;
    tour.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The trace goes to the log file; the console keeps the tour's own report.
    environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("default.debug=false"));
    tour.setProcessEnvironment(environment);
    tour.start(root.filePath(QStringLiteral("bin/comchannel-host")), {internalOption});
    if (!tour.waitForFinished(-1) || tour.exitStatus() != QProcess::NormalExit) {
        err << QCoreApplication::translate("main", "Сценарий прерван: %1").arg(tour.errorString()) << '\n';
        return 1;
    }
    return tour.exitCode();
}
