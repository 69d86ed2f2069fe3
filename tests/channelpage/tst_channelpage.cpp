// The channel's records, its ports table, the port dialog and both pages, through
// what the pages show and save and what the registry holds afterwards; the English
// translation the library carries, followed by pages already shown.
#include "comchannel/ccomabonentsettingswidget.h"
#include "comchannel/ccomchannelsettingswidget.h"
#include "comchannel/ccomportdialog.h"
#include "common/globalformat.h"
#include "tests/support/channeldata.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/modalanswer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

namespace {

QString entries(const CChannelUsedDevices &registry)
{
    QStringList list;
    for (const CChannelUsedDevices::Node *node : registry.nodes)
        list << QStringLiteral("%1:%2").arg(node->channelType).arg(node->device);
    return list.join(QLatin1Char(' '));
}

QString row(const QAbstractItemModel *model, int row)
{
    QStringList cells{model->index(row, 0).data(Qt::CheckStateRole).toString()};
    for (int column = 0; column < model->columnCount(); ++column)
        cells << model->index(row, column).data().toString();
    return cells.join(QLatin1Char('|'));
}

QByteArray abonent(const QString &number, const QStringList &ports)
{
    return AbonentComSettings{number, ports}.toByteArray();
}

// The entries of the ports menu of a page created now; `choose` is clicked.
QStringList offered(CComAbonentSettingsWidget &page, const QString &choose = QString())
{
    QStringList entries;
    TestSupport::ModalWatcher<QMenu> watcher([&](QMenu *menu) {
        for (QAction *action : menu->actions()) {
            entries << action->text() + (action->isChecked() ? QStringLiteral("✓") : QString());
            if (action->text() == choose)
                action->trigger();
        }
        menu->close();
    });
    page.findChild<QToolButton *>(QStringLiteral("tbnPorts"))->click();
    return entries;
}

// A text, of the channel page or the abonent page where it is one of theirs.
using TextOf = QString (*)(QWidget *channel, QWidget *abonent);

} // namespace

Q_DECLARE_METATYPE(TextOf)

class tst_ChannelPage : public QObject
{
    Q_OBJECT

private slots:
    void records_data()
    {
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<QString>("messages"); // channel | abonent, for the version found
        QTest::newRow("channel") << QByteArray("00000003 00000001 00000800 01 00000002 0041 ffffffff 00002580 00000001 "
                                               "00000008 00000000 00000003") << "|4";
        QTest::newRow("abonent") << QByteArray("00000004 00000002 0031 00000001 00000002 0041") << "3|";
        QTest::newRow("channel version 2") << QByteArray("00000002 00000000 00000400") << "3|4";
        QTest::newRow("abonent version 5") << QByteArray("00000005 ffffffff 00000000") << "3|4";
        QTest::newRow("abonent cut in its ports") << QByteArray("00000004 00000002 0031 00000002 00000002 0041 00") << "3|Данные повреждены";
    }

    // Read over a record that held other values, and written back byte for byte;
    // a damaged abonent record keeps no port.
    void records()
    {
        QFETCH(QByteArray, hex);
        QFETCH(QString, messages);
        const QByteArray data = QByteArray::fromHex(hex);
        const QString version = QStringLiteral("Версия настроек %1 не совпадает с текущей %2").arg(qFromBigEndian<qint32>(data.constData()));
        ChannelComSettings channel{{TestSupport::namedPort(QStringLiteral("old"), true)}, 16};
        AbonentComSettings abonent{QStringLiteral("old"), {QStringLiteral("old")}};
        QString expected = messages.section(QLatin1Char('|'), 0, 0);
        QCOMPARE(channel.fromByteArray(data), expected.size() == 1 ? version.arg(expected) : expected);
        QVERIFY(!expected.isEmpty() || channel.toByteArray() == data);
        expected = messages.section(QLatin1Char('|'), 1);
        QCOMPARE(abonent.fromByteArray(data), expected.size() == 1 ? version.arg(expected) : expected);
        QVERIFY(!expected.isEmpty() || abonent.toByteArray() == data);
        QVERIFY(expected.size() < 2 || abonent.ports.isEmpty());
    }

