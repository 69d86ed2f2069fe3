#include "comchannel/ccomchannelsettingswidget.h"
#include "comchannel/ccomportdialog.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"
#include "tests/support/modalanswer.h"
#include "tests/support/unprivileged.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include <functional>

using TestSupport::Entries;
using TestSupport::entry;
using TestSupport::namedPort;

namespace {

QByteArray record(const QStringList &names, const QStringList &active, int blockSize)
{
    ChannelComSettings channel;
    channel.blockSize = blockSize;
    for (const QString &name : names)
        channel.ports << namedPort(name, active.contains(name));
    return channel.toByteArray();
}

void writeChannelFile(const QByteArray &content)
{
    QVERIFY(QDir().mkpath(Global::settingsDir().absolutePath()));
    QFile file(Global::channelComSettingsFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), qint64(content.size()));
}

// A page as the host holds it: with the host's registry, which already knows
// a stale port of this channel and a port of another channel.
class Page
{
public:
    Page()
    {
        registry.add(2, QStringLiteral("stale"));
        registry.add(3, QStringLiteral("X"));
        page.usedDevices = &registry;
        page.show();
    }

    template<typename T>
    T *widget(const char *name)
    {
        T *found = page.findChild<T *>(QString::fromLatin1(name));
        Q_ASSERT(found);
        return found;
    }

    QTableView *table() { return widget<QTableView>("tvPorts"); }
    QSpinBox *blockSize() { return widget<QSpinBox>("sbxBlockSize"); }
    void click(const char *button) { QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton); }

    QStringList rows()
    {
        QStringList names;
        const QAbstractItemModel *model = table()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names << model->index(row, 0).data().toString();
        return names;
    }

    Entries entries() const { return TestSupport::entriesOf(registry); }

    ChannelComSettings saved()
    {
        QString path;
        QByteArray data;
        const QString result = page.saveData(&path, &data);
        ChannelComSettings channel;
        if (!result.isEmpty() || path != Global::channelComSettingsFilePath() || !channel.fromByteArray(data).isEmpty())
            qFatal("saveData failed");
        return channel;
    }

    void makeCurrent(int row, int column = 0)
    {
        const QModelIndex index = table()->model()->index(row, column);
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, table()->visualRect(index).center());
    }

    CChannelUsedDevices registry;
    CComChannelSettingsWidget page;
};

// Answers the port dialog the page opens: types a name unless it is null, then
// applies (or cancels), remembering the name the dialog showed first.
class DialogAnswer : public TestSupport::ModalWatcher<CComPortDialog>
{
public:
    DialogAnswer(const QString &typed, bool apply, QString *shown = nullptr)
        : ModalWatcher<CComPortDialog>([typed, apply, shown](CComPortDialog *dialog) {
              QComboBox *port = dialog->findChild<QComboBox *>(QStringLiteral("cbxPort"));
              if (shown)
                  *shown = port->currentText();
              if (!typed.isNull()) {
                  QTest::keyClick(port->lineEdit(), Qt::Key_A, Qt::ControlModifier);
                  QTest::keyClicks(port->lineEdit(), typed);
              }
              const char *button = apply ? "pbnApply" : "pbnCancel";
              QTest::mouseClick(dialog->findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
          })
    {
    }
};

// QTest::mouseDClick() sends only the double-click event; a real double
// click begins with a click.
void doubleClick(QWidget *widget, const QPoint &position)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, position);
}

using Action = std::function<void(Page &)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TestChannelPage : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void freshPage();
    void loadData_data();
    void loadData();
    void unreadableFile();
    void typedBlockSize();
    void extendedView();
    void changeReports_data();
    void changeReports();
    void editOpensCurrentRow();
    void removalQuestion_data();
    void removalQuestion();
    void removal();
};

void TestChannelPage::init()
{
    QDir(Global::settingsDir()).removeRecursively();
}

void TestChannelPage::freshPage()
{
    Page p;
    QSignalSpy changed(&p.page, &CChannelSettingsWidget::dataChanged);
    QVERIFY(changed.isValid());

    QCOMPARE(p.page.settings(), QStringList{QStringLiteral("channelCom.conf")});
    QVERIFY(p.blockSize()->isVisible());
    QVERIFY(p.widget<QLabel>("lBlockSize")->isVisible());
    QCOMPARE(p.table()->model()->columnCount(), 2);

    QString path = QStringLiteral("old");
    QByteArray data = "old";
    QCOMPARE(p.page.saveData(&path, &data), QString());
    QCOMPARE(path, Global::channelComSettingsFilePath());
    QCOMPARE(data, ChannelComSettings().toByteArray());
    QCOMPARE(p.entries(), Entries{entry(3, "X")});
    QVERIFY(!QFile::exists(path));
    QCOMPARE(changed.count(), 0);
}

