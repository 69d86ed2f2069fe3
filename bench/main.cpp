// Each operation timed against the floor of the same work (or a peer doing
// it), both in the same run and in alternating rounds, so that the ratio holds
// on a machine whose load changes while it runs. Prints one Markdown table.

#include "table.h"

#include "common/globalpaths.h"

#include <QApplication>

#include <cstdio>
#include <utility>

namespace {

QtMessageHandler toolkitHandler = nullptr;

// The offscreen platform warns for every top-level window it cannot size, and
// the toolkit once when root has no runtime directory; only the table is the
// bench's output.
void withoutPlatformNoise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("propagateSizeHints")) && !message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        toolkitHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    toolkitHandler = qInstallMessageHandler(withoutPlatformNoise);
    QApplication app(argc, argv);

    // build/bench/ is this program's own installation, emptied at each run;
    // anywhere else it could be someone's settings and data.
    if (Global::installDir().dirName() != QLatin1String("bench")) {
        std::fprintf(stderr, "comchannel-bench: run it from <build>/bench/bin/, its own installation\n");
        return 2;
    }
    Global::settingsDir().removeRecursively();
    Global::dataDir().removeRecursively();

    // Every subject, or only those named on the command line (to profile one).
    const QStringList chosen = app.arguments().mid(1);
    const std::pair<const char *, void (*)()> subjects[] = {
        {"records", Bench::benchRecords}, {"startup", Bench::benchStartUp}, {"logger", Bench::benchLogger},
        {"pages", Bench::benchPages},     {"files", Bench::benchFiles}};
    for (const auto &subject : subjects) {
        if (chosen.isEmpty() || chosen.contains(QLatin1String(subject.first)))
            subject.second();
    }
    Bench::printTable();
    return 0;
}
