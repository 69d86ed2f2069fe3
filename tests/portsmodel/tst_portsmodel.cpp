#include "comchannel/ccomportsmodel.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"

#include <QtTest>

using TestSupport::Entries;
using TestSupport::entries;
using TestSupport::entriesOf;
using TestSupport::fieldsOf;
using TestSupport::namedPort;

namespace {

// Five ports P0..P4; P1 and P2 active.
QByteArray fivePortRecord()
{
    ChannelComSettings channel;
    for (int i = 0; i < 5; ++i)
        channel.ports << namedPort(QStringLiteral("P%1").arg(i), i == 1 || i == 2);
    return channel.toByteArray();
}

QStringList columnTexts(const CComPortsModel &model, int column)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.index(row, column).data().toString();
    return texts;
}

} // namespace

class TestPortsModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cellText_data();
    void cellText();
    void columns_data();
    void columns();
    void setData_data();
    void setData();
    void save();
    void edit();
    void remove_data();
    void remove();
};

void TestPortsModel::initTestCase()
{
    QDir(Global::settingsDir()).removeRecursively();
}

void TestPortsModel::cellText_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("speed") << 1 << QList<int>{-1, 9600, 115200} << QStringList{"-1", "9600", "115200"};
    QTest::newRow("flow control") << 2 << QList<int>{-1, 0, 1, 2, 3}
                                  << QStringList{"Нет", "Нет", "Аппаратное", "Программное", "Нет"};
    QTest::newRow("data bits") << 3 << QList<int>{-1, 5, 8} << QStringList{"-1", "5", "8"};
    QTest::newRow("parity") << 4 << QList<int>{-1, 0, 1, 2, 3, 4, 5, 6}
                            << QStringList{"Нет", "Нет", "Нет", "Чет", "Нечет", "Пробел", "Маркер", "Нет"};
    QTest::newRow("stop bits") << 5 << QList<int>{-1, 0, 1, 2, 3, 4} << QStringList{"1", "1", "1", "2", "1.5", "1"};
}

// One port per code, the other codes unset.
void TestPortsModel::cellText()
{
    QFETCH(int, column);
    QFETCH(QList<int>, codes);
    QFETCH(QStringList, texts);

    CComPortsModel model;
    model.displayExtendedSettings = true;
    for (int code : qAsConst(codes)) {
        ComPortSettings port;
        int *fields[] = {nullptr, &port.baudRate, &port.flowControl, &port.dataBits, &port.parity, &port.stopBits};
        *fields[column] = code;
        model.add(port);
    }
    QCOMPARE(columnTexts(model, column), texts);
}

void TestPortsModel::columns_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QStringList>("unsetPort");

    QTest::newRow("simple") << false << QStringList{"Порт", "Скорость"} << QStringList{"A", "-1"};
    QTest::newRow("extended") << true
                              << QStringList{"Порт", "Скорость", "Управление потоком", "Биты данных", "Четность",
                                             "Стоповые биты", "Строка инициализации"}
                              << QStringList{"A", "-1", "Нет", "-1", "Нет", "1", "ATZ"};
}

