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

// The ports menu as the user sees it: each entry's text, checked ones marked "✓".
using MenuEntries = QStringList;

const QString channelFile = QStringLiteral("settings/channelCom.conf");
const QString anyPort = QStringLiteral("Любой");

QByteArray abonentRecord(const QString &number, const QStringList &ports)
{
    AbonentComSettings abonent;
    abonent.phoneNumber = number;
    abonent.ports = ports;
    return abonent.toByteArray();
}

// The channel's settings file with these ports, "+" before the active ones.
bool writeChannel(const QStringList &ports, const QDateTime &modified = QDateTime())
{
    ChannelComSettings channel;
    for (const QString &name : ports)
        channel.ports << namedPort(QString(name).remove(QLatin1Char('+')), name.startsWith(QLatin1Char('+')));
    return writeFile(channelFile, channel.toByteArray(), modified);
}

template<typename T>
T *child(const QWidget &page, const char *name)
{
    return page.findChild<T *>(QString::fromLatin1(name));
}

QString shownPorts(const QWidget &page)
{
    return child<QLineEdit>(page, "lePorts")->text();
}

// Opens the ports menu, notes its entries and clicks the one named `choose`
// (or closes the menu when there is none).
MenuEntries openMenu(const CComAbonentSettingsWidget &page, const QString &choose = QString())
{
    MenuEntries entries;
    QTimer::singleShot(0, [&] {
        auto menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions()) {
            entries << action->text() + (action->isChecked() ? QStringLiteral(" ✓") : QString());
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

// What a page created now offers.
MenuEntries offered()
{
    return openMenu(CComAbonentSettingsWidget());
}

} // namespace

class tst_AbonentPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loadAndSave_data();
    void loadAndSave();
    void canApply_data();
    void canApply();
    void choosingPorts();
    void portCache();
    void unreadableFileIsReadOnceReadable();
    void isSameSettings_data();
    void isSameSettings();
    void helpIconLeftClickShowsTooltip();
};

void tst_AbonentPage::initTestCase()
{
    FakeInstallation::reset();
}

void tst_AbonentPage::loadAndSave_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("pretty");

    QTest::newRow("any port") << abonentRecord(QStringLiteral("123"), {}) << QStringLiteral("Номер: 123, Порт: Любой");
    QTest::newRow("ports in chosen order")
        << abonentRecord(QStringLiteral("T123456"), {QStringLiteral("COM2"), QStringLiteral("COM1")})
        << QStringLiteral("Номер: T123456, Порт: COM2; COM1; ");
    QTest::newRow("empty number") << abonentRecord(QLatin1String(""), {}) << QStringLiteral("Номер: , Порт: Любой");
    QTest::newRow("number kept untrimmed")
        << abonentRecord(QStringLiteral(" P8 (800) 555 "), {QStringLiteral("/dev/ttyS0")})
        << QStringLiteral("Номер:  P8 (800) 555 , Порт: /dev/ttyS0; ");
}

// Loaded over another abonent's record and saved again unchanged.
void tst_AbonentPage::loadAndSave()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, pretty);

    CComAbonentSettingsWidget page;
    QCOMPARE(page.loadData(abonentRecord(QStringLiteral("7"), {QStringLiteral("COM7")})), QString());
    QCOMPARE(page.loadData(data), QString());
    QCOMPARE(page.saveData(), data);
    QCOMPARE(page.prettySettings(), pretty);
    QCOMPARE(shownPorts(page), pretty.section(QStringLiteral(", Порт: "), 1));
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

    QVERIFY(writeChannel({activePort ? QStringLiteral("+COM1") : QStringLiteral("COM1")}));
    CComAbonentSettingsWidget page;
    if (loaded)
        QCOMPARE(page.loadData(abonentRecord(QString(), {})), QString());
    child<QLineEdit>(page, "leNumber")->setText(number);
    QCOMPARE(page.canApply(), message);
}

