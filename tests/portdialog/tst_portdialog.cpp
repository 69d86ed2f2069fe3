#include "comchannel/ccomportdialog.h"
#include "comchannel/ccomportsmodel.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"
#include "tests/support/modalanswer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QSettings>
#include <QtTest>

using TestSupport::Entries;
using TestSupport::entriesOf;
using TestSupport::entry;
using TestSupport::namedPort;
using TestSupport::port;
Q_DECLARE_METATYPE(ComPortSettings)

namespace {

const char *const ExtendedWidgets[] = {"lDataBits", "cbxDataBits", "lFlowControl", "cbxFlowControl", "lParity",
                                       "cbxParity", "lStopBits",  "cbxStopBits",  "lInitString",    "leInitString"};

// A channel page's side of the dialog: its ports, the host's registry, and
// the dialog on screen, driven through its widgets as a user would.
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

    template<typename T>
    T *widget(const char *name)
    {
        T *found = dialog.findChild<T *>(QString::fromLatin1(name));
        Q_ASSERT(found);
        return found;
    }

    QComboBox *combo(const char *name) { return widget<QComboBox>(name); }

    void typePortName(const QString &name)
    {
        QLineEdit *edit = combo("cbxPort")->lineEdit();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, name);
    }

    void setActive(bool active)
    {
        QCheckBox *box = widget<QCheckBox>("chbxActive");
        if (box->isChecked() != active)
            QTest::keyClick(box, Qt::Key_Space);
    }

    // Picks an item with the keyboard, from the top of the list down.
    void pick(const char *comboName, const QString &text)
    {
        QComboBox *box = combo(comboName);
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < box->count() && box->currentText() != text; ++i)
            QTest::keyClick(box, Qt::Key_Down);
    }

    void click(const char *buttonName) { QTest::mouseClick(widget<QAbstractButton>(buttonName), Qt::LeftButton); }

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
    void refusals_data();
    void refusals();
    void acceptances_data();
    void acceptances();
    void cancel();
    void loadAndSave_data();
    void loadAndSave();
    void hiddenRowsKeepValues();
    void escape_data();
    void escape();
    void escapeReadsSettingAfresh();
};

void TestPortDialog::init()
{
    QDir(Global::settingsDir()).removeRecursively();
}

void TestPortDialog::startsWithDefaults()
{
    Fixture f({}, {});
    QCOMPARE(f.dialog.windowTitle(), QStringLiteral("Настройка COM порта"));
    const Qt::WindowFlags flags = f.dialog.windowFlags();
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowContextHelpButtonHint));

    QStringList systemPorts;
    const QList<QSerialPortInfo> available = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : available)
        systemPorts << info.systemLocation();
    QComboBox *ports = f.combo("cbxPort");
    QStringList offered;
    for (int i = 0; i < ports->count(); ++i)
        offered << ports->itemText(i);
    QCOMPARE(offered, systemPorts);
    QCOMPARE(ports->currentText(), systemPorts.value(0));

    QVERIFY(!f.widget<QCheckBox>("chbxExtended")->isChecked());
    for (const char *name : ExtendedWidgets)
        QVERIFY2(f.widget<QWidget>(name)->isHidden(), name);
    for (const char *name : {"chbxActive", "label", "cbxPort", "label_2", "cbxBaudRate", "pbnApply", "pbnCancel"})
        QVERIFY2(f.widget<QWidget>(name)->isVisible(), name);
    QVERIFY(f.widget<QPushButton>("pbnApply")->isDefault());

    const ComPortSettings saved = f.saved();
    QVERIFY(saved.active);
    QCOMPARE(saved.portName, systemPorts.value(0));
    QCOMPARE(saved.baudRate, 115200);
    QCOMPARE(saved.flowControl, 1);
    QCOMPARE(saved.dataBits, 8);
    QCOMPARE(saved.parity, 0);
    QCOMPARE(saved.stopBits, 1);
    QCOMPARE(saved.initString, QString(""));
}