void TestChannelPage::loadData_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<Entries>("registry");
    QTest::addColumn<int>("changes");

    const QStringList ports{"A", "B", "C"};
    QTest::newRow("no file") << QByteArray() << QString() << QStringList() << 1024 << Entries{entry(3, "X")} << 0;
    QTest::newRow("block size 2048") << record(ports, {"C", "A"}, 2048) << QString() << ports << 2048
                                     << Entries{entry(3, "X"), entry(2, "A"), entry(2, "C")} << 1;
    QTest::newRow("block size as shown already")
        << record(ports, {"B"}, 1024) << QString() << ports << 1024 << Entries{entry(3, "X"), entry(2, "B")} << 0;
    QTest::newRow("block size 8192") << record({}, {}, 8192) << QString() << QStringList() << 4096
                                     << Entries{entry(3, "X")} << 1;
    QTest::newRow("block size 16") << record({}, {}, 16) << QString() << QStringList() << 32 << Entries{entry(3, "X")}
                                   << 1;
    QTest::newRow("wrong version") << AbonentComSettings().toByteArray()
                                   << QStringLiteral("Версия настроек 4 не совпадает с текущей 3") << QStringList()
                                   << 1024 << Entries{entry(3, "X")} << 0;
    // Cut in the middle of C's entry, after its name.
    const QByteArray full = record(ports, {"A", "C"}, 512);
    QTest::newRow("damaged") << full.left(full.size() - 10) << QStringLiteral("Данные повреждены") << ports << 512
                             << Entries{entry(3, "X"), entry(2, "A"), entry(2, "C")} << 1;
}

void TestChannelPage::loadData()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    QFETCH(int, blockSize);
    QFETCH(Entries, registry);
    QFETCH(int, changes);

    if (!file.isNull())
        writeChannelFile(file);
    Page p;
    QSignalSpy changed(&p.page, &CChannelSettingsWidget::dataChanged);
    QVERIFY(changed.isValid());

    QCOMPARE(p.page.loadData(), message);
    QCOMPARE(p.rows(), rows);
    QCOMPARE(p.blockSize()->value(), blockSize);
    QCOMPARE(p.entries(), registry);
    QCOMPARE(changed.count(), changes);
    QCOMPARE(p.saved().blockSize, blockSize);
}

void TestChannelPage::unreadableFile()
{
    RUN_AS_UNPRIVILEGED_USER();

    writeChannelFile(record({"A", "B"}, {"A"}, 2048));
    Page p;
    QCOMPARE(p.page.loadData(), QString());
    QCOMPARE(p.entries(), (Entries{entry(3, "X"), entry(2, "A")}));

    const QString path = Global::channelComSettingsFilePath();
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QFile probe(path);
    QVERIFY(!probe.open(QIODevice::ReadOnly));
    QSignalSpy changed(&p.page, &CChannelSettingsWidget::dataChanged);
    QVERIFY(changed.isValid());

    QCOMPARE(p.page.loadData(),
             QStringLiteral("Не удалось открыть для чтения файл %1: %2").arg(path, probe.errorString()));
    QCOMPARE(p.rows(), (QStringList{"A", "B"}));
    QCOMPARE(p.blockSize()->value(), 2048);
    QCOMPARE(p.entries(), Entries{entry(3, "X")});
    QCOMPARE(changed.count(), 0);
}

void TestChannelPage::typedBlockSize()
{
    Page p;
    QSpinBox *spin = p.blockSize();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, QStringLiteral("1000"));
    QCOMPARE(spin->value(), 1000);
    QCOMPARE(p.saved().blockSize, 1000);

    QTest::keyClick(spin, Qt::Key_Up);
    QCOMPARE(p.saved().blockSize, 1032);
}

