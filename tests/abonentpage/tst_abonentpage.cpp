#include "comchannel/ccomabonentsettingswidget.h"
#include "comchannel/comsettings.h"
#include "common/globalpaths.h"
#include "tests/support/channeldata.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/unprivileged.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

using FakeInstallation::freshModificationTime;
using FakeInstallation::writeFile;
using TestSupport::namedPort;

namespace {

// One menu entry as the user sees it: its text and its check mark.
using MenuEntry = QPair<QString, bool>;
using MenuEntries = QList<MenuEntry>;

QByteArray abonentRecord(const QString &number, const QStringList &ports)
{
    AbonentComSettings abonent;
    abonent.phoneNumber = number;
    abonent.ports = ports;
    return abonent.toByteArray();
}

const QString channelFile = QStringLiteral("settings/channelCom.conf");

QByteArray channelRecord(const QList<ComPortSettings> &ports)
{
    ChannelComSettings channel;
    channel.ports = ports;
    return channel.toByteArray();
}

QString anyPort()
{
    return QStringLiteral("Любой");
}

template <typename T>
T *child(const QWidget &page, const char *name)
{
    return page.findChild<T *>(QString::fromLatin1(name));
}

QString shownPorts(const QWidget &page)
{
    return child<QLineEdit>(page, "lePorts")->text();
}

} // namespace

class tst_AbonentPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();
    void loadRefusesBadRecord_data();
    void loadRefusesBadRecord();
    void canApply_data();
    void canApply();
    void menuOffersActivePortsAndAny();
    void choosingPorts();
    void portNoLongerActive();
    void cacheReadAgainOnlyWhenFileTimeMoves();
    void damagedOrMissingFileKeepsPorts();
    void unreadableFileIsReadOnceReadable();
    void isSameSettings_data();
    void isSameSettings();
    void helpIconLeftClickShowsTooltip();

private:
    // Opens the ports menu, notes its entries and clicks the one named choose
    // (or closes the menu when there is none).
    MenuEntries openMenu(const CComAbonentSettingsWidget &page, const QString &choose = QString());
};

void tst_AbonentPage::initTestCase()
{
    FakeInstallation::reset();
}

MenuEntries tst_AbonentPage::openMenu(const CComAbonentSettingsWidget &page, const QString &choose)
{
    MenuEntries entries;
    QTimer::singleShot(0, this, [&] {
        auto menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            entries.append({action->text(), action->isChecked()});
            if (action->text() == choose)
                chosen = action;
        }
        if (chosen)
            QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(chosen).center());
        else
            menu->close();
    });
    QTest::mouseClick(child<QToolButton>(page, "tbnPorts"), Qt::LeftButton);
    return entries;
}

void tst_AbonentPage::roundTrip_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QStringList>("ports");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("pretty");

    QTest::newRow("any port") << QStringLiteral("123") << QStringList() << anyPort()
                              << QStringLiteral("Номер: 123, Порт: Любой");
    QTest::newRow("ports in chosen order")
        << QStringLiteral("T123456") << QStringList({QStringLiteral("COM2"), QStringLiteral("COM1")})
        << QStringLiteral("COM2; COM1; ") << QStringLiteral("Номер: T123456, Порт: COM2; COM1; ");
    QTest::newRow("empty number") << QStringLiteral("") << QStringList() << anyPort()
                                  << QStringLiteral("Номер: , Порт: Любой");
    QTest::newRow("number kept untrimmed")
        << QStringLiteral(" P8 (800) 555 ") << QStringList({QStringLiteral("/dev/ttyS0")})
        << QStringLiteral("/dev/ttyS0; ") << QStringLiteral("Номер:  P8 (800) 555 , Порт: /dev/ttyS0; ");
}

void tst_AbonentPage::roundTrip()
{
    QFETCH(QString, number);
    QFETCH(QStringList, ports);
    QFETCH(QString, shown);
    QFETCH(QString, pretty);

    CComAbonentSettingsWidget page;
    const QByteArray record = abonentRecord(number, ports);
    QCOMPARE(page.loadData(record), QString());
    QCOMPARE(page.saveData(), record);
    QCOMPARE(shownPorts(page), shown);
    QCOMPARE(page.prettySettings(), pretty);
}

void tst_AbonentPage::loadRefusesBadRecord_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << QByteArray() << QStringLiteral("Версия настроек 0 не совпадает с текущей 4");
    QTest::newRow("channel record") << ChannelComSettings().toByteArray()
                                    << QStringLiteral("Версия настроек 3 не совпадает с текущей 4");
    QTest::newRow("cut off") << abonentRecord(QStringLiteral("555"), {QStringLiteral("COM1")}).chopped(3)
                             << QStringLiteral("Данные повреждены");
}