void TestPortDialog::refusals_data()
{
    QTest::addColumn<QStringList>("channelPorts");
    QTest::addColumn<Entries>("registry");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    const QString noName = QStringLiteral("Укажите COM порт");
    const QString inChannel = QStringLiteral("Данный COM порт уже используется");
    const QString inOtherChannel = QStringLiteral("Данный COM порт уже используется в другом канале");

    QTest::newRow("nothing typed") << QStringList() << Entries() << QString() << true << QString() << noName;
    QTest::newRow("nothing typed, inactive, name taken elsewhere")
        << QStringList{""} << Entries{entry(3, "")} << QString() << false << QString() << noName;
    QTest::newRow("new port named like one of the channel")
        << QStringList{"COM1"} << Entries() << QString() << false << "COM1" << inChannel;
    QTest::newRow("rename onto another inactive port")
        << QStringList{"COM1", "COM2"} << Entries() << "COM1" << false << "COM2" << inChannel;
    QTest::newRow("rename an active port onto another active port")
        << QStringList{"COM1", "COM2"} << Entries{entry(2, "COM1"), entry(2, "COM2")} << "COM1" << true << "COM2"
        << inChannel;
    QTest::newRow("in the channel and in another channel")
        << QStringList{"COM3"} << Entries{entry(3, "COM3")} << QString() << true << "COM3" << inChannel;
    QTest::newRow("active, used by another channel")
        << QStringList() << Entries{entry(2, "COM5"), entry(4, "COM5")} << QString() << true << "COM5" << inOtherChannel;
    QTest::newRow("kept name, another channel took the device")
        << QStringList{"COM5"} << Entries{entry(2, "COM5"), entry(3, "COM5")} << "COM5" << true << "COM5" << inOtherChannel;
}

void TestPortDialog::refusals()
{
    QFETCH(QStringList, channelPorts);
    QFETCH(Entries, registry);
    QFETCH(QString, loaded);
    QFETCH(bool, active);
    QFETCH(QString, typed);
    QFETCH(QString, message);

    Fixture f(channelPorts, registry);
    if (!loaded.isNull())
        f.dialog.load(namedPort(loaded, active));
    f.setActive(active);
    f.typePortName(typed);

    TestSupport::SeenBox seen;
    {
        TestSupport::MessageBoxAnswer answer(QStringLiteral("Ок"), &seen);
        f.click("pbnApply");
        QVERIFY(answer.fired());
    }
    QCOMPARE(seen.text, message);
    QCOMPARE(seen.title, QStringLiteral("Внимание"));
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("Ок")});
    QCOMPARE(seen.icon, QMessageBox::Warning);

    QVERIFY(f.dialog.isVisible());
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(entriesOf(f.registry), registry);
    QWidget *focus = f.dialog.focusWidget();
    QVERIFY(focus == f.combo("cbxPort") || f.combo("cbxPort")->isAncestorOf(focus));
}

void TestPortDialog::acceptances_data()
{
    QTest::addColumn<QStringList>("channelPorts");
    QTest::addColumn<Entries>("registry");
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Entries>("registryAfter");

    QTest::newRow("new active port") << QStringList() << Entries{entry(3, "X")} << QString() << true << "COM1"
                                     << Entries{entry(3, "X"), entry(2, "COM1")};
    QTest::newRow("new inactive port on another channel's device")
        << QStringList() << Entries{entry(3, "COM1")} << QString() << false << "COM1" << Entries{entry(3, "COM1")};
    QTest::newRow("device known only to this channel")
        << QStringList() << Entries{entry(2, "COM4")} << QString() << true << "COM4" << Entries{entry(2, "COM4")};
    QTest::newRow("name differing in letter case") << QStringList{"com1"} << Entries{entry(3, "Com1")} << QString()
                                                   << true << "COM1" << Entries{entry(3, "Com1"), entry(2, "COM1")};
    QTest::newRow("untrimmed name") << QStringList{"COM1"} << Entries() << QString() << true << " COM1 "
                                    << Entries{entry(2, " COM1 ")};
    QTest::newRow("edit keeping the name") << QStringList{"COM1", "COM2"} << Entries{entry(2, "COM1"), entry(2, "COM2")}
                                           << "COM1" << true << "COM1" << Entries{entry(2, "COM2"), entry(2, "COM1")};
    QTest::newRow("rename moves the entry") << QStringList{"COM1", "COM2"} << Entries{entry(2, "COM1"), entry(3, "X")}
                                            << "COM1" << true << "COM9" << Entries{entry(3, "X"), entry(2, "COM9")};
    QTest::newRow("switched inactive loses the entry")
        << QStringList{"COM1"} << Entries{entry(2, "COM1"), entry(3, "COM1")} << "COM1" << false << "COM1"
        << Entries{entry(3, "COM1")};
}

