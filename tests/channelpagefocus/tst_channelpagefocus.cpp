#include "comchannel/ccomchannelsettingswidget.h"
#include "comchannel/ccomportdialog.h"
#include "comchannel/ccomportsmodel.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"
#include "tests/support/modalanswer.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The host's settings window in small: the page beside a control of the host.
class HostWindow
{
public:
    HostWindow()
    {
        layout->addWidget(outside);
        layout->addWidget(page);
        page->usedDevices = &registry;
    }

    QWidget *widget(const char *name) { return page->findChild<QWidget *>(QString::fromLatin1(name)); }

    CChannelUsedDevices registry;
    QWidget window;
    QVBoxLayout *layout = new QVBoxLayout(&window);
    QPushButton *outside = new QPushButton(QStringLiteral("host"), &window);
    CComChannelSettingsWidget *page = new CComChannelSettingsWidget;
};

// A port as an operator would set up a modem, so the pictures show real values.
ComPortSettings modemPort(const QString &name)
{
    ComPortSettings port = TestSupport::namedPort(name, true);
    port.baudRate = 57600;
    port.flowControl = 1;
    port.dataBits = 8;
    port.parity = 0;
    port.stopBits = 1;
    port.initString = QStringLiteral("ATZ\\r");
    return port;
}

// The virtual X server has no window manager to activate a new window.
bool showActive(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace

class TestChannelPageFocus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void shortcuts_data();
    void shortcuts();
    void screenshots();
};

void TestChannelPageFocus::initTestCase()
{
    QDir(Global::settingsDir()).removeRecursively();
    QVERIFY(QDir().mkpath(Global::settingsDir().absolutePath()));
    ChannelComSettings channel;
    for (const char *name : {"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyUSB1"})
        channel.ports << modemPort(QString::fromLatin1(name));
    channel.ports[2].active = false;
    QFile file(Global::channelComSettingsFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(channel.toByteArray());
}

void TestChannelPageFocus::shortcuts_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("fires");

    for (const QKeySequence &key : {QKeySequence(Qt::CTRL + Qt::Key_N), QKeySequence(Qt::Key_F2),
                                    QKeySequence(Qt::Key_Delete)}) {
        const QByteArray name = key.toString().toLatin1();
        QTest::addRow("%s, focus on the table", name.constData()) << key << QStringLiteral("tvPorts") << true;
        QTest::addRow("%s, focus on a button of the page", name.constData()) << key << QStringLiteral("pbnAdd") << true;
        QTest::addRow("%s, focus outside the page", name.constData()) << key << QString() << false;
    }
}

// Each shortcut opens its dialog or question (answered at once by Cancel)
// only while the focus is within the page.
void TestChannelPageFocus::shortcuts()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, focus);
    QFETCH(bool, fires);

    HostWindow host;
    QCOMPARE(host.page->loadData(), QString());
    QTableView *table = static_cast<QTableView *>(host.widget("tvPorts"));
    table->selectionModel()->setCurrentIndex(table->model()->index(1, 0),
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QVERIFY(showActive(&host.window));
    QWidget *target = focus.isEmpty() ? host.outside : host.widget(qPrintable(focus));
    target->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), target);

    TestSupport::ModalWatcher<QDialog> watcher([](QDialog *modal) { modal->reject(); });
    QTest::keyClick(target, Qt::Key(key[0] & ~Qt::KeyboardModifierMask),
                    Qt::KeyboardModifiers(key[0] & Qt::KeyboardModifierMask));
    QCOMPARE(watcher.fired(), fires);
    QCOMPARE(table->model()->rowCount(), 3);
}

// Pictures of the page with three ports and of the port dialog, each in the
// simple and the extended view, for people to look at in the build tree.
void TestChannelPageFocus::screenshots()
{
    QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOTS_DIR)));
    auto save = [](QWidget *widget, const char *name) {
        return widget->grab().save(QStringLiteral(SCREENSHOTS_DIR "/%1.png").arg(QLatin1String(name)));
    };

    HostWindow host;
    QCOMPARE(host.page->loadData(), QString());
    host.window.resize(760, 330);
    QVERIFY(showActive(&host.window));
    host.page->setDisplayExtendedSettings(false);
    QVERIFY(!host.widget("sbxBlockSize")->isVisible());
    QVERIFY(save(host.page, "channel-page-simple"));
    host.page->setDisplayExtendedSettings(true);
    QVERIFY(host.widget("sbxBlockSize")->isVisible());
    QVERIFY(save(host.page, "channel-page-extended"));

    CComPortsModel model;
    CComPortDialog dialog(&model, &host.registry, nullptr);
    dialog.load(modemPort(QStringLiteral("/dev/ttyUSB0")));
    QVERIFY(showActive(&dialog));
    QWidget *initString = dialog.findChild<QWidget *>(QStringLiteral("leInitString"));
    QVERIFY(!initString->isVisible());
    QVERIFY(save(&dialog, "port-dialog-simple"));
    dialog.findChild<QCheckBox *>(QStringLiteral("chbxExtended"))->click();
    QVERIFY(initString->isVisible());
    QVERIFY(save(&dialog, "port-dialog-extended"));
}

QTEST_MAIN(TestChannelPageFocus)
#include "tst_channelpagefocus.moc"