void TestChannelPage::extendedView()
{
    writeChannelFile(record({"A"}, {}, 2048));
    Page p;
    QCOMPARE(p.page.loadData(), QString());
    QSignalSpy changed(&p.page, &CChannelSettingsWidget::dataChanged);
    QVERIFY(changed.isValid());

    p.page.setDisplayExtendedSettings(true);
    QCOMPARE(p.table()->model()->columnCount(), 7);
    QVERIFY(p.blockSize()->isVisible());
    QVERIFY(p.widget<QLabel>("lBlockSize")->isVisible());

    p.page.setDisplayExtendedSettings(false);
    QCOMPARE(p.table()->model()->columnCount(), 2);
    QVERIFY(p.blockSize()->isHidden());
    QVERIFY(p.widget<QLabel>("lBlockSize")->isHidden());
    QCOMPARE(p.saved().blockSize, 2048);
    QCOMPARE(changed.count(), 0);
}

void TestChannelPage::changeReports_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<Entries>("registry");
    QTest::addColumn<int>("changes");

    // Every row starts from a loaded page with A (active) and B.
    const QStringList loaded{"A", "B"};
    const Entries registered{entry(3, "X"), entry(2, "A")};

    QTest::newRow("block size arrow") << Action([](Page &p) { QTest::keyClick(p.blockSize(), Qt::Key_Up); })
                                      << loaded << registered << 1;
    QTest::newRow("check box in the table") << Action([](Page &p) {
        p.makeCurrent(1);
        QTest::keyClick(p.table(), Qt::Key_Space);
    }) << loaded << registered << 1;
    QTest::newRow("add accepted") << Action([](Page &p) {
        DialogAnswer answer(QStringLiteral("COM7"), true);
        p.click("pbnAdd");
        QVERIFY(answer.fired());
    }) << QStringList{"A", "B", "COM7"} << registered + Entries{entry(2, "COM7")} << 1;
    QTest::newRow("add cancelled") << Action([](Page &p) {
        DialogAnswer answer(QStringLiteral("COM7"), false);
        p.click("pbnAdd");
        QVERIFY(answer.fired());
    }) << loaded << registered << 0;
    QTest::newRow("edit accepted") << Action([](Page &p) {
        p.makeCurrent(0, 1);
        DialogAnswer answer(QStringLiteral("COM9"), true);
        p.click("pbnEdit");
        QVERIFY(answer.fired());
    }) << QStringList{"COM9", "B"} << Entries{entry(3, "X"), entry(2, "COM9")} << 1;
    QTest::newRow("edit cancelled") << Action([](Page &p) {
        p.makeCurrent(0);
        DialogAnswer answer(QStringLiteral("COM9"), false);
        p.click("pbnEdit");
        QVERIFY(answer.fired());
    }) << loaded << registered << 0;
    QTest::newRow("edit without a current row") << Action([](Page &p) {
        DialogAnswer answer(QString(), false);
        p.click("pbnEdit");
        QVERIFY(!answer.fired());
    }) << loaded << registered << 0;
    QTest::newRow("remove without a selection") << Action([](Page &p) {
        TestSupport::SeenBox seen;
        TestSupport::MessageBoxAnswer answer(QStringLiteral("Да"), &seen);
        p.click("pbnRemove");
        QVERIFY(!answer.fired());
    }) << loaded << registered << 0;
    QTest::newRow("remove confirmed") << Action([](Page &p) {
        p.makeCurrent(0);
        TestSupport::SeenBox seen;
        TestSupport::MessageBoxAnswer answer(QStringLiteral("Да"), &seen);
        p.click("pbnRemove");
        QVERIFY(answer.fired());
    }) << QStringList{"B"} << Entries{entry(3, "X")} << 1;
    QTest::newRow("remove declined") << Action([](Page &p) {
        p.makeCurrent(0);
        TestSupport::SeenBox seen;
        TestSupport::MessageBoxAnswer answer(QStringLiteral("Нет"), &seen);
        p.click("pbnRemove");
        QVERIFY(answer.fired());
    }) << loaded << registered << 0;
    QTest::newRow("loaded again") << Action([](Page &p) { p.page.loadData(); }) << loaded << registered << 0;
}

void TestChannelPage::changeReports()
{
    QFETCH(Action, action);
    QFETCH(QStringList, rows);
    QFETCH(Entries, registry);
    QFETCH(int, changes);

    writeChannelFile(record({"A", "B"}, {"A"}, 1024));
    Page p;
    QCOMPARE(p.page.loadData(), QString());
    QSignalSpy changed(&p.page, &CChannelSettingsWidget::dataChanged);
    QVERIFY(changed.isValid());

    action(p);
    QCOMPARE(p.rows(), rows);
    QCOMPARE(p.entries(), registry);
    QCOMPARE(changed.count(), changes);
}