    // The table's texts and check boxes, whole rows only for removal, and the
    // block size saved as the spin box shows it; the registry calls are the boundary test's.
    void page()
    {
        ChannelComSettings channel{{{true, QStringLiteral("A"), QStringLiteral("ATZ"), 9600, 1, 8, 2, 3},
                                     {false, QStringLiteral("B"), QString(), 1200, 2, 5, 5, 2}}, 2048};
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/channelCom.conf"), channel.toByteArray()));
        CChannelUsedDevices registry;
        CComChannelSettingsWidget page;
        page.usedDevices = &registry;
        QSignalSpy changed(&page, &CChannelSettingsWidget::dataChanged);
        QCOMPARE(page.loadData(), QString());
        page.setDisplayExtendedSettings(true);
        auto table = page.findChild<QTableView *>();
        QAbstractItemModel *model = table->model();
        QCOMPARE(row(model, 0), QStringLiteral("2|A|9600|Аппаратное|8|Чет|1.5|ATZ"));
        QCOMPARE(row(model, 1), QStringLiteral("0|B|1200|Программное|5|Маркер|2|"));
        QVERIFY(model->setData(model->index(1, 0), Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(changed.count(), 2); // the loaded block size, the check box

        table->selectionModel()->select(model->index(0, 1), QItemSelectionModel::ClearAndSelect);
        TestSupport::ModalWatcher<QMessageBox> question([](QMessageBox *box) { box->reject(); });
        page.findChild<QPushButton *>(QStringLiteral("pbnRemove"))->click();
        QVERIFY(!question.fired());
        page.findChild<QSpinBox *>()->setValue(512);
        QString path;
        QByteArray data;
        page.saveData(&path, &data);
        channel.ports[1].active = true;
        channel.blockSize = 512;
        QCOMPARE(data, channel.toByteArray());
    }

    void portDialog_data()
    {
        QTest::addColumn<QString>("loaded");    // empty for a new port
        QTest::addColumn<bool>("active");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QString>("registry");  // afterwards; before: 2:A 2:B 3:X 2:Y 3:Y

        const QString before = QStringLiteral("2:A 2:B 3:X 2:Y 3:Y");
        QTest::newRow("nothing typed") << QString() << true << QString() << "Укажите COM порт" << before;
        QTest::newRow("new, named like a port of the channel") << QString() << false << "B" << "Данный COM порт уже используется" << before;
        QTest::newRow("new, active on another channel's device") << QString() << true << "X" << "Данный COM порт уже используется в другом канале" << before;
        QTest::newRow("new, inactive on another channel's device") << QString() << false << "X" << QString() << before;
        QTest::newRow("new, active, known to this channel only") << QString() << true << "Z" << QString() << before + " 2:Z";
        QTest::newRow("edit keeping its name") << "A" << true << "A" << QString() << "2:B 3:X 2:Y 3:Y 2:A";
        QTest::newRow("edit renamed, inactive") << "A" << false << "C" << QString() << "2:B 3:X 2:Y 3:Y";
        QTest::newRow("edit keeping a name another channel took") << "Y" << true << "Y" << "Данный COM порт уже используется в другом канале" << before;
    }

    void portDialog()
    {
        QFETCH(QString, loaded);
        QFETCH(bool, active);
        QFETCH(QString, typed);
        QFETCH(QString, refusal);
        QFETCH(QString, registry);

        CComPortsModel model;
        CChannelUsedDevices usedDevices;
        for (const char *name : {"A", "B", "Y"})
            model.add(TestSupport::namedPort(QString::fromLatin1(name), true));
        for (const QString &entry : QStringLiteral("2:A 2:B 3:X 2:Y 3:Y").split(QLatin1Char(' ')))
            usedDevices.add(entry.left(1).toInt(), entry.mid(2));
        CComPortDialog dialog(&model, &usedDevices, nullptr);
        if (!loaded.isEmpty())
            dialog.load(ComPortSettings{true, loaded, QString(), 300, 0, 8, 0, 3});
        dialog.findChild<QCheckBox *>(QStringLiteral("chbxActive"))->setChecked(active);
        dialog.findChild<QComboBox *>(QStringLiteral("cbxPort"))->setEditText(typed);
        QString shown;
        TestSupport::ModalWatcher<QMessageBox> warning([&](QMessageBox *box) {
            shown = QStringLiteral("%1: %2 [%3]").arg(box->windowTitle(), box->text(), box->buttons().first()->text());
            box->buttons().first()->click();
        });
        dialog.findChild<QPushButton *>(QStringLiteral("pbnApply"))->click();
        QCOMPARE(shown, refusal.isEmpty() ? QString() : QStringLiteral("Внимание: %1 [Ок]").arg(refusal));
        QCOMPARE(dialog.result(), int(refusal.isEmpty() ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(entries(usedDevices), registry);
        ComPortSettings saved;
        dialog.save(&saved);
        const QString stopBits = dialog.findChild<QComboBox *>(QStringLiteral("cbxStopBits"))->currentText();
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(saved.baudRate).arg(saved.stopBits).arg(stopBits),
                 loaded.isEmpty() ? QStringLiteral("115200 1 1") : QStringLiteral("115200 3 1.5"));
    }

    // The menu offers the channel's active ports, re-read only when the file changed.
    void portsAndCache()
    {
        FakeInstallation::reset();
        const QString file = QStringLiteral("settings/channelCom.conf");
        QVERIFY(FakeInstallation::writeFile(file, TestSupport::channelRecord({"+A", "B", "+C"})));
        CComAbonentSettingsWidget page;
        QCOMPARE(page.canApply(), QStringLiteral("Укажите телефонный номер"));
        QCOMPARE(page.loadData(abonent(QStringLiteral("T1"), {QStringLiteral("gone")})), QString());
        QCOMPARE(offered(page, QStringLiteral("C")), QStringList({"Любой", "A", "C"}));
        QCOMPARE(page.prettySettings(), QStringLiteral("Номер: T1, Порт: gone; C; "));
        QCOMPARE(offered(page, QStringLiteral("Любой")), QStringList({"Любой", "A", "C✓"}));
        QCOMPARE(page.saveData(), abonent(QStringLiteral("T1"), {}));

        const QDateTime modified = QFileInfo(FakeInstallation::filePath(file)).lastModified();
        QVERIFY(FakeInstallation::writeFile(file, TestSupport::channelRecord({"+D"}), modified));
        CComAbonentSettingsWidget unchanged;
        QCOMPARE(offered(unchanged), QStringList({"Любой✓", "A", "C"}));
        QVERIFY(FakeInstallation::writeFile(file, TestSupport::channelRecord({"+D"})));
        CComAbonentSettingsWidget changed;
        QCOMPARE(offered(changed), QStringList({"Любой✓", "D"}));
        QCOMPARE(changed.canApply(), QStringLiteral("Укажите телефонный номер"));
        changed.findChild<QLineEdit *>(QStringLiteral("leNumber"))->setText(QStringLiteral("1"));
        QCOMPARE(changed.canApply(), QStringLiteral("Укажите COM порт"));
    }

    void followsTranslator_data()
    {
        QTest::addColumn<TextOf>("textOf");
        QTest::addColumn<QString>("russian");
        QTest::addColumn<QString>("english");
        QTest::newRow("form") << TextOf([](QWidget *channel, QWidget *) { return channel->findChild<QPushButton *>("pbnAdd")->text(); })
                              << "Добавить" << "Add";
        QTest::newRow("column header") << TextOf([](QWidget *channel, QWidget *) {
            return channel->findChild<QTableView *>()->model()->headerData(2, Qt::Horizontal).toString();
        }) << "Управление потоком" << "Flow control";
        QTest::newRow("any port") << TextOf([](QWidget *, QWidget *abonent) { return abonent->findChild<QLineEdit *>("lePorts")->text(); })
                                  << "Любой" << "Any";
        QTest::newRow("unit") << TextOf([](QWidget *, QWidget *) { return Global::sizeString(2048); }) << "2.0 КБайт" << "2.0 KiB";
        QTest::newRow("record message")
            << TextOf([](QWidget *, QWidget *) { return ChannelComSettings().fromByteArray(AbonentComSettings().toByteArray()); })
            << "Версия настроек 4 не совпадает с текущей 3" << "Settings version 4 does not match the current 3";
    }

    // A translator installed or removed later reaches what is already shown (forms, table
    // headers, the abonent page's own texts) and the texts the library makes.
    void followsTranslator()
    {
        QFETCH(TextOf, textOf);
        QFETCH(QString, russian);
        QFETCH(QString, english);
        qRegisterMetaType<Qt::Orientation>();
        CComChannelSettingsWidget channelPage;
        CComAbonentSettingsWidget abonentPage;
        QCOMPARE(abonentPage.loadData(AbonentComSettings().toByteArray()), QString());
        channelPage.setDisplayExtendedSettings(true);
        QCOMPARE(textOf(&channelPage, &abonentPage), russian);
        QSignalSpy headers(channelPage.findChild<QTableView *>()->model(), &QAbstractItemModel::headerDataChanged);
        QTranslator translator;
        QVERIFY(translator.load(":/comchannel/translations/comchannel_en.qm"));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCoreApplication::processEvents();
        QCOMPARE(textOf(&channelPage, &abonentPage), english);
        QCOMPARE(headers.count(), 1);
        QVERIFY(QCoreApplication::removeTranslator(&translator));
        QCoreApplication::processEvents();
        QCOMPARE(textOf(&channelPage, &abonentPage), russian);
    }
};

QTEST_MAIN(tst_ChannelPage)
#include "tst_channelpage.moc"