void TestPortDialog::acceptances()
{
    QFETCH(QStringList, channelPorts);
    QFETCH(Entries, registry);
    QFETCH(QString, loaded);
    QFETCH(bool, active);
    QFETCH(QString, typed);
    QFETCH(Entries, registryAfter);

    Fixture f(channelPorts, registry);
    if (!loaded.isNull())
        f.dialog.load(namedPort(loaded, true));
    f.setActive(active);
    if (typed != loaded)
        f.typePortName(typed);

    TestSupport::SeenBox seen;
    {
        TestSupport::MessageBoxAnswer answer(QStringLiteral("Ок"), &seen);
        f.click("pbnApply");
        QVERIFY2(!answer.fired(), qPrintable(seen.text));
    }
    QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(entriesOf(f.registry), registryAfter);
    const ComPortSettings saved = f.saved();
    QCOMPARE(saved.portName, typed);
    QCOMPARE(saved.active, active);
}

void TestPortDialog::cancel()
{
    Fixture f({QStringLiteral("COM1")}, {entry(2, "COM1")});
    f.dialog.load(namedPort(QStringLiteral("COM1"), true));
    f.typePortName(QStringLiteral("COM2"));
    f.setActive(false);
    f.click("pbnCancel");
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    QVERIFY(!f.dialog.isVisible());
    QCOMPARE(entriesOf(f.registry), Entries{entry(2, "COM1")});
}

void TestPortDialog::loadAndSave_data()
{
    QTest::addColumn<ComPortSettings>("loaded");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<ComPortSettings>("saved");

    // shown: speed, flow control, data bits, parity, stop bits ("" for no selection)
    const ComPortSettings all = port(false, QStringLiteral("COM3"), QStringLiteral("AT&F\\r\\n"), 9600, 2, 7, 3, 3);
    QTest::newRow("every field set")
        << all << QStringList{"9600", "Программное (XON/XOFF)", "7", "Нечет", "1.5"} << all;

    const struct {
        int parity;
        const char *text;
    } parities[] = {{0, "Нет"}, {2, "Чет"}, {3, "Нечет"}, {4, "Пробел"}, {5, "Маркер"}};
    for (const auto &parity : parities) {
        const ComPortSettings p = port(true, QStringLiteral("COM1"), QString(""), 1200, 0, 5, parity.parity, 1);
        QTest::addRow("parity %d", parity.parity)
            << p << QStringList{"1200", "Нет", "5", QString::fromUtf8(parity.text), "1"} << p;
    }
    const struct {
        int stopBits;
        const char *text;
    } stops[] = {{1, "1"}, {3, "1.5"}, {2, "2"}};
    for (const auto &stop : stops) {
        const ComPortSettings p = port(true, QStringLiteral("COM1"), QString(""), 57600, 1, 6, 4, stop.stopBits);
        QTest::addRow("stop bits %d", stop.stopBits)
            << p << QStringList{"57600", "Аппаратное (RTS/CTS)", "6", "Пробел", QString::fromUtf8(stop.text)} << p;
    }

    QTest::newRow("speed not offered")
        << port(true, QStringLiteral("COM1"), QString(""), 300, 0, 8, 0, 1)
        << QStringList{"115200", "Нет", "8", "Нет", "1"}
        << port(true, QStringLiteral("COM1"), QString(""), 115200, 0, 8, 0, 1);
    QTest::newRow("parity 1, stop bits 0 keep the form's choice")
        << port(true, QStringLiteral("COM1"), QString(""), 2400, 0, 8, 1, 0)
        << QStringList{"2400", "Нет", "8", "Нет", "1"}
        << port(true, QStringLiteral("COM1"), QString(""), 2400, 0, 8, 0, 1);
    QTest::newRow("flow control and data bits out of range")
        << port(true, QStringLiteral("COM1"), QString(""), 4800, 3, 9, 2, 2)
        << QStringList{"4800", "", "", "Чет", "2"}
        << port(true, QStringLiteral("COM1"), QString(""), 4800, -1, 0, 2, 2);
    QTest::newRow("nothing set")
        << ComPortSettings() << QStringList{"115200", "", "", "Нет", "1"}
        << port(false, QString(""), QString(""), 115200, -1, 0, 0, 1);
    QTest::newRow("name not among the system ports, untrimmed")
        << port(true, QStringLiteral(" модем 2 "), QStringLiteral(" ATZ "), 19200, 0, 8, 0, 1)
        << QStringList{"19200", "Нет", "8", "Нет", "1"}
        << port(true, QStringLiteral(" модем 2 "), QStringLiteral(" ATZ "), 19200, 0, 8, 0, 1);
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
    const QStringList shownNow{f.combo("cbxBaudRate")->currentText(), f.combo("cbxFlowControl")->currentText(),
                               f.combo("cbxDataBits")->currentText(), f.combo("cbxParity")->currentText(),
                               f.combo("cbxStopBits")->currentText()};
    QCOMPARE(shownNow, shown);

    const ComPortSettings result = f.saved();
    QCOMPARE(result.active, saved.active);
    QCOMPARE(result.portName, saved.portName);
    QCOMPARE(result.initString, saved.initString);
    QCOMPARE(result.baudRate, saved.baudRate);
    QCOMPARE(result.flowControl, saved.flowControl);
    QCOMPARE(result.dataBits, saved.dataBits);
    QCOMPARE(result.parity, saved.parity);
    QCOMPARE(result.stopBits, saved.stopBits);
}

