#include "comchannel/ccomportsmodel.h"
#include "common/globalpaths.h"
#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"

#include <QtTest>

using TestSupport::Entries;
using TestSupport::Entry;
using TestSupport::entriesOf;
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

QStringList portNames(const CComPortsModel &model)
{
    QStringList names;
    for (int row = 0; row < model.rowCount(); ++row)
        names << model.index(row, 0).data().toString();
    return names;
}

QStringList headers(const CComPortsModel &model)
{
    QStringList texts;
    for (int section = 0; section < model.columnCount(); ++section)
        texts << model.headerData(section, Qt::Horizontal).toString();
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
    void roles();
    void checkBoxFlip_data();
    void checkBoxFlip();
    void refusedSetData_data();
    void refusedSetData();

    void load_data();
    void load();
    void save();
    void containsPort();
    void edit_data();
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
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");

    const struct {
        int column;
        QList<QPair<int, const char *>> cases;
    } columns[] = {
        {1, {{-1, "-1"}, {9600, "9600"}, {115200, "115200"}}},
        {2, {{-1, "Нет"}, {0, "Нет"}, {1, "Аппаратное"}, {2, "Программное"}, {3, "Нет"}}},
        {3, {{-1, "-1"}, {5, "5"}, {8, "8"}}},
        {4, {{-1, "Нет"}, {0, "Нет"}, {1, "Нет"}, {2, "Чет"}, {3, "Нечет"}, {4, "Пробел"}, {5, "Маркер"}, {6, "Нет"}}},
        {5, {{-1, "1"}, {0, "1"}, {1, "1"}, {2, "2"}, {3, "1.5"}, {4, "1"}}},
    };
    for (const auto &column : columns) {
        for (const auto &entry : column.cases) {
            QTest::addRow("column %d, code %d", column.column, entry.first)
                << column.column << entry.first << QString::fromUtf8(entry.second);
        }
    }
}

void TestPortsModel::cellText()
{
    QFETCH(int, column);
    QFETCH(int, code);
    QFETCH(QString, text);

    ComPortSettings port;
    int *fields[] = {nullptr, &port.baudRate, &port.flowControl, &port.dataBits, &port.parity, &port.stopBits};
    *fields[column] = code;
    port.portName = QStringLiteral("/dev/ttyS1");
    port.initString = QStringLiteral("ATZ\\r");

    CComPortsModel model;
    model.displayExtendedSettings = true;
    model.add(port);
    QCOMPARE(model.index(0, column).data().toString(), text);
    QCOMPARE(model.index(0, 0).data().toString(), port.portName);
    QCOMPARE(model.index(0, 6).data().toString(), port.initString);
}

void TestPortsModel::columns_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<QStringList>("headers");

    QTest::newRow("simple") << false << QStringList{QStringLiteral("Порт"), QStringLiteral("Скорость")};
    QTest::newRow("extended") << true
                              << QStringList{QStringLiteral("Порт"),          QStringLiteral("Скорость"),
                                             QStringLiteral("Управление потоком"), QStringLiteral("Биты данных"),
                                             QStringLiteral("Четность"),      QStringLiteral("Стоповые биты"),
                                             QStringLiteral("Строка инициализации")};
}

void TestPortsModel::columns()
{
    QFETCH(bool, extended);
    QFETCH(QStringList, headers);

    CComPortsModel model;
    model.displayExtendedSettings = extended;
    model.add(ComPortSettings());
    QCOMPARE(model.columnCount(), headers.size());
    QCOMPARE(::headers(model), headers);
    QVERIFY(model.index(0, headers.size() - 1).isValid());
    QVERIFY(!model.index(0, headers.size()).isValid());
    QVERIFY(!model.headerData(7, Qt::Horizontal).isValid());
}

