#include "comchannel/ccomchannelsettingswidget.h"
#include "comchannel/ccomportdialog.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/modalanswer.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QByteArray threePortRecord()
{
    ChannelComSettings channel;
    channel.blockSize = 2048;
    const struct {
        bool active;
        const char *name;
        const char *init;
        int baud, flow, data, parity, stop;
    } ports[] = {{true, "/dev/ttyS0", "ATZ", 115200, 1, 8, 0, 1},
                 {true, "/dev/ttyUSB0", "AT&F\\r", 57600, 2, 7, 2, 1},
                 {false, "/dev/ttyUSB1", "", 9600, 0, 8, 3, 2}};
    for (const auto &p : ports) {
        ComPortSettings port;
        port.active = p.active;
        port.portName = QString::fromUtf8(p.name);
        port.initString = QString::fromUtf8(p.init);
        port.baudRate = p.baud;
        port.flowControl = p.flow;
        port.dataBits = p.data;
        port.parity = p.parity;
        port.stopBits = p.stop;
        channel.ports << port;
    }
    return channel.toByteArray();
}

// The host's settings window in small: the page beside a control of the host.
class HostWindow
{
public:
    HostWindow()
    {
        outside = new QPushButton(QStringLiteral("host"), &window);
        layout->addWidget(outside);
        layout->addWidget(page);
        page->usedDevices = &registry;
    }

    template<typename T>
    T *widget(const char *name)
    {
        T *found = page->findChild<T *>(QString::fromLatin1(name));
        Q_ASSERT(found);
        return found;
    }

    CChannelUsedDevices registry;
    QWidget window;
    QVBoxLayout *layout = new QVBoxLayout(&window);
    QPushButton *outside = nullptr;
    CComChannelSettingsWidget *page = new CComChannelSettingsWidget;
};

// The virtual X server has no window manager to activate a new window.
bool showActive(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

QString screenshotPath(const char *name)
{
    return QStringLiteral(SCREENSHOTS_DIR "/%1.png").arg(QLatin1String(name));
}

} // namespace

class TestChannelPageFocus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void shortcuts_data();
    void shortcuts();
    void pageScreenshots();
    void dialogScreenshots();
};

void TestChannelPageFocus::initTestCase()
{
    QDir(Global::settingsDir()).removeRecursively();
    QVERIFY(QDir().mkpath(Global::settingsDir().absolutePath()));
    QFile file(Global::channelComSettingsFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(threePortRecord());
    file.close();
    QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOTS_DIR)));
}

void TestChannelPageFocus::shortcuts_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("fires");

    const QList<QPair<const char *, QKeySequence>> keys = {{"Ctrl+N", QKeySequence(Qt::CTRL + Qt::Key_N)},
                                                           {"F2", QKeySequence(Qt::Key_F2)},
                                                           {"Delete", QKeySequence(Qt::Key_Delete)}};
    for (const auto &key : keys) {
        QTest::addRow("%s, focus on the table", key.first) << key.second << QStringLiteral("tvPorts") << true;
        QTest::addRow("%s, focus on a button of the page", key.first) << key.second << QStringLiteral("pbnAdd") << true;
        QTest::addRow("%s, focus outside the page", key.first) << key.second << QString() << false;
    }
}

void TestChannelPageFocus::shortcuts()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, focus);
    QFETCH(bool, fires);

    HostWindow host;
    QCOMPARE(host.page->loadData(), QString());
    QTableView *table = host.widget<QTableView>("tvPorts");
    table->selectionModel()->setCurrentIndex(table->model()->index(1, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QVERIFY(showActive(&host.window));

    QWidget *target = focus.isEmpty() ? host.outside : host.widget<QWidget>(qPrintable(focus));
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);

    TestSupport::ModalWatcher<QDialog> watcher([](QDialog *modal) { modal->reject(); });
    QTest::keyClick(target, Qt::Key(key[0] & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(key[0] & Qt::KeyboardModifierMask));
    QCOMPARE(watcher.fired(), fires);
    QCOMPARE(table->model()->rowCount(), 3);
}

void TestChannelPageFocus::pageScreenshots()
{
    CChannelUsedDevices registry;
    CComChannelSettingsWidget page;
    page.usedDevices = &registry;
    QCOMPARE(page.loadData(), QString());
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    for (bool extended : {false, true}) {
        page.setDisplayExtendedSettings(extended);
        QVERIFY(page.grab().save(screenshotPath(extended ? "channel-page-extended" : "channel-page-simple")));
    }

    // The three buttons sit side by side at the right edge, below the table.
    auto frame = [&page](const char *name) {
        QWidget *w = page.findChild<QWidget *>(QString::fromLatin1(name));
        return QRect(w->mapTo(&page, QPoint(0, 0)), w->size());
    };
    const QRect table = frame("tvPorts");
    QVERIFY(frame("pbnAdd").top() > table.bottom());
    QVERIFY(frame("pbnAdd").right() < frame("pbnEdit").left());
    QVERIFY(frame("pbnEdit").right() < frame("pbnRemove").left());
    QVERIFY(table.right() - frame("pbnRemove").right() < 10);
    QVERIFY(frame("pbnAdd").left() - table.left() > frame("pbnAdd").width());
    QVERIFY(frame("lBlockSize").right() < frame("sbxBlockSize").left());
    QVERIFY(frame("sbxBlockSize").bottom() < frame("groupBox").top());
}

void TestChannelPageFocus::dialogScreenshots()
{
    CComPortsModel model;
    CChannelUsedDevices registry;
    CComPortDialog dialog(&model, &registry, nullptr);
    ComPortSettings port;
    port.active = true;
    port.portName = QStringLiteral("/dev/ttyUSB0");
    port.initString = QStringLiteral("AT&F\\r");
    port.baudRate = 57600;
    port.flowControl = 2;
    port.dataBits = 7;
    port.parity = 2;
    port.stopBits = 1;
    dialog.load(port);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QVERIFY(dialog.grab().save(screenshotPath("port-dialog-simple")));
    QTest::mouseClick(dialog.findChild<QCheckBox *>(QStringLiteral("chbxExtended")), Qt::LeftButton);
    QVERIFY(dialog.grab().save(screenshotPath("port-dialog-extended")));
}

QTEST_MAIN(TestChannelPageFocus)
#include "tst_channelpagefocus.moc"
