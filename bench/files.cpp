// Message directory names in a full directory, and safe saving against
// QSaveFile with the same durability.

#include "table.h"

#include "common/globalnaming.h"
#include "common/globalpaths.h"
#include "common/globalsaving.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace Bench;

void benchMessageDirNames()
{
    const QDir dir = Global::inputMessagesDir(0);
    QDir().mkpath(dir.absolutePath());
    for (int i = 0; i < 100000; ++i)
        ::close(::open(QFile::encodeName(dir.absoluteFilePath(QStringLiteral("entry%1").arg(i))).constData(),
                       O_WRONLY | O_CREAT | O_CLOEXEC, 0666));

    QElapsedTimer timer;
    timer.start();
    Global::nextMessageDirName(dir);
    const double first = timer.nsecsElapsed() / 1000.0;
    // A second listing would find this one and jump the numbering past it.
    dir.mkdir(QStringLiteral("99999990"));

    // Each call looks up a name never looked up before, so the floor does too:
    // the kernel answers a name it already knows to be missing from its cache.
    constexpr int Rounds = 201, Batch = 20;
    std::vector<QByteArray> fresh;
    for (int i = 0; i <= Rounds * Batch; ++i)
        fresh.push_back(QFile::encodeName(dir.absoluteFilePath(QStringLiteral("absent%1").arg(i))));
    const QByteArray known = fresh.back();
    struct stat status;
    int found = 0;
    std::size_t next = 0;
    const auto times = medians(Rounds, Batch, [&] { found += Global::nextMessageDirName(dir).isEmpty(); },
                               [&] { found += ::stat(fresh[next++ % fresh.size()].constData(), &status) == 0; },
                               [&] { found += ::stat(known.constData(), &status) == 0; });
    const bool listedOnce = !Global::nextMessageDirName(dir).startsWith(QLatin1String("9999")) && found == 0;
    addRow("Global::nextMessageDirName after the first, 100,000 entries", duration(times[0]),
           duration(times[1]) + QStringLiteral(" stat"), times[0] / times[1],
           "<= 2x, listed once", times[0] <= 2 * times[1] && listedOnce);
    addNote(QStringLiteral("Message directory names: the first call (the listing) took %1; a subdirectory "
                           "99999990 made after it %2 the numbering, so the directory was listed %3. The floor "
                           "stats a missing name not looked up before, as each call does; the same missing "
                           "name again and again took %4 (ratio %5).")
                .arg(duration(first), listedOnce ? QStringLiteral("did not move") : QStringLiteral("moved"),
                     listedOnce ? QStringLiteral("once") : QStringLiteral("again"), duration(times[2]),
                     QString::asprintf("%.2fx", times[0] / times[2])));
    QDir(dir).removeRecursively();
}

void benchSafeSaving()
{
    const QByteArray data(4096, 'x');
    const QString target = Global::abonentsStatesFilePath();
    const QString peer = target + QStringLiteral(".peer");
    const QByteArray dirPath = QFile::encodeName(QFileInfo(target).absolutePath());
    int failures = 0;

    const auto ours = [&] { failures += !Global::safeSaving(target, data).isEmpty(); };
    const auto saveFile = [&] {
        QSaveFile file(peer);
        failures += !(file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit());
    };
    const auto syncDir = [&] {
        const int fd = ::open(dirPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(fd);
        ::close(fd);
    };
    const auto durableSaveFile = [&] {
        saveFile();
        syncDir();
    };
    const std::function<void()> saves[] = {ours, durableSaveFile};

    // Each save starts with the journal committed, so that none pays for the
    // renamings and removals that the one before left to the file system.
    std::array<std::vector<double>, 2> samples;
    for (int round = 0; round < 61; ++round) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            syncDir();
            samples[i].push_back(microsecondsPerCall(1, saves[i]));
        }
    }
    const double times[] = {median(samples[0]), median(samples[1])};
    addRow(QStringLiteral("Global::safeSaving of 4 KiB"), duration(times[0]),
           duration(times[1]) + QStringLiteral(" QSaveFile commit + fsync of the directory"), times[0] / times[1],
           QStringLiteral("<= 1.05x"), failures == 0 && times[0] <= 1.05 * times[1]);
}

} // namespace

void Bench::benchFiles()
{
    benchMessageDirNames();
    benchSafeSaving();
}
