#include "comchannel/comsettings.h"
#include "common/globalpaths.h"
#include "tests/support/channeldata.h"

#include <QtTest>

using TestSupport::port;

namespace {

const QString Damaged = QStringLiteral("Данные повреждены");

QString versionMessage(int found, int expected)
{
    return QStringLiteral("Версия настроек %1 не совпадает с текущей %2").arg(found).arg(expected);
}

QByteArray channel(int blockSize, const QList<ComPortSettings> &ports)
{
    ChannelComSettings record;
    record.blockSize = blockSize;
    record.ports = ports;
    return record.toByteArray();
}

QByteArray abonent(const QString &number, const QStringList &ports)
{
    AbonentComSettings record;
    record.phoneNumber = number;
    record.ports = ports;
    return record.toByteArray();
}

const ComPortSettings First = port(true, QStringLiteral("/dev/ttyS0"), QStringLiteral("ATZ\\r"), 9600, 1, 8, 0, 1);
const ComPortSettings Second = port(false, QStringLiteral("COM2"), QString(), 115200, 2, 7, 3, 3);
// An entry whose fields all lie past the end of the data.
const ComPortSettings CutOff = port(false, QLatin1String(""), QLatin1String(""), 0, 0, 0, 0, 0);

// Marks the texts asked for under the records' own translation contexts with
// the context, so that a message tells whose it is.
class ContextMarker : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QString name = QString::fromLatin1(context);
        return name.endsWith(QLatin1String("ComSettings")) ? QString::fromUtf8(source) + " [" + name + "]" : QString();
    }
};

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void bytes_data();
    void bytes();
    void read_data();
    void read();
    void cutOff_data();
    void cutOff();
};

void TestRecords::initTestCase()
{
    QDir(Global::settingsDir()).removeRecursively();
}

void TestRecords::bytes_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("channel, default") << ChannelComSettings().toByteArray() << QByteArray("00000003 00000000 00000400");
    QTest::newRow("channel, one port, empty init string")
        << channel(2048, {port(true, QStringLiteral("COM1"), QLatin1String(""), 9600, 1, 8, 0, 1)})
        << QByteArray("00000003 00000001 00000800 01 00000008 0043004f004d0031 00000000"
                      "00002580 00000001 00000008 00000000 00000001");
    QTest::newRow("channel, unset port, null strings")
        << channel(1024, {ComPortSettings()})
        << QByteArray("00000003 00000001 00000400 00 ffffffff ffffffff"
                      "ffffffff ffffffff ffffffff ffffffff ffffffff");
    QTest::newRow("abonent, default") << AbonentComSettings().toByteArray() << QByteArray("00000004 ffffffff 00000000");
    QTest::newRow("abonent, tone number, three ports")
        << abonent(QStringLiteral("T12"), {QStringLiteral("COM1"), QLatin1String(""), QString()})
        << QByteArray("00000004 00000006 005400310032 00000003 00000008 0043004f004d0031 00000000 ffffffff");
}

void TestRecords::bytes()
{
    QFETCH(QByteArray, record);
    QFETCH(QByteArray, hex);
    QCOMPARE(record.toHex(), QByteArray::fromHex(hex).toHex());
}

