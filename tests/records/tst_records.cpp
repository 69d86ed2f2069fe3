#include "comchannel/comsettings.h"
#include "common/globalpaths.h"
#include "tests/support/channeldata.h"

#include <QtTest>

Q_DECLARE_METATYPE(ComPortSettings)
Q_DECLARE_METATYPE(ChannelComSettings)
Q_DECLARE_METATYPE(AbonentComSettings)

using TestSupport::port;

namespace {

const QString Damaged = QStringLiteral("Данные повреждены");

QString versionMessage(int found, int expected)
{
    return QStringLiteral("Версия настроек %1 не совпадает с текущей %2").arg(found).arg(expected);
}

// QString's == does not tell a null string from an empty one; the records must.
bool sameText(const QString &a, const QString &b)
{
    return a == b && a.isNull() == b.isNull();
}

bool samePort(const ComPortSettings &a, const ComPortSettings &b)
{
    return a.active == b.active && sameText(a.portName, b.portName) && sameText(a.initString, b.initString)
        && a.baudRate == b.baudRate && a.flowControl == b.flowControl && a.dataBits == b.dataBits
        && a.parity == b.parity && a.stopBits == b.stopBits;
}

ChannelComSettings twoPortChannel()
{
    ChannelComSettings channel;
    channel.blockSize = 2048;
    channel.ports << port(true, QStringLiteral("/dev/ttyS0"), QStringLiteral("ATZ\\r"), 9600, 1, 8, 0, 1)
                  << port(false, QStringLiteral("COM2"), QString(), 115200, 2, 7, 3, 3);
    return channel;
}

// Where the channel's record ends after its first `entries` entries.
int channelEntryEnd(const ChannelComSettings &channel, int entries)
{
    ChannelComSettings prefix;
    prefix.blockSize = channel.blockSize;
    prefix.ports = channel.ports.mid(0, entries);
    return prefix.toByteArray().size();
}

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void channelBytes_data();
    void channelBytes();
    void abonentBytes_data();
    void abonentBytes();

    void channelRoundTrip_data();
    void channelRoundTrip();
    void abonentRoundTrip_data();
    void abonentRoundTrip();

    void channelWrongVersion_data();
    void channelWrongVersion();
    void abonentWrongVersion_data();
    void abonentWrongVersion();

    void channelCutAtEveryByte();
    void abonentCutAtEveryByte();

    void channelLenientReading_data();
    void channelLenientReading();
    void hostileCounts_data();
    void hostileCounts();
    void messagesUnderClassName_data();
    void messagesUnderClassName();
};

void TestRecords::initTestCase()
{
    QDir(Global::settingsDir()).removeRecursively();
}

void TestRecords::channelBytes_data()
{
    QTest::addColumn<ChannelComSettings>("channel");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("default") << ChannelComSettings() << QByteArray("00000003 00000000 00000400");

    ChannelComSettings onePort;
    onePort.blockSize = 2048;
    onePort.ports << port(true, QStringLiteral("COM1"), QLatin1String(""), 9600, 1, 8, 0, 1);
    QTest::newRow("one port, empty init string")
        << onePort
        << QByteArray("00000003 00000001 00000800"
                      "01 00000008 0043004f004d0031 00000000"
                      "00002580 00000001 00000008 00000000 00000001");

    ChannelComSettings unset;
    unset.ports << ComPortSettings();
    QTest::newRow("unset port, null strings")
        << unset
        << QByteArray("00000003 00000001 00000400"
                      "00 ffffffff ffffffff"
                      "ffffffff ffffffff ffffffff ffffffff ffffffff");
}

void TestRecords::channelBytes()
{
    QFETCH(ChannelComSettings, channel);
    QFETCH(QByteArray, hex);
    QCOMPARE(channel.toByteArray().toHex(), QByteArray::fromHex(hex).toHex());
}

