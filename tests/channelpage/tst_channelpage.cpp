#include "comchannel/ccomchannelsettingswidget.h"
#include "comchannel/ccomportdialog.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/modalanswer.h"
#include "tests/support/unprivileged.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

#include <functional>

using TestSupport::Entries;
using TestSupport::entries;

namespace {

QByteArray record(const QStringList &names, const QStringList &active, int blockSize)
{
    ChannelComSettings channel;
    channel.blockSize = blockSize;
    for (const QString &name : names)
        channel.ports << TestSupport::namedPort(name, active.contains(name));
    return channel.toByteArray();
}

void writeChannelFile(const QByteArray &content)
{
    QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/channelCom.conf"), content));
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
    T *widget(const char *name) { return page.findChild<T *>(QString::fromLatin1(name)); }

    QTableView *table() { return widget<QTableView>("tvPorts"); }
    QSpinBox *blockSize() { return widget<QSpinBox>("sbxBlockSize"); }
    void click(const char *button) { QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton); }

    int blockSizeWidgetsShown()
    {
        return (blockSize()->isVisible() ? 1 : 0) + (widget<QLabel>("lBlockSize")->isVisible() ? 1 : 0);
    }

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
        page.saveData(&path, &data);
        ChannelComSettings channel;
        channel.fromByteArray(data);
        return channel;
    }

    QPoint cellCenter(int row, int column)
    {
        return table()->visualRect(table()->model()->index(row, column)).center();
    }

    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, modifiers, cellCenter(row, column));
    }

    // QTest::mouseDClick() sends only the double-click event; a real double
    // click begins with a click.
    void doubleClick(const QPoint &position)
    {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, position);
        QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, position);
    }

    // Clicks Remove and answers the question with `button`; gives what the
    // question showed, or nothing when none came.
    QString removeAnswering(const QString &button)
    {
        TestSupport::SeenBox seen;
        TestSupport::MessageBoxAnswer answer(button, &seen);
        click("pbnRemove");
        if (!answer.fired())
            return QString();
        return QStringLiteral("%1: %2 [%3]").arg(seen.title, seen.text, seen.buttons.join(QLatin1Char(' ')));
    }

    CChannelUsedDevices registry;
    CComChannelSettingsWidget page;
};