void TestRecords::read_data()
{
    QTest::addColumn<bool>("isChannel");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    // What the record that held other values holds afterwards, written again.
    QTest::addColumn<QByteArray>("after");

    auto roundTrip = [](const char *name, bool isChannel, const QByteArray &record) {
        QTest::newRow(name) << isChannel << record << QString() << record;
    };
    roundTrip("channel, two ports", true, channel(2048, {First, Second}));
    roundTrip("channel, null and empty strings", true,
              channel(-7, {port(false, QString(), QLatin1String(""), -1, -1, -1, -1, -1),
                           port(true, QLatin1String(""), QString(), 0, 0, 5, 5, 2),
                           port(true, QStringLiteral("Порт №1"), QStringLiteral("AT&F\\n"), 57600, 0, 6, 4, 1)}));
    roundTrip("abonent, empty number", false, abonent(QLatin1String(""), {}));
    roundTrip("abonent, null and empty port names", false,
              abonent(QStringLiteral("P8 (495) 123-45-67"),
                      {QStringLiteral("/dev/ttyUSB0"), QString(), QLatin1String(""), QStringLiteral("com1")}));

    // A wrong version empties the channel's ports and keeps its block size;
    // it leaves an abonent as it was.
    const QByteArray channelRefused = channel(512, {});
    const QByteArray abonentBefore = abonent(QStringLiteral("old"), {QStringLiteral("old")});
    QByteArray older = channel(2048, {First, Second});
    older[3] = 2;
    QTest::newRow("channel, empty") << true << QByteArray() << versionMessage(0, 3) << channelRefused;
    QTest::newRow("channel, three bytes") << true << QByteArray(3, '\0') << versionMessage(0, 3) << channelRefused;
    QTest::newRow("channel, abonent record")
        << true << abonent(QString(), {}) << versionMessage(4, 3) << channelRefused;
    QTest::newRow("channel, version 2 with entries") << true << older << versionMessage(2, 3) << channelRefused;
    QTest::newRow("abonent, empty") << false << QByteArray() << versionMessage(0, 4) << abonentBefore;
    QTest::newRow("abonent, channel record")
        << false << ChannelComSettings().toByteArray() << versionMessage(3, 4) << abonentBefore;

    QTest::newRow("channel, no ports, trailing bytes")
        << true << channel(2048, {}) + QByteArray::fromHex("0102030405") << QString() << channel(2048, {});
    QTest::newRow("channel, negative count reads no entry")
        << true << QByteArray::fromHex("00000003 ffffffff 00000100") << QString() << channel(256, {});
    QTest::newRow("channel, bool byte 2, trailing bytes")
        << true
        << QByteArray::fromHex("00000003 00000001 00000400 02 ffffffff 00000000 00002580 00000000 00000008"
                               "00000000 00000001 7878")
        << QString() << channel(1024, {port(true, QString(), QLatin1String(""), 9600, 0, 8, 0, 1)});

    // A damaged count costs no more than the bytes present: reading stops at
    // the first entry the data cut off.
    QByteArray onePresent = channel(2048, {First});
    onePresent.replace(4, 4, QByteArray::fromHex("7fffffff"));
    QTest::newRow("channel claims 2^31-1 entries in 12 bytes")
        << true << QByteArray::fromHex("00000003 7fffffff 00000400") << Damaged << channel(1024, {CutOff});
    QTest::newRow("channel claims 2^31-1 entries, one present")
        << true << onePresent << Damaged << channel(2048, {First, CutOff});
    QTest::newRow("channel entry claims a 2 GB port name")
        << true << QByteArray::fromHex("00000003 00000001 00000400 01 7ffffffe") << Damaged
        << channel(1024, {port(true, QString(), QLatin1String(""), 0, 0, 0, 0, 0)});
    QTest::newRow("abonent claims 2^32-1 port names")
        << false << QByteArray::fromHex("00000004 ffffffff ffffffff") << Damaged << abonent(QString(), {});
    QTest::newRow("abonent claims 2^31-1 port names, one present")
        << false << QByteArray::fromHex("00000004 ffffffff 7fffffff 00000002 0041") << Damaged
        << abonent(QString(), {});
    QTest::newRow("abonent port name of odd length")
        << false << QByteArray::fromHex("00000004 ffffffff 00000001 00000003 004100") << Damaged
        << abonent(QString(), {});
}

void TestRecords::read()
{
    QFETCH(bool, isChannel);
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    QFETCH(QByteArray, after);

    ContextMarker marker;
    QCoreApplication::installTranslator(&marker);
    ChannelComSettings channelRecord;
    channelRecord.blockSize = 512;
    channelRecord.ports << Second;
    AbonentComSettings abonentRecord;
    abonentRecord.phoneNumber = QStringLiteral("old");
    abonentRecord.ports << QStringLiteral("old");
    const QString result = isChannel ? channelRecord.fromByteArray(data) : abonentRecord.fromByteArray(data);
    QCoreApplication::removeTranslator(&marker);

    const QString context = isChannel ? QStringLiteral("ChannelComSettings") : QStringLiteral("AbonentComSettings");
    QCOMPARE(result, message.isEmpty() ? message : message + " [" + context + "]");
    QCOMPARE(isChannel ? channelRecord.toByteArray() : abonentRecord.toByteArray(), after);
}

void TestRecords::cutOff_data()
{
    QTest::addColumn<bool>("isChannel");
    QTest::addColumn<int>("length");

    for (int length = 4; length < channel(2048, {First, Second}).size(); ++length)
        QTest::addRow("channel cut at %d", length) << true << length;
    for (int length = 4; length < abonent(QStringLiteral("T55"), {"COM1", "COM2"}).size(); ++length)
        QTest::addRow("abonent cut at %d", length) << false << length;
}

void TestRecords::cutOff()
{
    QFETCH(bool, isChannel);
    QFETCH(int, length);

    if (isChannel) {
        ChannelComSettings record;
        record.blockSize = 777;
        QCOMPARE(record.fromByteArray(channel(2048, {First, Second}).left(length)), Damaged);
        QCOMPARE(record.blockSize, length >= 12 ? 2048 : 0);
        // The entries whose bytes are all present, then the one the cut went through.
        const int complete = length >= channel(2048, {First}).size() ? 1 : 0;
        QCOMPARE(record.ports.size(), length < 8 ? 0 : complete + 1);
        QCOMPARE(channel(0, record.ports.mid(0, complete)), channel(0, QList<ComPortSettings>{First}.mid(0, complete)));
    } else {
        AbonentComSettings record;
        record.ports << QStringLiteral("old");
        QCOMPARE(record.fromByteArray(abonent(QStringLiteral("T55"), {"COM1", "COM2"}).left(length)), Damaged);
        QCOMPARE(record.phoneNumber, length >= 4 + 4 + 6 ? QStringLiteral("T55") : QString());
        QVERIFY(record.ports.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