void TestRecords::abonentBytes_data()
{
    QTest::addColumn<AbonentComSettings>("abonent");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("default") << AbonentComSettings() << QByteArray("00000004 ffffffff 00000000");

    AbonentComSettings abonent;
    abonent.phoneNumber = QStringLiteral("T12");
    abonent.ports << QStringLiteral("COM1") << QLatin1String("") << QString();
    QTest::newRow("tone number, three ports")
        << abonent
        << QByteArray("00000004 00000006 005400310032 00000003"
                      "00000008 0043004f004d0031 00000000 ffffffff");
}

void TestRecords::abonentBytes()
{
    QFETCH(AbonentComSettings, abonent);
    QFETCH(QByteArray, hex);
    QCOMPARE(abonent.toByteArray().toHex(), QByteArray::fromHex(hex).toHex());
}

void TestRecords::channelRoundTrip_data()
{
    QTest::addColumn<ChannelComSettings>("channel");

    QTest::newRow("default") << ChannelComSettings();
    QTest::newRow("two ports") << twoPortChannel();

    ChannelComSettings strings;
    strings.ports << port(false, QString(), QLatin1String(""), -1, -1, -1, -1, -1)
                  << port(true, QLatin1String(""), QString(), 0, 0, 5, 5, 2)
                  << port(true, QStringLiteral("Порт №1"), QStringLiteral("AT&F\\n"), 57600, 0, 6, 4, 1);
    strings.blockSize = -7;
    QTest::newRow("null and empty strings") << strings;
}

void TestRecords::channelRoundTrip()
{
    QFETCH(ChannelComSettings, channel);

    ChannelComSettings read;
    read.ports << ComPortSettings();
    read.blockSize = 4096;
    QCOMPARE(read.fromByteArray(channel.toByteArray()), QString());
    QCOMPARE(read.blockSize, channel.blockSize);
    QCOMPARE(read.ports.size(), channel.ports.size());
    for (int i = 0; i < channel.ports.size(); ++i)
        QVERIFY2(samePort(read.ports.at(i), channel.ports.at(i)), qPrintable(QString::number(i)));
}

void TestRecords::abonentRoundTrip_data()
{
    QTest::addColumn<AbonentComSettings>("abonent");

    QTest::newRow("default") << AbonentComSettings();

    AbonentComSettings empty;
    empty.phoneNumber = QLatin1String("");
    QTest::newRow("empty number") << empty;

    AbonentComSettings full;
    full.phoneNumber = QStringLiteral("P8 (495) 123-45-67");
    full.ports << QStringLiteral("/dev/ttyUSB0") << QString() << QLatin1String("") << QStringLiteral("com1");
    QTest::newRow("pulse number, ports with null and empty names") << full;
}

void TestRecords::abonentRoundTrip()
{
    QFETCH(AbonentComSettings, abonent);

    AbonentComSettings read;
    read.phoneNumber = QStringLiteral("old");
    read.ports << QStringLiteral("old");
    QCOMPARE(read.fromByteArray(abonent.toByteArray()), QString());
    QVERIFY(sameText(read.phoneNumber, abonent.phoneNumber));
    QCOMPARE(read.ports.size(), abonent.ports.size());
    for (int i = 0; i < abonent.ports.size(); ++i)
        QVERIFY2(sameText(read.ports.at(i), abonent.ports.at(i)), qPrintable(QString::number(i)));
}

void TestRecords::channelWrongVersion_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << QByteArray() << versionMessage(0, 3);
    QTest::newRow("three bytes") << QByteArray::fromHex("000000") << versionMessage(0, 3);
    QTest::newRow("abonent record") << AbonentComSettings().toByteArray() << versionMessage(4, 3);
    QByteArray older = twoPortChannel().toByteArray();
    older[3] = 2;
    QTest::newRow("version 2 with entries") << older << versionMessage(2, 3);
    QTest::newRow("negative") << QByteArray::fromHex("ffffffff") << versionMessage(-1, 3);
}