// Does `open`, answering the port dialog it brings up: gives the port a name
// unless it is null, then applies or cancels. Tells whether a dialog came, and
// which port name it showed first.
bool answerDialog(const std::function<void()> &open, const QString &typed, bool apply, QString *shown = nullptr)
{
    TestSupport::ModalWatcher<CComPortDialog> watcher([&](CComPortDialog *dialog) {
        QComboBox *port = dialog->findChild<QComboBox *>(QStringLiteral("cbxPort"));
        if (shown)
            *shown = port->currentText();
        if (!typed.isNull())
            port->setEditText(typed);
        const char *button = apply ? "pbnApply" : "pbnCancel";
        QTest::mouseClick(dialog->findChild<QPushButton *>(QString::fromLatin1(button)), Qt::LeftButton);
    });
    open();
    return watcher.fired();
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
    void changeReports_data();
    void changeReports();
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
    QString path = QStringLiteral("old");
    QByteArray data = "old";
    QCOMPARE(p.page.saveData(&path, &data), QString());
    QCOMPARE(path, Global::channelComSettingsFilePath());
    QCOMPARE(data, ChannelComSettings().toByteArray());
    QCOMPARE(p.entries(), entries("3:X"));
    QVERIFY(!QFile::exists(path));

    // The block size belongs to the extended view, yet a new page shows it
    // until the host chooses a view.
    QCOMPARE(p.blockSizeWidgetsShown(), 2);
    QCOMPARE(p.table()->model()->columnCount(), 2);
    p.page.setDisplayExtendedSettings(true);
    QCOMPARE(p.blockSizeWidgetsShown(), 2);
    QCOMPARE(p.table()->model()->columnCount(), 7);
    QCOMPARE(changed.count(), 0);

    // A typed value need not be a multiple of the step.
    QTest::keyClick(p.blockSize(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(p.blockSize(), QStringLiteral("1000"));
    QCOMPARE(p.saved().blockSize, 1000);
    QTest::keyClick(p.blockSize(), Qt::Key_Up);
    changed.clear();

    p.page.setDisplayExtendedSettings(false);
    QCOMPARE(p.blockSizeWidgetsShown(), 0);
    QCOMPARE(p.table()->model()->columnCount(), 2);
    QCOMPARE(p.saved().blockSize, 1032);
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
    QTest::newRow("no file") << QByteArray() << QString() << QStringList() << 1024 << entries("3:X") << 0;
    QTest::newRow("block size 2048") << record(ports, {"C", "A"}, 2048) << QString() << ports << 2048
                                     << entries("3:X 2:A 2:C") << 1;
    QTest::newRow("block size as shown already")
        << record(ports, {"B"}, 1024) << QString() << ports << 1024 << entries("3:X 2:B") << 0;
    QTest::newRow("block size 8192") << record({}, {}, 8192) << QString() << QStringList() << 4096 << entries("3:X")
                                     << 1;
    QTest::newRow("wrong version") << AbonentComSettings().toByteArray()
                                   << QStringLiteral("Версия настроек 4 не совпадает с текущей 3") << QStringList()
                                   << 1024 << entries("3:X") << 0;
    // Cut in the middle of C's entry, after its name.
    const QByteArray full = record(ports, {"A", "C"}, 512);
    QTest::newRow("damaged") << full.left(full.size() - 10) << QStringLiteral("Данные повреждены") << ports << 512
                             << entries("3:X 2:A 2:C") << 1;
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
    QSignalSpy reset(p.table()->model(), &QAbstractItemModel::modelReset);
    QVERIFY(changed.isValid());
    QVERIFY(reset.isValid());

    QCOMPARE(p.page.loadData(), message);
    QCOMPARE(reset.count(), file.isNull() ? 0 : 1);
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
    QCOMPARE(p.entries(), entries("3:X 2:A"));

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
    QCOMPARE(p.entries(), entries("3:X"));
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
    const Entries registered = entries("3:X 2:A");

    QTest::newRow("block size arrow") << Action([](Page &p) { QTest::keyClick(p.blockSize(), Qt::Key_Up); })
                                      << loaded << registered << 1;
    QTest::newRow("check box in the table") << Action([](Page &p) {
        p.clickCell(1, 0);
        QTest::keyClick(p.table(), Qt::Key_Space);
    }) << loaded << registered << 1;
    QTest::newRow("add accepted") << Action([](Page &p) {
        QVERIFY(answerDialog([&] { p.click("pbnAdd"); }, QStringLiteral("COM7"), true));
    }) << QStringList{"A", "B", "COM7"} << entries("3:X 2:A 2:COM7") << 1;
    QTest::newRow("add cancelled") << Action([](Page &p) {
        QVERIFY(answerDialog([&] { p.click("pbnAdd"); }, QStringLiteral("COM7"), false));
    }) << loaded << registered << 0;
    QTest::newRow("edit accepted") << Action([](Page &p) {
        QString shown;
        p.clickCell(0, 1);
        QVERIFY(answerDialog([&] { p.click("pbnEdit"); }, QStringLiteral("COM9"), true, &shown));
        QCOMPARE(shown, QStringLiteral("A"));
    }) << QStringList{"COM9", "B"} << entries("3:X 2:COM9") << 1;
    QTest::newRow("double click on a cell, cancelled") << Action([](Page &p) {
        QString shown;
        QVERIFY(answerDialog([&] { p.doubleClick(p.cellCenter(1, 1)); }, QString(), false, &shown));
        QCOMPARE(shown, QStringLiteral("B"));
    }) << loaded << registered << 0;
    QTest::newRow("double click below the last row") << Action([](Page &p) {
        QVERIFY(!answerDialog([&] { p.doubleClick(p.cellCenter(1, 0) + QPoint(0, 40)); }, QString(), false));
    }) << loaded << registered << 0;
    QTest::newRow("edit without a current row") << Action([](Page &p) {
        QVERIFY(!answerDialog([&] { p.click("pbnEdit"); }, QString(), false));
    }) << loaded << registered << 0;
    QTest::newRow("remove without a selection") << Action([](Page &p) {
        QCOMPARE(p.removeAnswering(QStringLiteral("Да")), QString());
    }) << loaded << registered << 0;
    QTest::newRow("remove one, declined") << Action([](Page &p) {
        p.clickCell(0, 1);
        QCOMPARE(p.removeAnswering(QStringLiteral("Нет")),
                 QStringLiteral("Запрос подтверждения: Вы действительно хотите удалить 1 COM порт [Да Нет]"));
    }) << loaded << registered << 0;
    // Picked from the bottom up, with Ctrl as a user does.
    QTest::newRow("remove two, confirmed") << Action([](Page &p) {
        p.clickCell(1, 1);
        p.clickCell(0, 1, Qt::ControlModifier);
        QCOMPARE(p.removeAnswering(QStringLiteral("Да")),
                 QStringLiteral("Запрос подтверждения: Вы действительно хотите удалить 2 COM порта [Да Нет]"));
    }) << QStringList() << entries("3:X") << 1;
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

QTEST_MAIN(TestChannelPage)
#include "tst_channelpage.moc"