void TestPortsModel::columns()
{
    QFETCH(bool, extended);
    QFETCH(QStringList, headers);
    QFETCH(QStringList, unsetPort);

    CComPortsModel model;
    model.displayExtendedSettings = extended;
    ComPortSettings unset = namedPort(QStringLiteral("A"), true);
    unset.initString = QStringLiteral("ATZ");
    model.add(unset);
    model.add(namedPort(QStringLiteral("B"), false));
    QStringList shownHeaders;
    QStringList shownCells;
    for (int section = 0; section < model.columnCount(); ++section) {
        shownHeaders << model.headerData(section, Qt::Horizontal).toString();
        shownCells << model.index(0, section).data().toString();
    }
    QCOMPARE(shownHeaders, headers);
    QCOMPARE(shownCells, unsetPort);
    QVERIFY(!model.headerData(7, Qt::Horizontal).isValid());
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());

    const QVariant checked = model.index(0, 0).data(Qt::CheckStateRole);
    QCOMPARE(checked.userType(), int(QMetaType::Int));
    QCOMPARE(checked.toInt(), int(Qt::Checked));
    QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(!model.index(0, 1).data(Qt::CheckStateRole).isValid());
    QVERIFY(!model.index(0, 0).data(Qt::EditRole).isValid());
    QCOMPARE(model.flags(model.index(0, 0)), Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    for (int column = 1; column < headers.size(); ++column)
        QCOMPARE(model.flags(model.index(0, column)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
}

void TestPortsModel::setData_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("taken");

    QTest::newRow("check") << 0 << int(Qt::CheckStateRole) << false << true;
    QTest::newRow("uncheck") << 0 << int(Qt::CheckStateRole) << true << true;
    QTest::newRow("speed column") << 1 << int(Qt::CheckStateRole) << false << false;
    QTest::newRow("display role") << 0 << int(Qt::DisplayRole) << false << false;
    QTest::newRow("edit role") << 0 << int(Qt::EditRole) << false << false;
}

// Only the check box of the first column is the user's to change; the
// registry waits for the next save.
void TestPortsModel::setData()
{
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(bool, before);
    QFETCH(bool, taken);

    CChannelUsedDevices registry;
    registry.add(3, QStringLiteral("X"));
    CComPortsModel model;
    model.add(namedPort(QStringLiteral("A"), false));
    model.add(namedPort(QStringLiteral("B"), before));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy byUser(&model, &CComPortsModel::dataChangedByUser);
    QVERIFY(changed.isValid());
    QVERIFY(byUser.isValid());

    const QModelIndex cell = model.index(1, column);
    QCOMPARE(model.setData(cell, int(before ? Qt::Unchecked : Qt::Checked), role), taken);
    QCOMPARE(model.channelSettings.ports.at(1).active, taken != before);
    QCOMPARE(model.channelSettings.ports.at(0).active, false);
    QCOMPARE(columnTexts(model, 0), (QStringList{"A", "B"}));
    QCOMPARE(byUser.count(), int(taken));
    QCOMPARE(changed.count(), int(taken));
    if (taken) {
        QCOMPARE(changed.first().at(0).toModelIndex(), cell);
        QCOMPARE(changed.first().at(1).toModelIndex(), cell);
        QVERIFY(changed.first().at(2).value<QVector<int>>().isEmpty());
    }
    QCOMPARE(entriesOf(registry), entries("3:X"));
}

void TestPortsModel::save()
{
    CChannelUsedDevices usedDevices;
    usedDevices.add(2, QStringLiteral("stale"));
    usedDevices.add(3, QStringLiteral("X"));
    CComPortsModel model;
    model.add(namedPort(QStringLiteral("A"), false));
    model.add(namedPort(QStringLiteral("B"), false));
    model.channelSettings.blockSize = 512;

    // Inactive ports are saved all the same, yet not registered.
    QCOMPARE(model.save(&usedDevices), model.channelSettings.toByteArray());
    QCOMPARE(entriesOf(usedDevices), entries("3:X"));

    model.setData(model.index(1, 0), int(Qt::Checked), Qt::CheckStateRole);
    model.add(namedPort(QStringLiteral("C"), true));
    model.save(&usedDevices);
    QCOMPARE(entriesOf(usedDevices), entries("3:X 2:B 2:C"));
}

// The row is reported changed up to its last column shown.
void TestPortsModel::edit()
{
    CComPortsModel model;
    model.add(namedPort(QStringLiteral("A"), true));
    model.add(namedPort(QStringLiteral("B"), true));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy byUser(&model, &CComPortsModel::dataChangedByUser);
    QVERIFY(changed.isValid());
    QVERIFY(byUser.isValid());

    const ComPortSettings replacement =
        TestSupport::port(false, QStringLiteral("C"), QStringLiteral("ATM0"), 2400, 2, 7, 3, 3);
    QModelIndex current = model.index(1, 1);
    model.edit(current, replacement);
    QCOMPARE(fieldsOf(model.channelSettings.ports.at(1)), fieldsOf(replacement));
    QCOMPARE(columnTexts(model, 0), (QStringList{"A", "C"}));
    model.displayExtendedSettings = true;
    model.edit(current, replacement);

    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(1, 0));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(1, 1));
    QCOMPARE(changed.at(1).at(1).toModelIndex(), model.index(1, 6));
    QCOMPARE(byUser.count(), 0);
}

void TestPortsModel::remove_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<Entries>("registry");

    QTest::newRow("rows 1 and 3") << QList<int>{1, 3} << QStringList{"P0", "P2", "P4"} << entries("2:P2 3:P1");
    QTest::newRow("rows 3 and 1") << QList<int>{3, 1} << QStringList{"P0", "P2", "P4"} << entries("2:P2 3:P1");
    QTest::newRow("first and last") << QList<int>{4, 0} << QStringList{"P1", "P2", "P3"}
                                    << entries("2:P1 2:P2 2:P3 3:P1");
    QTest::newRow("all, shuffled") << QList<int>{2, 0, 4, 1, 3} << QStringList() << entries("3:P1");
    QTest::newRow("none") << QList<int>() << QStringList{"P0", "P1", "P2", "P3", "P4"}
                          << entries("2:P1 2:P2 2:P3 3:P1");
}

void TestPortsModel::remove()
{
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, left);
    QFETCH(Entries, registry);

    CChannelUsedDevices usedDevices;
    CComPortsModel model;
    model.displayExtendedSettings = true;
    model.load(fivePortRecord(), &usedDevices);
    // Inactive ports may be registered too (by the dialog of another page):
    // removal forgets them as well.
    usedDevices.add(2, QStringLiteral("P3"));
    usedDevices.add(3, QStringLiteral("P1"));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QVERIFY(reset.isValid());

    QList<QModelIndex> indexes;
    for (int row : qAsConst(rows))
        indexes << model.index(row, 0);
    model.remove(indexes, &usedDevices);
    QCOMPARE(columnTexts(model, 0), left);
    QCOMPARE(entriesOf(usedDevices), registry);
    QCOMPARE(reset.count(), 1);
}

QTEST_MAIN(TestPortsModel)
#include "tst_portsmodel.moc"