void tst_AbonentPage::choosingPorts()
{
    QVERIFY(writeChannel({"+COM1", "COM3", "+COM2"}));
    CComAbonentSettingsWidget page;
    QCOMPARE(shownPorts(page), QString());
    QCOMPARE(page.loadData(abonentRecord(QStringLiteral("1"), {})), QString());

    QCOMPARE(openMenu(page, QStringLiteral("COM2")), (MenuEntries{"Любой ✓", "COM1", "COM2"}));
    QCOMPARE(shownPorts(page), QStringLiteral("COM2; "));
    QCOMPARE(openMenu(page, QStringLiteral("COM1")), (MenuEntries{"Любой", "COM1", "COM2 ✓"}));
    QCOMPARE(shownPorts(page), QStringLiteral("COM2; COM1; "));
    QCOMPARE(page.saveData(), abonentRecord(QStringLiteral("1"), {QStringLiteral("COM2"), QStringLiteral("COM1")}));
    openMenu(page, QStringLiteral("COM2"));
    QCOMPARE(shownPorts(page), QStringLiteral("COM1; "));
    openMenu(page, anyPort);
    QCOMPARE(shownPorts(page), anyPort);
    QCOMPARE(page.saveData(), abonentRecord(QStringLiteral("1"), {}));
    // Choosing it while already checked still means any port.
    QCOMPARE(openMenu(page, anyPort), (MenuEntries{"Любой ✓", "COM1", "COM2"}));
    QCOMPARE(shownPorts(page), anyPort);

    // A port the channel no longer uses stays chosen; only "Любой" removes it.
    const QByteArray inactive = abonentRecord(QStringLiteral("1"), {QStringLiteral("COM3")});
    QCOMPARE(page.loadData(inactive), QString());
    QCOMPARE(shownPorts(page), QStringLiteral("COM3; "));
    QCOMPARE(page.canApply(), QString());
    QCOMPARE(page.saveData(), inactive);
    QCOMPARE(openMenu(page, anyPort), (MenuEntries{"Любой", "COM1", "COM2"}));
    QCOMPARE(page.saveData(), abonentRecord(QStringLiteral("1"), {}));
}

// The channel's ports are read again only when the file's time moves past
// the time it had when last read; a missing or damaged file changes nothing.
void tst_AbonentPage::portCache()
{
    const QDateTime written = freshModificationTime();
    QVERIFY(writeChannel({"+A", "B"}, written));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "A"}));
    QVERIFY(writeChannel({"+B"}, written));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "A"}));
    QVERIFY(writeChannel({"+B"}, written.addSecs(-60)));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "A"}));
    QVERIFY(writeChannel({"+B"}, written.addMSecs(1)));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "B"}));

    const QDateTime damaged = freshModificationTime();
    QVERIFY(writeFile(channelFile, QByteArrayLiteral("\x00\x00\x00\x03\x00\x00\x00\x05"), damaged));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "B"}));
    // The damaged file was read at its time: the same time is not read again.
    QVERIFY(writeChannel({"+C"}, damaged));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "B"}));
    QVERIFY(QFile::remove(Global::channelComSettingsFilePath()));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "B"}));
}

void tst_AbonentPage::unreadableFileIsReadOnceReadable()
{
    RUN_AS_UNPRIVILEGED_USER();
    QVERIFY(writeChannel({"+Z"}));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "Z"}));

    QVERIFY(writeChannel({"+A"}));
    QFile file(Global::channelComSettingsFilePath());
    QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "Z"}));
    // Its time was not taken while it could not be read.
    QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(offered(), (MenuEntries{"Любой ✓", "A"}));
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
    QTest::newRow("both empty") << abonentRecord(QString(), {}) << abonentRecord(QLatin1String(""), {}) << true;
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
    QTest::mouseClick(help, Qt::RightButton);
    QVERIFY(!QToolTip::isVisible());

    QTest::mouseClick(help, Qt::LeftButton);
    QVERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), help->toolTip());
    QVERIFY(QToolTip::text().contains(QStringLiteral("&quot;T123456&quot;")));
}

QTEST_MAIN(tst_AbonentPage)
#include "tst_abonentpage.moc"
