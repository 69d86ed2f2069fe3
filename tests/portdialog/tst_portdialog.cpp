#include "comchannel/ccomportdialog.h"
#include "comchannel/ccomportsmodel.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/modalanswer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QtTest>

using TestSupport::Entries;
using TestSupport::entries;
using TestSupport::entriesOf;
using TestSupport::fieldsOf;
using TestSupport::namedPort;
using TestSupport::port;
Q_DECLARE_METATYPE(ComPortSettings)

namespace {

// A channel page's side of the dialog: its ports, the host's registry, and
// the dialog on screen.
class Fixture
{
public:
    Fixture(const QStringList &channelPorts, const Entries &registryEntries)
    {
        for (const QString &name : channelPorts)
            model.add(namedPort(name, false));
        for (const TestSupport::Entry &registered : registryEntries)
            registry.add(registered.first, registered.second);
        dialog.show();
    }

    template<typename T = QWidget>
    T *widget(const char *name) { return dialog.findChild<T *>(QString::fromLatin1(name)); }
    QComboBox *combo(const char *name) { return widget<QComboBox>(name); }
    void pick(const char *name, const QString &text) { combo(name)->setCurrentIndex(combo(name)->findText(text)); }
    void click(const char *name) { QTest::mouseClick(widget<QAbstractButton>(name), Qt::LeftButton); }

    int extendedRowsShown()
    {
        int shown = 0;
        for (const char *name : {"lDataBits", "cbxDataBits", "lFlowControl", "cbxFlowControl", "lParity", "cbxParity",
                                 "lStopBits", "cbxStopBits", "lInitString", "leInitString"})
            shown += widget(name)->isVisible() ? 1 : 0;
        return shown;
    }

    // Every field comes from the dialog, none from the record handed in.
    ComPortSettings saved()
    {
        ComPortSettings result = port(false, QStringLiteral("stale"), QStringLiteral("stale"), 1, 1, 1, 1, 1);
        dialog.save(&result);
        return result;
    }

    CComPortsModel model;
    CChannelUsedDevices registry;
    CComPortDialog dialog{&model, &registry, nullptr};
};

} // namespace

class TestPortDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void startsWithDefaults();
    void apply_data();
    void apply();
    void loadAndSave_data();
    void loadAndSave();
    void hiddenRowsKeepValues();
    void closing_data();
    void closing();
};

void TestPortDialog::init()
{
    QDir(Global::settingsDir()).removeRecursively();
}

void TestPortDialog::startsWithDefaults()
{
    Fixture f({}, {});
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Настройка COM порта"));
    QCOMPARE(f.dialog.windowFlags()
                 & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint),
             Qt::WindowFlags());

    QStringList systemPorts;
    const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : available)
        systemPorts << info.systemLocation();
    QStringList offered;
    for (int i = 0; i < f.combo("cbxPort")->count(); ++i)
        offered << f.combo("cbxPort")->itemText(i);
    QCOMPARE(offered, systemPorts);

    QCOMPARE(f.extendedRowsShown(), 0);
    for (const char *name : {"chbxActive", "label", "cbxPort", "label_2", "cbxBaudRate", "pbnApply", "pbnCancel"})
        QVERIFY2(f.widget(name)->isVisible(), name);
    QCOMPARE(fieldsOf(f.saved()), fieldsOf(port(true, systemPorts.value(0), QLatin1String(""), 115200, 1, 8, 0, 1)));
}

