// The page inside a host's window under a real X server: its keys act only
// while the focus is within it, and its pictures show whole headers and names.
#include "comchannel/ccomchannelsettingswidget.h"
#include "comchannel/ccomportdialog.h"
#include "common/globalpaths.h"
#include "tests/support/channeldata.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/modalanswer.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The host's settings window in small: the page beside a control of the host.
struct HostWindow {
    HostWindow()
    {
        layout->addWidget(outside);
        layout->addWidget(page);
        page->usedDevices = &registry;
        page->loadData();
    }
    template<typename T = QWidget>
    T *widget(const char *name) { return page->findChild<T *>(QString::fromLatin1(name)); }

    CChannelUsedDevices registry;
    QWidget window;
    QVBoxLayout *layout = new QVBoxLayout(&window);
    QPushButton *outside = new QPushButton(QStringLiteral("host"), &window);
    CComChannelSettingsWidget *page = new CComChannelSettingsWidget;
};

// The virtual X server has no window manager to activate a new window.
bool showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

ComPortSettings modemPort(const QString &name)
{
    return {true, name, QStringLiteral("ATZ\\r"), 57600, 1, 8, 0, 1};
}

bool save(QWidget *widget, const char *name)
{
    return widget->grab().save(QStringLiteral(SCREENSHOTS_DIR "/%1.png").arg(QLatin1String(name)));
}

} // namespace

class TestChannelPageFocus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The longest name the table must show whole: 32 characters.
        ChannelComSettings channel{{modemPort(QStringLiteral("/dev/ttyS0")), modemPort(QStringLiteral("/dev/ttyUSB0")),
                                    modemPort(QStringLiteral("/dev/serial/by-id/usb-modem-0001"))}, 1024};
        channel.ports[2].active = false;
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/channelCom.conf"), channel.toByteArray()));
        QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOTS_DIR)));
    }

    void shortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        for (int key : {int(Qt::CTRL + Qt::Key_N), int(Qt::Key_F2), int(Qt::Key_Delete)}) {
            for (const char *focus : {"tvPorts", "pbnAdd", ""})
                QTest::addRow("%s, focus on %s", qPrintable(QKeySequence(key).toString()), focus) << key << focus;
        }
    }

    // Each key opens its dialog or question (answered at once by Cancel) only
    // while the focus is within the page.
    void shortcuts()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        HostWindow host;
        host.widget<QTableView>("tvPorts")->selectRow(1);
        QVERIFY(showActive(&host.window));
        QWidget *target = focus.isEmpty() ? host.outside : host.widget(qPrintable(focus));
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);

        TestSupport::ModalWatcher<QDialog> watcher([](QDialog *modal) { modal->reject(); });
        QTest::keyClick(target, Qt::Key(key & ~Qt::KeyboardModifierMask), Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
        QCOMPARE(watcher.fired(), !focus.isEmpty());
        QCOMPARE(host.widget<QTableView>("tvPorts")->model()->rowCount(), 3);
    }

    // Pictures of the page and of the port dialog, each in the simple and the
    // extended view, for the README.
    void screenshots()
    {
        HostWindow host;
        host.window.resize(1060, 330);
        QVERIFY(showActive(&host.window));
        host.page->setDisplayExtendedSettings(false);
        QVERIFY(save(host.page, "channel-page-simple"));
        host.page->setDisplayExtendedSettings(true);
        auto table = host.widget<QTableView>("tvPorts");
        for (int column = 0; column < 7; ++column)
            QVERIFY(table->columnWidth(column) >= qMax(static_cast<QAbstractItemView *>(table)->sizeHintForColumn(column),
                                                        table->horizontalHeader()->sectionSizeHint(column)));
        QVERIFY(table->horizontalHeader()->length() <= table->viewport()->width());
        QVERIFY(save(host.page, "channel-page-extended"));

        CComPortsModel model;
        CComPortDialog dialog(&model, &host.registry, nullptr);
        dialog.load(modemPort(QStringLiteral("/dev/ttyUSB0")));
        QVERIFY(showActive(&dialog));
        QVERIFY(save(&dialog, "port-dialog-simple"));
        dialog.findChild<QCheckBox *>(QStringLiteral("chbxExtended"))->click();
        QVERIFY(save(&dialog, "port-dialog-extended"));
    }
};

QTEST_MAIN(TestChannelPageFocus)
#include "tst_channelpagefocus.moc"