void TestPortsModel::roles()
{
    CComPortsModel model;
    model.displayExtendedSettings = true;
    model.add(namedPort(QStringLiteral("A"), true));
    model.add(namedPort(QStringLiteral("B"), false));

    const QVariant checked = model.index(0, 0).data(Qt::CheckStateRole);
    QCOMPARE(checked.userType(), int(QMetaType::Int));
    QCOMPARE(checked.toInt(), int(Qt::Checked));
    QCOMPARE(model.index(1, 0).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    QVERIFY(!model.index(0, 1).data(Qt::CheckStateRole).isValid());
    QVERIFY(!model.index(0, 0).data(Qt::EditRole).isValid());
    QVERIFY(!model.index(0, 0).data(Qt::ToolTipRole).isValid());
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());

    QCOMPARE(model.flags(model.index(0, 0)), Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    for (int column = 1; column < 7; ++column)
        QCOMPARE(model.flags(model.index(0, column)), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
}

void TestPortsModel::checkBoxFlip_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<int>("checkState");

    QTest::newRow("check") << false << int(Qt::Checked);
    QTest::newRow("uncheck") << true << int(Qt::Unchecked);
}

void TestPortsModel::checkBoxFlip()
{
    QFETCH(bool, before);
    QFETCH(int, checkState);

    CChannelUsedDevices registry;
    registry.add(3, QStringLiteral("X"));
    CComPortsModel model;
    model.add(namedPort(QStringLiteral("A"), false));
    model.add(namedPort(QStringLiteral("B"), before));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy byUser(&model, &CComPortsModel::dataChangedByUser);
    QVERIFY(changed.isValid());
    QVERIFY(byUser.isValid());

    const QModelIndex cell = model.index(1, 0);
    QVERIFY(model.setData(cell, checkState, Qt::CheckStateRole));
    QCOMPARE(model.channelSettings.ports.at(1).active, !before);
    QCOMPARE(model.channelSettings.ports.at(0).active, false);
    QCOMPARE(cell.data(Qt::CheckStateRole).toInt(), checkState);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex(), cell);
    QCOMPARE(changed.first().at(1).toModelIndex(), cell);
    QVERIFY(changed.first().at(2).value<QVector<int>>().isEmpty());
    QCOMPARE(byUser.count(), 1);
    QCOMPARE(entriesOf(registry), Entries{Entry(3, QStringLiteral("X"))});
}

void TestPortsModel::refusedSetData_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");

    QTest::newRow("speed column") << 1 << int(Qt::CheckStateRole);
    QTest::newRow("display role") << 0 << int(Qt::DisplayRole);
    QTest::newRow("edit role") << 0 << int(Qt::EditRole);
}

void TestPortsModel::refusedSetData()
{
    QFETCH(int, column);
    QFETCH(int, role);

    CComPortsModel model;
    model.add(namedPort(QStringLiteral("A"), false));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy byUser(&model, &CComPortsModel::dataChangedByUser);
    QVERIFY(changed.isValid());
    QVERIFY(byUser.isValid());

    QVERIFY(!model.setData(model.index(0, column), int(Qt::Checked), role));
    QVERIFY(!model.channelSettings.ports.first().active);
    QCOMPARE(model.index(0, 0).data().toString(), QStringLiteral("A"));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(byUser.count(), 0);
}

void TestPortsModel::load_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<Entries>("registry");

    const Entries otherTypes{Entry(3, QStringLiteral("P1")), Entry(1, QStringLiteral("Z"))};
    QTest::newRow("five ports")
        << fivePortRecord() << QString() << QStringList{"P0", "P1", "P2", "P3", "P4"}
        << otherTypes + Entries{Entry(2, QStringLiteral("P1")), Entry(2, QStringLiteral("P2"))};
    QTest::newRow("wrong version") << AbonentComSettings().toByteArray()
                                   << QStringLiteral("Версия настроек 4 не совпадает с текущей 3") << QStringList()
                                   << otherTypes;
    // Cut in the speed of P2's entry: P0, P1 and what was read of P2 stay.
    const int entrySize = 1 + (4 + 2 * 2) + 4 + 5 * 4;
    QTest::newRow("damaged") << fivePortRecord().left(12 + 2 * entrySize + 1 + 8 + 4 + 2)
                             << QStringLiteral("Данные повреждены") << QStringList{"P0", "P1", "P2"}
                             << otherTypes + Entries{Entry(2, QStringLiteral("P1")), Entry(2, QStringLiteral("P2"))};
}