void TestPortDialog::apply_data()
{
    QTest::addColumn<QStringList>("channelPorts");
    QTest::addColumn<Entries>("registry");
    QTest::addColumn<QString>("loaded"); // null for a new port
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // null when accepted
    QTest::addColumn<Entries>("registryAfter");

    const QString noName = QStringLiteral("Укажите COM порт");
    const QString inChannel = QStringLiteral("Данный COM порт уже используется");
    const QString inOtherChannel = QStringLiteral("Данный COM порт уже используется в другом канале");
    auto refused = [](const char *name, const QStringList &channelPorts, const char *registry, const char *loaded,
                      bool active, const char *typed, const QString &message) {
        QTest::newRow(name) << channelPorts << entries(registry) << QString::fromUtf8(loaded) << active
                            << QString::fromUtf8(typed) << message << entries(registry);
    };
    auto accepted = [](const char *name, const QStringList &channelPorts, const char *registry, const char *loaded,
                       bool active, const char *typed, const Entries &after) {
        QTest::newRow(name) << channelPorts << entries(registry) << QString::fromUtf8(loaded) << active
                            << QString::fromUtf8(typed) << QString() << after;
    };

    refused("nothing typed", {}, "", nullptr, true, "", noName);
    refused("nothing typed, inactive, name taken elsewhere", {""}, "3:", nullptr, false, "", noName);
    refused("new port named like one of the channel", {"COM1"}, "", nullptr, false, "COM1", inChannel);
    refused("rename onto another inactive port", {"COM1", "COM2"}, "", "COM1", false, "COM2", inChannel);
    refused("rename an active port onto another active port", {"COM1", "COM2"}, "2:COM1 2:COM2", "COM1", true,
            "COM2", inChannel);
    refused("in the channel and in another channel", {"COM3"}, "3:COM3", nullptr, true, "COM3", inChannel);
    refused("active, used by another channel", {}, "2:COM5 4:COM5", nullptr, true, "COM5", inOtherChannel);
    refused("kept name, another channel took the device", {"COM5"}, "2:COM5 3:COM5", "COM5", true, "COM5",
            inOtherChannel);

    accepted("new active port", {}, "3:X", nullptr, true, "COM1", entries("3:X 2:COM1"));
    accepted("new inactive port on another channel's device", {}, "3:COM1", nullptr, false, "COM1",
             entries("3:COM1"));
    accepted("device known only to this channel", {}, "2:COM4", nullptr, true, "COM4", entries("2:COM4"));
    accepted("name differing in letter case", {"com1"}, "3:Com1", nullptr, true, "COM1", entries("3:Com1 2:COM1"));
    accepted("untrimmed name", {"COM1"}, "", nullptr, true, " COM1 ", {TestSupport::entry(2, " COM1 ")});
    accepted("edit keeping the name", {"COM1", "COM2"}, "2:COM1 2:COM2", "COM1", true, "COM1",
             entries("2:COM2 2:COM1"));
    accepted("rename moves the entry", {"COM1", "COM2"}, "2:COM1 3:X", "COM1", true, "COM9", entries("3:X 2:COM9"));
    accepted("switched inactive loses the entry", {"COM1"}, "2:COM1 3:COM1", "COM1", false, "COM1",
             entries("3:COM1"));
}

void TestPortDialog::apply()
{
    QFETCH(QStringList, channelPorts);
    QFETCH(Entries, registry);
    QFETCH(QString, loaded);
    QFETCH(bool, active);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QFETCH(Entries, registryAfter);

    Fixture f(channelPorts, registry);
    if (!loaded.isNull())
        f.dialog.load(namedPort(loaded, true));
    f.widget<QCheckBox>("chbxActive")->setChecked(active);
    f.combo("cbxPort")->setEditText(typed);
    TestSupport::SeenBox seen;
    {
        TestSupport::MessageBoxAnswer answer(QStringLiteral("Ок"), &seen);
        f.click("pbnApply");
        QCOMPARE(answer.fired(), !refusal.isNull());
    }
    QCOMPARE(entriesOf(f.registry), registryAfter);
    QCOMPARE(f.dialog.isVisible(), !refusal.isNull());
    if (refusal.isNull()) {
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(f.saved().portName, typed);
        QCOMPARE(f.saved().active, active);
        return;
    }
    QCOMPARE(seen.text, refusal);
    QCOMPARE(seen.title, QStringLiteral("Внимание"));
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("Ок")});
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    QWidget *focus = f.dialog.focusWidget();
    QVERIFY(focus == f.combo("cbxPort") || f.combo("cbxPort")->isAncestorOf(focus));
}

void TestPortDialog::loadAndSave_data()
{
    QTest::addColumn<ComPortSettings>("loaded");
    // Speed, flow control, data bits, parity, stop bits ("" for no selection).
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<ComPortSettings>("saved");

    // An active COM1 without initialisation string.
    auto com1 = [](int baudRate, int flowControl, int dataBits, int parity, int stopBits) {
        return port(true, QStringLiteral("COM1"), QLatin1String(""), baudRate, flowControl, dataBits, parity, stopBits);
    };
    const ComPortSettings all = port(false, QStringLiteral("COM3"), QStringLiteral("AT&F\\r\\n"), 9600, 2, 7, 3, 3);
    QTest::newRow("every field set") << all << QStringList{"9600", "Программное (XON/XOFF)", "7", "Нечет", "1.5"}
                                     << all;
    const QStringList parities{"Нет", "", "Чет", "Нечет", "Пробел", "Маркер"};
    for (int parity : {0, 2, 3, 4, 5}) {
        QTest::addRow("parity %d", parity) << com1(1200, 0, 5, parity, 1)
                                           << QStringList{"1200", "Нет", "5", parities.at(parity), "1"}
                                           << com1(1200, 0, 5, parity, 1);
    }
    const QStringList stops{"", "1", "2", "1.5"};
    for (int stopBits : {1, 3, 2}) {
        QTest::addRow("stop bits %d", stopBits)
            << com1(57600, 1, 6, 4, stopBits)
            << QStringList{"57600", "Аппаратное (RTS/CTS)", "6", "Пробел", stops.at(stopBits)}
            << com1(57600, 1, 6, 4, stopBits);
    }
    QTest::newRow("speed not offered") << com1(300, 0, 8, 0, 1) << QStringList{"115200", "Нет", "8", "Нет", "1"}
                                       << com1(115200, 0, 8, 0, 1);
    QTest::newRow("parity 1, stop bits 0 keep the form's choice")
        << com1(2400, 0, 8, 1, 0) << QStringList{"2400", "Нет", "8", "Нет", "1"} << com1(2400, 0, 8, 0, 1);
    QTest::newRow("flow control and data bits out of range")
        << com1(4800, 3, 9, 2, 2) << QStringList{"4800", "", "", "Чет", "2"} << com1(4800, -1, 0, 2, 2);
    QTest::newRow("nothing set") << ComPortSettings() << QStringList{"115200", "", "", "Нет", "1"}
                                 << port(false, QLatin1String(""), QLatin1String(""), 115200, -1, 0, 0, 1);
    const ComPortSettings unlisted =
        port(true, QStringLiteral(" модем 2 "), QStringLiteral(" ATZ "), 19200, 0, 8, 0, 1);
    QTest::newRow("name not among the system ports, untrimmed")
        << unlisted << QStringList{"19200", "Нет", "8", "Нет", "1"} << unlisted;
}

