// The channel page with 1,000 and 10,000 ports through its public operations,
// and the abonent page's reads of an unchanged channel file.

#include "channels.h"
#include "table.h"

#include "comchannel/ccomabonentsettingswidget.h"
#include "comchannel/ccomchannelsettingswidget.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <cmath>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace Bench;

// A machine has tens of serial ports, rarely hundreds: every operation must stay well under 100 ms for 1,000.
constexpr int DesignScale = 1000;

// Tells when a widget has been painted.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *widget) { widget->installEventFilter(this); }

    // Gives up after ten seconds, which then shows as the time taken.
    void waitForPaint()
    {
        QElapsedTimer waited;
        waited.start();
        while (!painted && waited.elapsed() < 10000)
            QCoreApplication::processEvents();
        painted = false;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }

private:
    bool painted = false;
};

// Answers the next message box with Yes as soon as it shows.
void answerYesSoon()
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            box->button(QMessageBox::Yes)->click();
        }
    });
    poll->start(0);
}

void selectEveryOtherRow(QTableView *view)
{
    const QAbstractItemModel *model = view->model();
    QItemSelection selection;
    for (int row = 0; row < model->rowCount(); row += 2)
        selection.select(model->index(row, 0), model->index(row, model->columnCount() - 1));
    view->selectionModel()->select(selection, QItemSelectionModel::Select);
}

// The page and its model through what a host calls: loadData() up to the first
// paint, saveData(), and the removal of every other port answered Yes.
void benchChannelPage(int ports)
{
    const QByteArray record = channelOf(ports).toByteArray();
    QDir().mkpath(Global::settingsDir().absolutePath());
    QFile file(Global::channelComSettingsFilePath());
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(record);
    file.close();

    std::vector<double> loads, saves, removals;
    int rowsLeft = 0;
    bool savedWhole = true;
    for (int round = 0; round < 7; ++round) {
        CChannelUsedDevices registry;
        CComChannelSettingsWidget page;
        page.usedDevices = &registry;
        auto *view = page.findChild<QTableView *>(QStringLiteral("tvPorts"));
        PaintWatch watch(view->viewport());

        QElapsedTimer timer;
        timer.start();
        page.loadData();
        page.show();
        watch.waitForPaint();
        loads.push_back(timer.nsecsElapsed() / 1000.0);

        QString path;
        QByteArray saved;
        timer.start();
        page.saveData(&path, &saved);
        saves.push_back(timer.nsecsElapsed() / 1000.0);
        savedWhole = savedWhole && saved == record;

        selectEveryOtherRow(view);
        answerYesSoon();
        timer.start();
        page.findChild<QPushButton *>(QStringLiteral("pbnRemove"))->click();
        watch.waitForPaint();
        removals.push_back(timer.nsecsElapsed() / 1000.0);
        rowsLeft = view->model()->rowCount();
    }
    const QString count = QLocale(QLocale::English).toString(ports);
    // The goal holds for the scale the page is made for; ten times more is shown for scale.
    const auto row = [ports](const QString &what, double us, bool right) {
        if (ports <= DesignScale)
            addRow(what, duration(us), QStringLiteral("100 ms"), us / 100000, QStringLiteral("below it"), us < 100000 && right);
        else
            addRowWithoutGoal(what, duration(us), QStringLiteral("100 ms"), us / 100000, right);
    };
    row(QStringLiteral("channel page: loadData of %1 ports + first paint").arg(count), median(loads), true);
    row(QStringLiteral("channel page: saveData of %1 ports").arg(count), median(saves), savedWhole);
    row(QStringLiteral("removal of %1 selected rows of %2 (page, Yes)").arg(QLocale(QLocale::English).toString(ports / 2), count),
        median(removals),
        rowsLeft == ports - ports / 2);
}

struct ReadCounters {
    qint64 bytes;
    qint64 calls;
    qint64 ownBytes;
};

// rchar and syscr of /proc/self/io, taken with one read call of their own.
ReadCounters readCounters()
{
    char buffer[512];
    const int fd = ::open("/proc/self/io", O_RDONLY | O_CLOEXEC);
    const ssize_t size = ::read(fd, buffer, sizeof(buffer) - 1);
    ::close(fd);
    buffer[std::max<ssize_t>(size, 0)] = '\0';
    ReadCounters counters{0, 0, size};
    std::sscanf(buffer, "rchar: %lld\nwchar: %*d\nsyscr: %lld", &counters.bytes, &counters.calls);
    return counters;
}

void benchAbonentPage()
{
    const qint64 fileSize = QFileInfo(Global::channelComSettingsFilePath()).size();
    delete new CComAbonentSettingsWidget; // reads the file into the cache

    const ReadCounters before = readCounters();
    QElapsedTimer timer;
    timer.start();
    delete new CComAbonentSettingsWidget;
    const double created = timer.nsecsElapsed() / 1000.0;
    const ReadCounters after = readCounters();
    const qint64 bytes = after.bytes - before.bytes - before.ownBytes;
    const qint64 calls = after.calls - before.calls - 1;
    addRow("abonent page created, channelCom.conf (10,000 ports) unchanged",
           QStringLiteral("%1 reads, %2 B, page in %3").arg(calls).arg(bytes).arg(duration(created)),
           QStringLiteral("0 reads of %1 B").arg(fileSize), NAN, "zero reads", calls == 0 && bytes == 0);
    addNote(QStringLiteral("Abonent page: read calls and bytes counted by the kernel (syscr and rchar of "
                            "/proc/self/io) around the construction and destruction of a second page, less "
                            "the one read of /proc/self/io itself; no preload, no tracer."));
}

} // namespace

void Bench::benchPages()
{
    benchChannelPage(DesignScale);
    benchChannelPage(10 * DesignScale);
    addNote(QStringLiteral("10,000 ports: the registry's add and remove scan its entries, as its interface "
                           "prescribes, so loading, saving and removal grow with the square of the port count there."));
    benchAbonentPage();
}
