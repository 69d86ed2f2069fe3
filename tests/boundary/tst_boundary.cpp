// The built plug-in as a host sees it: loaded by file name, reached through its
// entry points and the interface headers, with the host's own registry, which
// logs every call. The host deletes pages whenever its event loop says so.
// The reference host's own abonent book is read here too.
#include "comchannel/comsettings.h"
#include "common/globalpaths.h"
#include "host/hostabonents.h"
#include "interfaces/cchannelabonentsettingswidget.h"
#include "interfaces/cchannelsettingsplugin.h"
#include "interfaces/cchannelsettingswidget.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/modalanswer.h"

#include <QComboBox>
#include <QLibrary>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

extern QStringList gRegistryCalls;

namespace {

// click() rather than a mouse event: the click may end with the button deleted.
void click(const QWidget *parent, const char *name)
{
    parent->findChild<QAbstractButton *>(QString::fromLatin1(name))->click();
}

// Saves the page; the registry calls that saving made.
QStringList save(CChannelSettingsWidget *page, QByteArray *data)
{
    gRegistryCalls.clear();
    QString path;
    page->saveData(&path, data);
    return gRegistryCalls;
}

} // namespace

class tst_Boundary : public QObject
{
    Q_OBJECT

    QLibrary library{QStringLiteral(COMCHANNEL_PLUGIN_PATH)};
    CChannelSettingsPlugin *plugin = nullptr;

private slots:
    void initTestCase()
    {
        // Always a first run: the library writes its settings and a new log, under valgrind too.
        QVERIFY(Global::settingsDir().removeRecursively() && Global::dataDir().removeRecursively());
        const auto apiVersion = reinterpret_cast<ApiVersionFunction>(library.resolve("apiVersion"));
        const auto instance = reinterpret_cast<InstanceFunction>(library.resolve("instance"));
        QVERIFY(apiVersion && instance && library.resolve("initDebug") && library.resolve("deleteInstance"));
        QCOMPARE(apiVersion(), 5);
        plugin = instance();
        QCOMPARE(plugin->channelType(), 2);
        QCOMPARE(plugin->channelName(), QStringLiteral("Коммутируемый канал"));
    }

    void hostLifecycle_data()
    {
        QTest::addColumn<bool>("registry");    // the host set usedDevices
        QTest::addColumn<QString>("user");      // pbnAdd:NAME, pbnEdit:NAME, pbnRemove, tbnPorts
        QTest::addColumn<bool>("hostDeletes");  // the page, during the modal run
        QTest::addColumn<QString>("calls");     // after loading's "clear(2) clear(2) add(2,A)"
        QTest::addColumn<int>("changes");

        // Every row starts from a channel of A (active) and B.
        QTest::newRow("add, applied") << true << "pbnAdd:C" << false << "channelTypes(C) remove(2,) add(2,C)" << 1;
        QTest::newRow("add, page deleted") << true << "pbnAdd:C" << true << QString() << 0;
        QTest::newRow("add refused, page deleted under the warning") << true << "pbnAdd:X" << true << "channelTypes(X)" << 0;
        QTest::newRow("edit, applied") << true << "pbnEdit:D" << false << "channelTypes(D) remove(2,A) add(2,D)" << 1;
        QTest::newRow("edit, page deleted") << true << "pbnEdit:D" << true << QString() << 0;
        QTest::newRow("remove both, confirmed") << true << "pbnRemove" << false << "remove(2,B) remove(2,A)" << 1;
        QTest::newRow("remove, page deleted") << true << "pbnRemove" << true << QString() << 0;
        // Without the host's registry the page's own one takes the calls.
        QTest::newRow("no registry: add X, applied") << false << "pbnAdd:X" << false << "channelTypes(X) remove(2,) add(2,X)" << 1;
        QTest::newRow("no registry: remove, confirmed") << false << "pbnRemove" << false << "remove(2,B) remove(2,A)" << 1;
        QTest::newRow("abonent page: menu, page deleted") << true << "tbnPorts" << true << QString() << 0;
    }

