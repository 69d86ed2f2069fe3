// Start-up of the plug-in against a plain library, each in a new process.

#include "channels.h"
#include "table.h"

#include "common/globalpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <cmath>

namespace {

using namespace Bench;

struct StartUp {
    double microseconds = 0;
    double residentKiB = 0;
};

// Medians over the runs, each a new process; the libraries take turns.
std::array<StartUp, 3> startUps(int runs)
{
    const QString child = QCoreApplication::applicationDirPath() + QStringLiteral("/comchannel-startup");
    const QStringList libraries[] = {{QStringLiteral(COMCHANNEL_PLUGIN_PATH), QStringLiteral("plugin")},
                                     {QStringLiteral(PLAIN_PAGE_PATH), QStringLiteral("plain")},
                                     {QStringLiteral(FORM_PAGE_PATH), QStringLiteral("plain")}};
    std::array<std::vector<double>, 3> times, sizes;
    for (int run = 0; run < runs; ++run) {
        for (int i = 0; i < 3; ++i) {
            QProcess process;
            process.start(child, libraries[i]);
            process.waitForFinished(60000);
            const QList<QByteArray> figures = process.readAllStandardOutput().simplified().split(' ');
            if (process.exitCode() != 0 || figures.size() != 2)
                qFatal("comchannel-startup failed with %s", qPrintable(libraries[i].join(' ')));
            times[i].push_back(figures[0].toDouble() / 1000);
            sizes[i].push_back(figures[1].toDouble());
        }
    }
    std::array<StartUp, 3> medians;
    for (int i = 0; i < 3; ++i)
        medians[i] = StartUp{median(times[i]), median(sizes[i])};
    return medians;
}

} // namespace

void Bench::benchStartUp()
{
    const QByteArray record = channelOf(3).toByteArray();
    QDir().mkpath(Global::settingsDir().absolutePath());
    QFile file(Global::channelComSettingsFilePath());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(record);
    file.close();

    const std::array<StartUp, 3> figures = startUps(21);
    const StartUp &plugin = figures[0], &plain = figures[1], &form = figures[2];
    addRow(QStringLiteral("start-up: QLibrary::load() to the painted channel page, 3 ports (a process per run)"),
           duration(plugin.microseconds), duration(plain.microseconds) + QStringLiteral(" plain page, 3x2 table"),
           plugin.microseconds / plain.microseconds, QStringLiteral("<= 1.3x"),
           plugin.microseconds <= 1.3 * plain.microseconds);
    const double added = plugin.residentKiB - plain.residentKiB;
    addRow(QStringLiteral("start-up: resident size added by the plug-in over the plain page"),
           QStringLiteral("+%1 KiB").arg(plugin.residentKiB), QStringLiteral("+%1 KiB plain page").arg(plain.residentKiB),
           NAN, QStringLiteral("<= +1024 KiB more"), added <= 1024);
    // What of the gap is the plug-in's own and what is the toolkit drawing the form its page must show.
    addNote(QStringLiteral("Start-up of the channel page's form alone (the same .ui and images over a plain "
                           "model of the 3 rows, no plug-in code): %1, +%2 KiB; the plug-in over its form: "
                           "%3x, +%4 KiB.")
                .arg(duration(form.microseconds))
                .arg(form.residentKiB)
                .arg(plugin.microseconds / form.microseconds, 0, 'f', 2)
                .arg(plugin.residentKiB - form.residentKiB));
}