void TestChannelPage::editOpensCurrentRow()
{
    writeChannelFile(record({"A", "B", "C"}, {}, 1024));
    Page p;
    QCOMPARE(p.page.loadData(), QString());
    p.page.setDisplayExtendedSettings(true);
    QTableView *table = p.table();

    QString shown;
    {
        DialogAnswer answer(QString(), false, &shown);
        const QModelIndex parity = table->model()->index(1, 4);
        table->scrollTo(parity);
        const QRect cell = table->visualRect(parity);
        doubleClick(table->viewport(), cell.center());
        QVERIFY(answer.fired());
    }
    QCOMPARE(shown, QStringLiteral("B"));

    {
        DialogAnswer answer(QString(), false, &shown);
        const QRect last = table->visualRect(table->model()->index(2, 0));
        doubleClick(table->viewport(), QPoint(last.center().x(), last.bottom() + 10));
        QVERIFY(!answer.fired());
    }

    {
        DialogAnswer answer(QString(), false, &shown);
        p.makeCurrent(2, 1);
        p.click("pbnEdit");
        QVERIFY(answer.fired());
    }
    QCOMPARE(shown, QStringLiteral("C"));
}

void TestChannelPage::removalQuestion_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("question");

    QTest::newRow("1") << 1 << QStringLiteral("Вы действительно хотите удалить 1 COM порт");
    QTest::newRow("3") << 3 << QStringLiteral("Вы действительно хотите удалить 3 COM порта");
    QTest::newRow("5") << 5 << QStringLiteral("Вы действительно хотите удалить 5 COM портов");
    QTest::newRow("12") << 12 << QStringLiteral("Вы действительно хотите удалить 12 COM портов");
    QTest::newRow("21") << 21 << QStringLiteral("Вы действительно хотите удалить 21 COM порт");
    QTest::newRow("22") << 22 << QStringLiteral("Вы действительно хотите удалить 22 COM порта");
}

void TestChannelPage::removalQuestion()
{
    QFETCH(int, count);
    QFETCH(QString, question);

    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("COM%1").arg(i);
    writeChannelFile(record(names, names, 1024));
    Page p;
    QCOMPARE(p.page.loadData(), QString());
    const Entries registered = p.entries();
    QSignalSpy changed(&p.page, &CChannelSettingsWidget::dataChanged);
    QVERIFY(changed.isValid());

    QTest::keyClick(p.table(), Qt::Key_A, Qt::ControlModifier);
    TestSupport::SeenBox seen;
    {
        TestSupport::MessageBoxAnswer answer(QStringLiteral("Нет"), &seen);
        p.click("pbnRemove");
        QVERIFY(answer.fired());
    }
    QCOMPARE(seen.text, question);
    QCOMPARE(seen.title, QStringLiteral("Запрос подтверждения"));
    QCOMPARE(seen.buttons, (QStringList{QStringLiteral("Да"), QStringLiteral("Нет")}));
    QCOMPARE(seen.icon, QMessageBox::Question);

    QCOMPARE(p.rows(), names);
    QCOMPARE(p.entries(), registered);
    QCOMPARE(changed.count(), 0);
}

void TestChannelPage::removal()
{
    writeChannelFile(record({"P0", "P1", "P2", "P3", "P4"}, {"P1", "P3", "P4"}, 1024));
    Page p;
    QCOMPARE(p.page.loadData(), QString());
    QSignalSpy changed(&p.page, &CChannelSettingsWidget::dataChanged);
    QVERIFY(changed.isValid());

    // Rows picked from the bottom up, with Ctrl as a user does.
    QTableView *table = p.table();
    for (int row : {3, 0, 2}) {
        const QRect cell = table->visualRect(table->model()->index(row, 1));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    }
    TestSupport::SeenBox seen;
    {
        TestSupport::MessageBoxAnswer answer(QStringLiteral("Да"), &seen);
        p.click("pbnRemove");
        QVERIFY(answer.fired());
    }
    QCOMPARE(seen.text, QStringLiteral("Вы действительно хотите удалить 3 COM порта"));
    QCOMPARE(p.rows(), (QStringList{"P1", "P4"}));
    QCOMPARE(p.entries(), (Entries{entry(3, "X"), entry(2, "P1"), entry(2, "P4")}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(p.saved().ports.size(), 2);
}

QTEST_MAIN(TestChannelPage)
#include "tst_channelpage.moc"
