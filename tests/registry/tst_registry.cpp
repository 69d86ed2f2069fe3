#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"

#include <QtTest>

#include <algorithm>

using TestSupport::Entries;
using TestSupport::Entry;
using TestSupport::entriesOf;
using TestSupport::entry;

namespace {

void fill(CChannelUsedDevices *registry, const Entries &entries)
{
    for (const Entry &entry : entries)
        registry->add(entry.first, entry.second);
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void add_data();
    void add();
    void remove_data();
    void remove();
    void clearType_data();
    void clearType();
    void clearAll();
    void usedInAnotherChannel_data();
    void usedInAnotherChannel();
    void channelTypes_data();
    void channelTypes();
    void batchMatchesOneByOne_data();
    void batchMatchesOneByOne();
};

void TestRegistry::add_data()
{
    QTest::addColumn<Entries>("added");
    QTest::addColumn<Entries>("expected");

    QTest::newRow("same pair twice") << Entries{entry(2, "A"), entry(2, "A")} << Entries{entry(2, "A")};
    QTest::newRow("same device, other type") << Entries{entry(2, "A"), entry(3, "A")} << Entries{entry(2, "A"), entry(3, "A")};
    QTest::newRow("order of adding kept")
        << Entries{entry(3, "C"), entry(2, "B"), entry(2, "A"), entry(3, "C"), entry(1, "B")}
        << Entries{entry(3, "C"), entry(2, "B"), entry(2, "A"), entry(1, "B")};
    QTest::newRow("letter case tells devices apart")
        << Entries{entry(2, "com1"), entry(2, "COM1"), entry(2, "com1")} << Entries{entry(2, "com1"), entry(2, "COM1")};
}

void TestRegistry::add()
{
    QFETCH(Entries, added);
    QFETCH(Entries, expected);

    CChannelUsedDevices registry;
    fill(&registry, added);
    QCOMPARE(entriesOf(registry), expected);
}

void TestRegistry::remove_data()
{
    QTest::addColumn<Entries>("before");
    QTest::addColumn<Entry>("removed");
    QTest::addColumn<Entries>("after");

    const Entries three{entry(2, "A"), entry(3, "A"), entry(2, "B")};
    QTest::newRow("only that type") << three << entry(2, "A") << Entries{entry(3, "A"), entry(2, "B")};
    QTest::newRow("last one") << three << entry(2, "B") << Entries{entry(2, "A"), entry(3, "A")};
    QTest::newRow("absent device") << three << entry(2, "C") << three;
    QTest::newRow("absent type") << three << entry(4, "A") << three;
    QTest::newRow("other letter case") << three << entry(2, "a") << three;
    QTest::newRow("empty registry") << Entries() << entry(2, "A") << Entries();
}

void TestRegistry::remove()
{
    QFETCH(Entries, before);
    QFETCH(Entry, removed);
    QFETCH(Entries, after);

    CChannelUsedDevices registry;
    fill(&registry, before);
    registry.remove(removed.first, removed.second);
    QCOMPARE(entriesOf(registry), after);
}

void TestRegistry::clearType_data()
{
    QTest::addColumn<Entries>("before");
    QTest::addColumn<Entries>("after");

    QTest::newRow("adjacent entries of the type")
        << Entries{entry(2, "A"), entry(2, "B"), entry(3, "C"), entry(2, "D"), entry(2, "E"), entry(2, "F"), entry(4, "G"), entry(2, "H")}
        << Entries{entry(3, "C"), entry(4, "G")};
    QTest::newRow("only the type") << Entries{entry(2, "A"), entry(2, "B")} << Entries();
    QTest::newRow("none of the type") << Entries{entry(3, "A"), entry(1, "B")} << Entries{entry(3, "A"), entry(1, "B")};
    QTest::newRow("same device under other types")
        << Entries{entry(3, "A"), entry(2, "A"), entry(1, "A")} << Entries{entry(3, "A"), entry(1, "A")};
}

void TestRegistry::clearType()
{
    QFETCH(Entries, before);
    QFETCH(Entries, after);

    CChannelUsedDevices registry;
    fill(&registry, before);
    registry.clear(2);
    QCOMPARE(entriesOf(registry), after);
}

void TestRegistry::clearAll()
{
    CChannelUsedDevices registry;
    fill(&registry, {entry(2, "A"), entry(3, "B")});
    registry.clear();
    QVERIFY(registry.nodes.isEmpty());
    registry.add(2, QStringLiteral("A"));
    QCOMPARE(entriesOf(registry), Entries{entry(2, "A")});
}

void TestRegistry::usedInAnotherChannel_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<bool>("used");

    QTest::newRow("empty registry") << Entries() << false;
    QTest::newRow("only own type") << Entries{entry(2, "A")} << false;
    QTest::newRow("other type too") << Entries{entry(2, "A"), entry(3, "A")} << true;
    QTest::newRow("only other type") << Entries{entry(5, "A")} << true;
    QTest::newRow("other device") << Entries{entry(3, "B")} << false;
    QTest::newRow("other letter case") << Entries{entry(3, "a")} << false;
}

void TestRegistry::usedInAnotherChannel()
{
    QFETCH(Entries, entries);
    QFETCH(bool, used);

    CChannelUsedDevices registry;
    fill(&registry, entries);
    QCOMPARE(registry.usedInAnotherChannel(2, QStringLiteral("A")), used);
}

void TestRegistry::channelTypes_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QList<int>>("types");

    QTest::newRow("empty registry") << Entries() << QList<int>();
    QTest::newRow("two types") << Entries{entry(2, "A"), entry(3, "A"), entry(4, "B")} << QList<int>{2, 3};
    QTest::newRow("other device only") << Entries{entry(2, "B")} << QList<int>();
    QTest::newRow("other letter case") << Entries{entry(2, "a"), entry(3, "A")} << QList<int>{3};
}

void TestRegistry::channelTypes()
{
    QFETCH(Entries, entries);
    QFETCH(QList<int>, types);

    CChannelUsedDevices registry;
    fill(&registry, entries);
    QList<int> found = registry.channelTypes(QStringLiteral("A"));
    std::sort(found.begin(), found.end());
    QCOMPARE(found, types);
}

void TestRegistry::batchMatchesOneByOne_data()
{
    QTest::addColumn<Entries>("before");
    QTest::addColumn<QStringList>("devices");

    const Entries mixed{entry(3, "A"), entry(2, "B"), entry(1, "C"), entry(2, "D")};
    QTest::newRow("empty registry") << Entries() << QStringList{"A", "B", "A"};
    QTest::newRow("some registered, some under other types") << mixed << QStringList{"D", "A", "C", "E", "E"};
    QTest::newRow("letter case") << mixed << QStringList{"b", "B"};
    QTest::newRow("no devices") << mixed << QStringList();
}

// The list forms of add() and remove() must leave exactly what adding or
// removing the devices one at a time leaves, order included.
void TestRegistry::batchMatchesOneByOne()
{
    QFETCH(Entries, before);
    QFETCH(QStringList, devices);

    CChannelUsedDevices oneByOne;
    CChannelUsedDevices batch;
    fill(&oneByOne, before);
    fill(&batch, before);
    for (const QString &device : devices)
        oneByOne.add(2, device);
    batch.add(2, devices);
    QCOMPARE(entriesOf(batch), entriesOf(oneByOne));

    for (const QString &device : devices)
        oneByOne.remove(2, device);
    batch.remove(2, devices);
    QCOMPARE(entriesOf(batch), entriesOf(oneByOne));
}

QTEST_APPLESS_MAIN(TestRegistry)
#include "tst_registry.moc"