void tst_AbonentPage::loadRefusesBadRecord()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);

    CComAbonentSettingsWidget page;
    const QByteArray shownRecord = abonentRecord(QStringLiteral("123"), {QStringLiteral("COM7")});
    QCOMPARE(page.loadData(shownRecord), QString());

    QCOMPARE(page.loadData(data), message);
    QCOMPARE(page.saveData(), shownRecord);
    QCOMPARE(shownPorts(page), QStringLiteral("COM7; "));
}

void tst_AbonentPage::canApply_data()
{
    QTest::addColumn<bool>("activePort");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");

    const QString askNumber = QStringLiteral("Укажите телефонный номер");
    const QString askPort = QStringLiteral("Укажите COM порт");
    QTest::newRow("no active port, nothing typed") << false << false << QString() << askNumber;
    QTest::newRow("no active port, number typed") << false << false << QStringLiteral("1") << QString();
    QTest::newRow("active port, number and port missing") << true << false << QString() << askNumber;
    QTest::newRow("active port, number typed, never loaded") << true << false << QStringLiteral("1") << askPort;
    QTest::newRow("active port, loaded with any port") << true << true << QStringLiteral("1") << QString();
    QTest::newRow("active port, loaded without number") << true << true << QString() << askNumber;
}

void tst_AbonentPage::canApply()
{
    QFETCH(bool, activePort);
    QFETCH(bool, loaded);
    QFETCH(QString, number);
    QFETCH(QString, message);

    QVERIFY(writeFile(channelFile, channelRecord({namedPort(QStringLiteral("COM1"), activePort)})));
    CComAbonentSettingsWidget page;
    if (loaded)
        QCOMPARE(page.loadData(abonentRecord(QString(), {})), QString());
    child<QLineEdit>(page, "leNumber")->setText(number);
    QCOMPARE(page.canApply(), message);
}

void tst_AbonentPage::menuOffersActivePortsAndAny()
{
    QVERIFY(writeFile(channelFile, channelRecord({namedPort(QStringLiteral("COM1"), true),
                                                  namedPort(QStringLiteral("COM3"), false),
                                                  namedPort(QStringLiteral("COM2"), true)})));
    CComAbonentSettingsWidget page;
    QCOMPARE(shownPorts(page), QString());
    QCOMPARE(page.loadData(abonentRecord(QStringLiteral("1"), {})), QString());

    const MenuEntries expected = {{anyPort(), true}, {QStringLiteral("COM1"), false}, {QStringLiteral("COM2"), false}};
    QCOMPARE(openMenu(page), expected);
}

void tst_AbonentPage::choosingPorts()
{
    QVERIFY(writeFile(channelFile, channelRecord({namedPort(QStringLiteral("COM1"), true),
                                                  namedPort(QStringLiteral("COM2"), true)})));
    CComAbonentSettingsWidget page;
    QCOMPARE(page.loadData(abonentRecord(QStringLiteral("1"), {})), QString());

    openMenu(page, QStringLiteral("COM2"));
    QCOMPARE(shownPorts(page), QStringLiteral("COM2; "));
    MenuEntries expected = {{anyPort(), false}, {QStringLiteral("COM1"), false}, {QStringLiteral("COM2"), true}};
    QCOMPARE(openMenu(page, QStringLiteral("COM1")), expected);
    QCOMPARE(shownPorts(page), QStringLiteral("COM2; COM1; "));
    QCOMPARE(page.saveData(), abonentRecord(QStringLiteral("1"), {QStringLiteral("COM2"), QStringLiteral("COM1")}));

    openMenu(page, QStringLiteral("COM2"));
    QCOMPARE(shownPorts(page), QStringLiteral("COM1; "));

    openMenu(page, anyPort());
    QCOMPARE(shownPorts(page), anyPort());
    QCOMPARE(page.saveData(), abonentRecord(QStringLiteral("1"), {}));
    // Choosing it while already checked still means any port.
    expected = {{anyPort(), true}, {QStringLiteral("COM1"), false}, {QStringLiteral("COM2"), false}};
    QCOMPARE(openMenu(page, anyPort()), expected);
    QCOMPARE(shownPorts(page), anyPort());
}

void tst_AbonentPage::portNoLongerActive()
{
    QVERIFY(writeFile(channelFile, channelRecord({namedPort(QStringLiteral("COM1"), true),
                                                  namedPort(QStringLiteral("COM9"), false)})));
    CComAbonentSettingsWidget page;
    const QByteArray record = abonentRecord(QStringLiteral("1"), {QStringLiteral("COM9")});
    QCOMPARE(page.loadData(record), QString());

    QCOMPARE(shownPorts(page), QStringLiteral("COM9; "));
    QCOMPARE(page.canApply(), QString());
    QCOMPARE(page.saveData(), record);
    const MenuEntries expected = {{anyPort(), false}, {QStringLiteral("COM1"), false}};
    QCOMPARE(openMenu(page, anyPort()), expected);
    QCOMPARE(page.saveData(), abonentRecord(QStringLiteral("1"), {}));
}