void TestPortDialog::loadAndSave()
{
    QFETCH(ComPortSettings, loaded);
    QFETCH(QStringList, shown);
    QFETCH(ComPortSettings, saved);

    Fixture f({}, {});
    f.dialog.load(loaded);
    QCOMPARE(f.widget<QCheckBox>("chbxActive")->isChecked(), loaded.active);
    QCOMPARE(f.combo("cbxPort")->currentText(), loaded.portName);
    QCOMPARE(f.widget<QLineEdit>("leInitString")->text(), loaded.initString);
    QStringList shownNow;
    for (const char *name : {"cbxBaudRate", "cbxFlowControl", "cbxDataBits", "cbxParity", "cbxStopBits"})
        shownNow << f.combo(name)->currentText();
    QCOMPARE(shownNow, shown);
    QCOMPARE(fieldsOf(f.saved()), fieldsOf(saved));
}

void TestPortDialog::hiddenRowsKeepValues()
{
    Fixture f({}, {});
    f.dialog.load(port(true, QStringLiteral("COM1"), QStringLiteral("ATZ"), 9600, 2, 7, 3, 3));
    f.pick("cbxBaudRate", QStringLiteral("38400"));
    QCOMPARE(fieldsOf(f.saved()),
             fieldsOf(port(true, QStringLiteral("COM1"), QStringLiteral("ATZ"), 38400, 2, 7, 3, 3)));

    f.click("chbxExtended");
    QCOMPARE(f.extendedRowsShown(), 10);
    f.pick("cbxDataBits", QStringLiteral("6"));
    f.pick("cbxParity", QStringLiteral("Маркер"));
    QTest::keyClicks(f.widget<QLineEdit>("leInitString"), QStringLiteral("\\r"));
    f.click("chbxExtended");
    QCOMPARE(f.extendedRowsShown(), 0);
    QCOMPARE(fieldsOf(f.saved()),
             fieldsOf(port(true, QStringLiteral("COM1"), QStringLiteral("ATZ\\r"), 38400, 2, 6, 5, 3)));
}

void TestPortDialog::closing_data()
{
    QTest::addColumn<QString>("generalSettings");
    QTest::addColumn<bool>("escapeCloses");

    QTest::newRow("no file") << QString() << false;
    QTest::newRow("key absent") << QStringLiteral("[General]\nother=true\n") << false;
    QTest::newRow("false") << QStringLiteral("closeChildWindows=false\n") << false;
    QTest::newRow("true") << QStringLiteral("closeChildWindows=true\n") << true;
    QTest::newRow("true in a group does not count") << QStringLiteral("[Ui]\ncloseChildWindows=true\n") << false;
}

// Escape (when the general settings allow it) and Cancel both reject the
// dialog with the registry untouched.
void TestPortDialog::closing()
{
    QFETCH(QString, generalSettings);
    QFETCH(bool, escapeCloses);

    Fixture f({}, entries("2:COM1"));
    f.dialog.load(namedPort(QStringLiteral("COM1"), true));
    f.combo("cbxPort")->setEditText(QStringLiteral("COM2"));
    f.widget<QCheckBox>("chbxActive")->setChecked(false);
    // Pressed before the file is written: the setting is read afresh on each Escape.
    QTest::keyClick(f.combo("cbxPort"), Qt::Key_Escape);
    QVERIFY(f.dialog.isVisible());
    if (!generalSettings.isNull())
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/generalSettings.ini"), generalSettings.toUtf8()));
    QTest::keyClick(f.combo("cbxPort"), Qt::Key_Escape);
    QCOMPARE(f.dialog.isVisible(), !escapeCloses);
    if (!escapeCloses)
        f.click("pbnCancel");
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(entriesOf(f.registry), entries("2:COM1"));
}

QTEST_MAIN(TestPortDialog)
#include "tst_portdialog.moc"