void TestRecords::channelWrongVersion()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);

    ChannelComSettings channel = twoPortChannel();
    channel.blockSize = 512;
    QCOMPARE(channel.fromByteArray(data), message);
    QVERIFY(channel.ports.isEmpty());
    QCOMPARE(channel.blockSize, 512);
}

void TestRecords::abonentWrongVersion_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << QByteArray() << versionMessage(0, 4);
    QTest::newRow("channel record") << ChannelComSettings().toByteArray() << versionMessage(3, 4);
    QTest::newRow("version 5") << QByteArray::fromHex("00000005 00000000 00000000") << versionMessage(5, 4);
}

void TestRecords::abonentWrongVersion()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, message);

    AbonentComSettings abonent;
    abonent.phoneNumber = QStringLiteral("123");
    abonent.ports << QStringLiteral("COM1");
    QCOMPARE(abonent.fromByteArray(data), message);
    QCOMPARE(abonent.phoneNumber, QStringLiteral("123"));
    QCOMPARE(abonent.ports, QStringList{QStringLiteral("COM1")});
}

void TestRecords::channelCutAtEveryByte()
{
    const ChannelComSettings original = twoPortChannel();
    const QByteArray full = original.toByteArray();
    const int firstEntryEnd = channelEntryEnd(original, 1);

    for (int length = 4; length < full.size(); ++length) {
        const QByteArray label = "cut at " + QByteArray::number(length);
        ChannelComSettings channel;
        channel.blockSize = 777;
        QVERIFY2(channel.fromByteArray(full.left(length)) == Damaged, label);

        QCOMPARE(channel.blockSize, length >= 12 ? original.blockSize : 0);
        // The entries whose bytes are present, then the one the cut went through.
        const int complete = length >= firstEntryEnd ? 1 : 0;
        const int expectedEntries = length < 8 ? 0 : complete + 1;
        QVERIFY2(channel.ports.size() == expectedEntries, label);
        for (int i = 0; i < complete; ++i)
            QVERIFY2(samePort(channel.ports.at(i), original.ports.at(i)), label);
    }
}

void TestRecords::abonentCutAtEveryByte()
{
    AbonentComSettings original;
    original.phoneNumber = QStringLiteral("T55");
    original.ports << QStringLiteral("COM1") << QStringLiteral("COM2");
    const QByteArray full = original.toByteArray();
    const int phoneEnd = 4 + 4 + 2 * original.phoneNumber.size();

    for (int length = 4; length < full.size(); ++length) {
        const QByteArray label = "cut at " + QByteArray::number(length);
        AbonentComSettings abonent;
        abonent.ports << QStringLiteral("old");
        QVERIFY2(abonent.fromByteArray(full.left(length)) == Damaged, label);
        QVERIFY2(abonent.phoneNumber == (length >= phoneEnd ? original.phoneNumber : QString()), label);
        QVERIFY2(abonent.ports.isEmpty(), label);
    }
}

void TestRecords::channelLenientReading_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<bool>("active");

    QTest::newRow("no ports, block 2048") << QByteArray::fromHex("00000003 00000000 00000800") << 2048 << false;
    QTest::newRow("no ports, trailing bytes")
        << QByteArray::fromHex("00000003 00000000 00000800 0102030405") << 2048 << false;
    QTest::newRow("negative count reads no entry")
        << QByteArray::fromHex("00000003 ffffffff 00000100") << 256 << false;

    const QByteArray entry = QByteArray::fromHex("02 ffffffff 00000000 00002580 00000000 00000008 00000000 00000001");
    QTest::newRow("bool byte 2") << QByteArray::fromHex("00000003 00000001 00000400") + entry << 1024 << true;
    QTest::newRow("bool byte 2, trailing bytes")
        << QByteArray::fromHex("00000003 00000001 00000400") + entry + QByteArray(7, 'x') << 1024 << true;
}