void TestPortsModel::load()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    QFETCH(QStringList, rows);
    QFETCH(Entries, registry);

    CChannelUsedDevices usedDevices;
    usedDevices.add(3, QStringLiteral("P1"));
    usedDevices.add(2, QStringLiteral("stale"));
    usedDevices.add(1, QStringLiteral("Z"));
    CComPortsModel model;
    model.add(namedPort(QStringLiteral("old"), true));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy byUser(&model, &CComPortsModel::dataChangedByUser);
    QVERIFY(reset.isValid());
    QVERIFY(byUser.isValid());

    QCOMPARE(model.load(data, &usedDevices), message);
    QCOMPARE(portNames(model), rows);
    QCOMPARE(entriesOf(usedDevices), registry);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(byUser.count(), 0);
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

    const QByteArray inactive = model.save(&usedDevices);
    QCOMPARE(inactive, model.channelSettings.toByteArray());
    QCOMPARE(entriesOf(usedDevices), Entries{Entry(3, QStringLiteral("X"))});
    ChannelComSettings read;
    QCOMPARE(read.fromByteArray(inactive), QString());
    QCOMPARE(read.ports.size(), 2);
    QCOMPARE(read.blockSize, 512);

    model.setData(model.index(1, 0), int(Qt::Checked), Qt::CheckStateRole);
    model.add(namedPort(QStringLiteral("C"), true));
    model.save(&usedDevices);
    QCOMPARE(entriesOf(usedDevices),
             (Entries{Entry(3, QStringLiteral("X")), Entry(2, QStringLiteral("B")), Entry(2, QStringLiteral("C"))}));
}

void TestPortsModel::containsPort()
{
    CComPortsModel model;
    QVERIFY(!model.containsPort(QString()));
    model.add(namedPort(QStringLiteral("/dev/ttyS0"), false));
    model.add(namedPort(QStringLiteral("COM1"), true));
    QVERIFY(model.containsPort(QStringLiteral("/dev/ttyS0")));
    QVERIFY(model.containsPort(QStringLiteral("COM1")));
    QVERIFY(!model.containsPort(QStringLiteral("com1")));
    QVERIFY(!model.containsPort(QStringLiteral("COM1 ")));
    QVERIFY(!model.containsPort(QString()));
}

void TestPortsModel::edit_data()
{
    QTest::addColumn<bool>("extended");
    QTest::addColumn<int>("lastColumn");

    QTest::newRow("simple") << false << 1;
    QTest::newRow("extended") << true << 6;
}

void TestPortsModel::edit()
{
    QFETCH(bool, extended);
    QFETCH(int, lastColumn);

    CComPortsModel model;
    model.displayExtendedSettings = extended;
    model.add(namedPort(QStringLiteral("A"), true));
    model.add(namedPort(QStringLiteral("B"), true));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy byUser(&model, &CComPortsModel::dataChangedByUser);
    QVERIFY(changed.isValid());
    QVERIFY(byUser.isValid());

    ComPortSettings replacement = namedPort(QStringLiteral("C"), false);
    replacement.baudRate = 2400;
    replacement.initString = QStringLiteral("ATM0");
    QModelIndex current = model.index(1, 1);
    model.edit(current, replacement);

    const ComPortSettings &stored = model.channelSettings.ports.at(1);
    QCOMPARE(stored.portName, replacement.portName);
    QCOMPARE(stored.active, false);
    QCOMPARE(stored.baudRate, 2400);
    QCOMPARE(stored.initString, replacement.initString);
    QCOMPARE(stored.parity, -1);
    QCOMPARE(portNames(model), (QStringList{"A", "C"}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex(), model.index(1, 0));
    QCOMPARE(changed.first().at(1).toModelIndex(), model.index(1, lastColumn));
    QCOMPARE(byUser.count(), 0);
}

void TestPortsModel::remove_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("left");

    QTest::newRow("rows 1 and 3") << QList<int>{1, 3} << QStringList{"P0", "P2", "P4"};
    QTest::newRow("rows 3 and 1") << QList<int>{3, 1} << QStringList{"P0", "P2", "P4"};
    QTest::newRow("first and last") << QList<int>{4, 0} << QStringList{"P1", "P2", "P3"};
    QTest::newRow("all, shuffled") << QList<int>{2, 0, 4, 1, 3} << QStringList();
    QTest::newRow("none") << QList<int>() << QStringList{"P0", "P1", "P2", "P3", "P4"};
}

void TestPortsModel::remove()
{
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, left);

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

    QCOMPARE(portNames(model), left);
    Entries expected;
    for (const QString &name : {QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3")}) {
        if (left.contains(name))
            expected << Entry(2, name);
    }
    expected << Entry(3, QStringLiteral("P1"));
    Entries registry = entriesOf(usedDevices);
    std::sort(registry.begin(), registry.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(registry, expected);
    QCOMPARE(reset.count(), 1);
}

QTEST_MAIN(TestPortsModel)
#include "tst_portsmodel.moc"
