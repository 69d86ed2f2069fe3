// One start-up, in a process of its own so that the library is really loaded:
// from QLibrary::load() to the first painted page (grab()), then the resident
// size this added. Prints "<nanoseconds> <KiB>". Like a host, it knows the
// plug-in only by its entry points and the interface headers.
//   comchannel-startup LIBRARY plugin|plain

#include "interfaces/cchannelsettingsplugin.h"
#include "interfaces/cchannelsettingswidget.h"
#include "interfaces/cchanneluseddevices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLibrary>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

long residentKiB()
{
    long pages = 0, resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    if (argc != 3)
        return 2;
    CChannelUsedDevices registry;
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();

    QLibrary library(QString::fromLocal8Bit(argv[1]));
    if (!library.load())
        return 1;
    std::unique_ptr<QWidget> page;
    if (qstrcmp(argv[2], "plugin") == 0) {
        const auto instance = reinterpret_cast<InstanceFunction>(library.resolve("instance"));
        CChannelSettingsWidget *channel = instance ? instance()->channelWidget() : nullptr;
        if (!channel)
            return 1;
        channel->usedDevices = &registry;
        channel->loadData();
        page.reset(channel);
    } else {
        const auto plainPage = reinterpret_cast<QWidget *(*)()>(library.resolve("plainPage"));
        if (!plainPage)
            return 1;
        page.reset(plainPage());
    }
    page->grab();

    const qint64 elapsed = timer.nsecsElapsed();
    std::printf("%lld %ld\n", static_cast<long long>(elapsed), residentKiB() - before);
    std::fflush(stdout);
    // As a host that ends: the library stays loaded until the process is gone.
    _exit(0);
}