void TestRecords::channelLenientReading()
{
    QFETCH(QByteArray, data);
    QFETCH(int, blockSize);
    QFETCH(bool, active);

    ChannelComSettings channel;
    QCOMPARE(channel.fromByteArray(data), QString());
    QCOMPARE(channel.blockSize, blockSize);
    if (active) {
        QCOMPARE(channel.ports.size(), 1);
        QVERIFY(channel.ports.first().active);
        QVERIFY(channel.ports.first().portName.isNull());
        QVERIFY(channel.ports.first().initString.isEmpty() && !channel.ports.first().initString.isNull());
        QCOMPARE(channel.ports.first().baudRate, 9600);
    } else {
        QVERIFY(channel.ports.isEmpty());
    }
}

void TestRecords::hostileCounts_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("channel");
    QTest::addColumn<int>("entries");

    QTest::newRow("channel claims 2^31-1 entries in 12 bytes")
        << QByteArray::fromHex("00000003 7fffffff 00000400") << true << 1;
    QByteArray onePresent = twoPortChannel().toByteArray().left(channelEntryEnd(twoPortChannel(), 1));
    onePresent.replace(4, 4, QByteArray::fromHex("7fffffff"));
    QTest::newRow("channel claims 2^31-1 entries, one present") << onePresent << true << 2;
    QTest::newRow("channel entry claims a 2 GB port name")
        << QByteArray::fromHex("00000003 00000001 00000400 01 7ffffffe") << true << 1;
    QTest::newRow("abonent claims 2^32-1 port names")
        << QByteArray::fromHex("00000004 ffffffff ffffffff") << false << 0;
    QTest::newRow("abonent claims 2^31-1 port names, one present")
        << QByteArray::fromHex("00000004 ffffffff 7fffffff 00000002 0041") << false << 0;
    QTest::newRow("abonent port name of odd length")
        << QByteArray::fromHex("00000004 ffffffff 00000001 00000003 004100") << false << 0;
}

// A damaged count must cost no more than the bytes present: reading fails at
// the first missing entry instead of reserving room for the count (which
// would abort).
void TestRecords::hostileCounts()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, channel);
    QFETCH(int, entries);

    if (channel) {
        ChannelComSettings record;
        QCOMPARE(record.fromByteArray(data), Damaged);
        QCOMPARE(record.ports.size(), entries);
    } else {
        AbonentComSettings record;
        QCOMPARE(record.fromByteArray(data), Damaged);
        QCOMPARE(record.ports.size(), entries);
    }
}

namespace {

const QString Marked = QStringLiteral(" [marked]");

// Marks the texts asked for under one context, so that a message tells which
// context it was translated under.
class ContextMarker : public QTranslator
{
public:
    explicit ContextMarker(const QByteArray &context) : context(context) {}
    bool isEmpty() const override { return false; }
    QString translate(const char *asked, const char *source, const char *, int) const override
    {
        return context == asked ? QString::fromUtf8(source) + Marked : QString();
    }

private:
    const QByteArray context;
};

} // namespace

void TestRecords::messagesUnderClassName_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("channel");

    QTest::newRow("channel, wrong version") << QByteArray() << true;
    QTest::newRow("channel, damaged") << QByteArray::fromHex("00000003 00000001 00000400") << true;
    QTest::newRow("abonent, wrong version") << QByteArray() << false;
    QTest::newRow("abonent, damaged") << QByteArray::fromHex("00000004 00000002") << false;
}

void TestRecords::messagesUnderClassName()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, channel);

    ContextMarker marker(channel ? "ChannelComSettings" : "AbonentComSettings");
    QCoreApplication::installTranslator(&marker);
    ChannelComSettings channelRecord;
    AbonentComSettings abonentRecord;
    const QString message = channel ? channelRecord.fromByteArray(data) : abonentRecord.fromByteArray(data);
    QCoreApplication::removeTranslator(&marker);

    QVERIFY2(message.endsWith(Marked), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