void tst_AbonentPage::cacheReadAgainOnlyWhenFileTimeMoves()
{
    const QByteArray withA = channelRecord({namedPort(QStringLiteral("A"), true)});
    const QByteArray withB = channelRecord({namedPort(QStringLiteral("B"), true)});
    const MenuEntries offersA = {{anyPort(), true}, {QStringLiteral("A"), false}};
    const MenuEntries offersB = {{anyPort(), true}, {QStringLiteral("B"), false}};

    const QDateTime written = freshModificationTime();
    QVERIFY(writeFile(channelFile, withA, written));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersA);

    QVERIFY(writeFile(channelFile, withB, written));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersA);
    QVERIFY(writeFile(channelFile, withB, written.addSecs(-60)));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersA);

    QVERIFY(writeFile(channelFile, withB, written.addMSecs(1)));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersB);
}

void tst_AbonentPage::damagedOrMissingFileKeepsPorts()
{
    const MenuEntries offersA = {{anyPort(), true}, {QStringLiteral("A"), false}};
    QVERIFY(writeFile(channelFile, channelRecord({namedPort(QStringLiteral("A"), true)})));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersA);

    const QDateTime damaged = freshModificationTime();
    QVERIFY(writeFile(channelFile, QByteArrayLiteral("\x00\x00\x00\x03\x00\x00\x00\x05"), damaged));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersA);

    // The damaged file was read at its time: the same time is not read again.
    QVERIFY(writeFile(channelFile, channelRecord({namedPort(QStringLiteral("B"), true)}), damaged));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersA);

    QVERIFY(QFile::remove(Global::channelComSettingsFilePath()));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersA);
}

void tst_AbonentPage::unreadableFileIsReadOnceReadable()
{
    RUN_AS_UNPRIVILEGED_USER();
    const MenuEntries offersZ = {{anyPort(), true}, {QStringLiteral("Z"), false}};
    QVERIFY(writeFile(channelFile, channelRecord({namedPort(QStringLiteral("Z"), true)})));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersZ);

    QVERIFY(writeFile(channelFile, channelRecord({namedPort(QStringLiteral("A"), true)})));
    QFile file(Global::channelComSettingsFilePath());
    QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), offersZ);

    // Its time was not taken while it could not be read.
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(openMenu(CComAbonentSettingsWidget()), MenuEntries({{anyPort(), true}, {QStringLiteral("A"), false}}));
}

void tst_AbonentPage::isSameSettings_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("same");

    const QByteArray number = abonentRecord(QStringLiteral("123456"), {});
    QTest::newRow("same number, other ports")
        << abonentRecord(QStringLiteral("123456"), {QStringLiteral("COM1")})
        << abonentRecord(QStringLiteral("123456"), {QStringLiteral("COM2")}) << true;
    QTest::newRow("tone prefix") << abonentRecord(QStringLiteral("T123456"), {}) << number << false;
    QTest::newRow("blank inside") << abonentRecord(QStringLiteral("123 456"), {}) << number << false;
    QTest::newRow("letter case") << abonentRecord(QStringLiteral("t1"), {}) << abonentRecord(QStringLiteral("T1"), {})
                                 << false;
    QTest::newRow("both empty") << abonentRecord(QString(), {}) << abonentRecord(QStringLiteral(""), {}) << true;
    QTest::newRow("first damaged") << number.left(6) << number << false;
    QTest::newRow("second of the wrong kind") << number << ChannelComSettings().toByteArray() << false;
}

void tst_AbonentPage::isSameSettings()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, same);

    QCOMPARE(CComAbonentSettingsWidget::isSameSettings(a, b), same);
    QCOMPARE(CComAbonentSettingsWidget::isSameSettings(b, a), same);
}

void tst_AbonentPage::helpIconLeftClickShowsTooltip()
{
    CComAbonentSettingsWidget page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    auto help = child<QLabel>(page, "lHelp");
    QVERIFY(!help->pixmap(Qt::ReturnByValue).isNull());

    QTest::mouseClick(help, Qt::RightButton);
    QVERIFY(!QToolTip::isVisible());

    QTest::mouseClick(help, Qt::LeftButton);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), help->toolTip());
    QVERIFY(QToolTip::text().contains(QStringLiteral("&quot;T123456&quot;")));
}

QTEST_MAIN(tst_AbonentPage)
#include "tst_abonentpage.moc"
