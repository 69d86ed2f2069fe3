#include "interfaces/cchanneluseddevices.h"
#include "tests/support/channeldata.h"

#include <QtTest>

#include <algorithm>

using TestSupport::Entries;
using TestSupport::Entry;
using TestSupport::entries;
using TestSupport::entriesOf;
using TestSupport::entry;

namespace {

enum class Change { None, Remove, ClearType, ClearAll };

void fill(CChannelUsedDevices *registry, const Entries &entries)
{
    for (const Entry &added : entries)
        registry->add(added.first, added.second);
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestRegistry : public QObject
{
    Q_OBJECT

private slots:
    void changes_data();
    void changes();
    void queries_data();
    void queries();
    void batchMatchesOneByOne_data();
    void batchMatchesOneByOne();
};

void TestRegistry::changes_data()
{
    QTest::addColumn<Entries>("added");
    QTest::addColumn<Change>("change");
    QTest::addColumn<Entry>("argument");
    QTest::addColumn<Entries>("after");

    QTest::newRow("add the same pair twice") << entries("2:A 2:A") << Change::None << Entry() << entries("2:A");
    QTest::newRow("add the same device under another type")
        << entries("2:A 3:A") << Change::None << Entry() << entries("2:A 3:A");
    QTest::newRow("add keeps the order of adding")
        << entries("3:C 2:B 2:A 3:C 1:B") << Change::None << Entry() << entries("3:C 2:B 2:A 1:B");
    QTest::newRow("add tells letter case apart")
        << entries("2:com1 2:COM1 2:com1") << Change::None << Entry() << entries("2:com1 2:COM1");

    const Entries three = entries("2:A 3:A 2:B");
    QTest::newRow("remove only that type") << three << Change::Remove << entry(2, "A") << entries("3:A 2:B");
    QTest::newRow("remove the last one") << three << Change::Remove << entry(2, "B") << entries("2:A 3:A");
    QTest::newRow("remove an absent device") << three << Change::Remove << entry(2, "C") << three;
    QTest::newRow("remove an absent type") << three << Change::Remove << entry(4, "A") << three;
    QTest::newRow("remove in other letter case") << three << Change::Remove << entry(2, "a") << three;
    QTest::newRow("remove from an empty registry") << Entries() << Change::Remove << entry(2, "A") << Entries();

    QTest::newRow("clear a type with adjacent entries")
        << entries("2:A 2:B 3:C 2:D 2:E 2:F 4:G 2:H") << Change::ClearType << Entry(2, {}) << entries("3:C 4:G");
    QTest::newRow("clear the only type") << entries("2:A 2:B") << Change::ClearType << Entry(2, {}) << Entries();
    QTest::newRow("clear an absent type")
        << entries("3:A 1:B") << Change::ClearType << Entry(2, {}) << entries("3:A 1:B");
    QTest::newRow("clear a type, same device under others")
        << entries("3:A 2:A 1:A") << Change::ClearType << Entry(2, {}) << entries("3:A 1:A");
    QTest::newRow("clear all") << three << Change::ClearAll << Entry() << Entries();
}

void TestRegistry::changes()
{
    QFETCH(Entries, added);
    QFETCH(Change, change);
    QFETCH(Entry, argument);
    QFETCH(Entries, after);

    CChannelUsedDevices registry;
    fill(&registry, added);
    if (change == Change::Remove)
        registry.remove(argument.first, argument.second);
    else if (change == Change::ClearType)
        registry.clear(argument.first);
    else if (change == Change::ClearAll)
        registry.clear();
    QCOMPARE(entriesOf(registry), after);
}

void TestRegistry::queries_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<bool>("usedElsewhere");
    QTest::addColumn<QList<int>>("types");

    QTest::newRow("empty registry") << Entries() << false << QList<int>();
    QTest::newRow("only own type") << entries("2:A") << false << QList<int>{2};
    QTest::newRow("other types too") << entries("2:A 3:A 4:B") << true << QList<int>{2, 3};
    QTest::newRow("only another type") << entries("5:A") << true << QList<int>{5};
    QTest::newRow("other device") << entries("3:B") << false << QList<int>();
    QTest::newRow("other letter case") << entries("3:a 2:A") << false << QList<int>{2};
}

// What the registry answers about the device "A" asked for by channel type 2.
void TestRegistry::queries()
{
    QFETCH(Entries, entries);
    QFETCH(bool, usedElsewhere);
    QFETCH(QList<int>, types);

    CChannelUsedDevices registry;
    fill(&registry, entries);
    QCOMPARE(registry.usedInAnotherChannel(2, QStringLiteral("A")), usedElsewhere);
    QList<int> found = registry.channelTypes(QStringLiteral("A"));
    std::sort(found.begin(), found.end());
    QCOMPARE(found, types);
}

void TestRegistry::batchMatchesOneByOne_data()
{
    QTest::addColumn<Entries>("before");
    QTest::addColumn<QStringList>("devices");

    const Entries mixed = entries("3:A 2:B 1:C 2:D");
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