    // The user starts a modal run; from the event loop that runs it, the host
    // lets it be answered or deletes the page. After a deletion nothing more may
    // happen: no registry call, no change report, no crash.
    void hostLifecycle()
    {
        QFETCH(bool, registry);
        QFETCH(QString, user);
        QFETCH(bool, hostDeletes);
        QFETCH(QString, calls);
        QFETCH(int, changes);
        const QString button = user.section(QLatin1Char(':'), 0, 0);
        const QString name = user.section(QLatin1Char(':'), 1);

        QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/channelCom.conf"), TestSupport::channelRecord({"+A", "B"})));
        CChannelUsedDevices usedDevices;
        usedDevices.add(3, QStringLiteral("X"));
        gRegistryCalls.clear();
        QPointer<QWidget> page = button == QLatin1String("tbnPorts") ? static_cast<QWidget *>(plugin->abonentWidget())
                                                                      : plugin->channelWidget();
        const auto channelPage = qobject_cast<CChannelSettingsWidget *>(page);
        int changeReports = 0;
        if (channelPage) {
            channelPage->usedDevices = registry ? &usedDevices : nullptr;
            connect(channelPage, &CChannelSettingsWidget::dataChanged, [&changeReports] { ++changeReports; });
            QCOMPARE(channelPage->loadData(), QString());
            channelPage->findChild<QTableView *>()->selectAll();
            channelPage->findChild<QTableView *>()->selectRow(button == QLatin1String("pbnEdit") ? 0 : -1);
        }
        page->show();
        auto deletePage = [&page] { delete page; };
        TestSupport::ModalWatcher<QDialog> dialog([&](QDialog *modal) {
            if (auto box = qobject_cast<QMessageBox *>(modal))
                return hostDeletes ? deletePage() : box->button(QMessageBox::Yes)->click();
            if (hostDeletes && name != QLatin1String("X"))
                return deletePage();
            modal->findChild<QComboBox *>()->setEditText(name);
            TestSupport::ModalWatcher<QMessageBox> warning([&](QMessageBox *) { deletePage(); });
            click(modal, "pbnApply");
        });
        // Choosing from the abonent page's menu is the channel page test's.
        TestSupport::ModalWatcher<QMenu> menu([&](QMenu *) { deletePage(); });
        click(page, qPrintable(button));
        QVERIFY(dialog.fired() || menu.fired());
        QCOMPARE(page.isNull(), hostDeletes);
        QCOMPARE(changeReports, changes);
        const QStringList loading{"clear(2)", "clear(2)", "add(2,A)"};
        if (channelPage)
            QCOMPARE(gRegistryCalls, loading + calls.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        QVERIFY(registry || usedDevices.nodes.size() == 1);
        if (page) {
            QByteArray data;
            const QStringList saving = save(channelPage, &data);
            ChannelComSettings saved;
            QCOMPARE(saved.fromByteArray(data), QString());
            QStringList expected{"clear(2)"};
            for (const ComPortSettings &port : qAsConst(saved.ports))
                expected << (port.active ? QStringLiteral("add(2,%1)").arg(port.portName) : QString());
            expected.removeAll(QString());
            QCOMPARE(saving, expected);
        }
        delete page;
    }

    // A record loaded and saved without an edit keeps every byte of texts past a line
    // edit's default limit of 32,767 characters, also through the port dialog and the
    // abonent page; the page paints it.
    void longTexts()
    {
        const QString text(40000, QLatin1Char('7'));
        const QByteArray abonent = AbonentComSettings{text, {text}}.toByteArray();
        std::unique_ptr<CChannelAbonentSettingsWidget> abonentPage(plugin->abonentWidget());
        QCOMPARE(abonentPage->loadData(abonent), QString());
        QCOMPARE(abonentPage->saveData(), abonent);

        const QByteArray channel = ChannelComSettings{{{true, text, text, 9600, 0, 8, 0, 1}}, 1024}.toByteArray();
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/channelCom.conf"), channel));
        CChannelUsedDevices usedDevices;
        std::unique_ptr<CChannelSettingsWidget> page(plugin->channelWidget());
        page->usedDevices = &usedDevices;
        QCOMPARE(page->loadData(), QString());
        page->setDisplayExtendedSettings(true);
        page->show();
        QVERIFY(!page->grab().isNull());
        TestSupport::ModalWatcher<QDialog> dialog([](QDialog *modal) { click(modal, "pbnApply"); });
        page->findChild<QTableView *>()->selectRow(0);
        click(page.get(), "pbnEdit");
        QVERIFY(dialog.fired());
        QByteArray data;
        save(page.get(), &data);
        QCOMPARE(data, channel);
    }

    void hostAbonentsRefuseBadData_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        HostAbonents two;
        two.list = {{QStringLiteral("Иванов"), QByteArray("1")}, {QString(), QByteArray()}};
        const QByteArray complete = two.toByteArray();
        QTest::newRow("empty") << QByteArray() << QStringLiteral("Версия списка абонентов 0 не совпадает с текущей 1");
        QTest::newRow("cut off") << complete.chopped(2) << QStringLiteral("Список абонентов поврежден");
        QByteArray claimsMore = complete;
        claimsMore[7] = 100;
        QTest::newRow("count beyond the data") << claimsMore << QStringLiteral("Список абонентов поврежден");
    }

    // The reference host's abonent book: a bad file leaves no abonent of what was read before.
    void hostAbonentsRefuseBadData()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        HostAbonents read;
        read.list = {{QStringLiteral("Петров"), QByteArray("2")}};
        QCOMPARE(read.fromByteArray(data), message);
        QVERIFY(read.list.isEmpty());
    }

    void cleanupTestCase()
    {
        reinterpret_cast<DeleteInstanceFunction>(library.resolve("deleteInstance"))(plugin);
        library.unload();
    }
};

QTEST_MAIN(tst_Boundary)
#include "tst_boundary.moc"