void TestPortDialog::hiddenRowsKeepValues()
{
    Fixture f({}, {});
    f.dialog.load(port(true, QStringLiteral("COM1"), QStringLiteral("ATZ"), 9600, 2, 7, 3, 3));

    // Simple view: only the speed changes.
    f.pick("cbxBaudRate", QStringLiteral("38400"));
    ComPortSettings saved = f.saved();
    QCOMPARE(saved.baudRate, 38400);
    QCOMPARE(saved.flowControl, 2);
    QCOMPARE(saved.dataBits, 7);
    QCOMPARE(saved.parity, 3);
    QCOMPARE(saved.stopBits, 3);
    QCOMPARE(saved.initString, QStringLiteral("ATZ"));

    f.click("chbxExtended");
    for (const char *name : ExtendedWidgets)
        QVERIFY2(f.widget<QWidget>(name)->isVisible(), name);
    f.pick("cbxDataBits", QStringLiteral("6"));
    f.pick("cbxParity", QStringLiteral("Маркер"));
    QTest::keyClicks(f.widget<QLineEdit>("leInitString"), QStringLiteral("\\r"));

    f.click("chbxExtended");
    for (const char *name : ExtendedWidgets)
        QVERIFY2(f.widget<QWidget>(name)->isHidden(), name);
    saved = f.saved();
    QCOMPARE(saved.dataBits, 6);
    QCOMPARE(saved.parity, 5);
    QCOMPARE(saved.initString, QStringLiteral("ATZ\\r"));
    QCOMPARE(saved.stopBits, 3);
}

void TestPortDialog::escape_data()
{
    QTest::addColumn<QString>("fileContent");
    QTest::addColumn<bool>("closes");

    QTest::newRow("no file") << QString() << false;
    QTest::newRow("key absent") << QStringLiteral("[General]\nother=true\n") << false;
    QTest::newRow("false") << QStringLiteral("closeChildWindows=false\n") << false;
    QTest::newRow("true") << QStringLiteral("closeChildWindows=true\n") << true;
    QTest::newRow("true in a group does not count") << QStringLiteral("[Ui]\ncloseChildWindows=true\n") << false;
}

void TestPortDialog::escape()
{
    QFETCH(QString, fileContent);
    QFETCH(bool, closes);

    if (!fileContent.isNull()) {
        QVERIFY(QDir().mkpath(Global::settingsDir().absolutePath()));
        QFile file(Global::generalSettingsFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileContent.toUtf8());
    }

    Fixture f({}, {entry(2, "COM1")});
    f.dialog.load(namedPort(QStringLiteral("COM1"), true));
    QTest::keyClick(f.combo("cbxPort"), Qt::Key_Escape);
    QCOMPARE(f.dialog.isVisible(), !closes);
    QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
    QCOMPARE(entriesOf(f.registry), Entries{entry(2, "COM1")});
}

void TestPortDialog::escapeReadsSettingAfresh()
{
    Fixture f({}, {});
    QTest::keyClick(&f.dialog, Qt::Key_Escape);
    QVERIFY(f.dialog.isVisible());

    QSettings(Global::generalSettingsFilePath(), QSettings::IniFormat)
        .setValue(QStringLiteral("closeChildWindows"), true);
    QTest::keyClick(&f.dialog, Qt::Key_Escape);
    QVERIFY(!f.dialog.isVisible());
}

QTEST_MAIN(TestPortDialog)
#include "tst_portdialog.moc"
