#include "common/globalformat.h"

#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

using NumberText = QString (*)(long long const &);
Q_DECLARE_METATYPE(NumberText)

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    void numberTexts_data();
    void numberTexts();
    void declension_data();
    void declension();
    void cut_data();
    void cut();
    void filterName_data();
    void filterName();
    void filterNotValidSymbols_data();
    void filterNotValidSymbols();

    void currentSystemUserName();
    void diskFreeSpaceOfMissingPath();
};

void TestFormat::numberTexts_data()
{
    QTest::addColumn<NumberText>("format");
    QTest::addColumn<long long>("value");
    QTest::addColumn<QString>("text");

    const NumberText size = &Global::sizeString;
    QTest::newRow("size 0") << size << 0LL << "0 байт";
    QTest::newRow("size -5") << size << -5LL << "-5 байт";
    QTest::newRow("size 1023") << size << 1023LL << "1023 байт";
    QTest::newRow("size 1024") << size << 1024LL << "1.0 КБайт";
    QTest::newRow("size 1536") << size << 1536LL << "1.5 КБайт";
    QTest::newRow("size 1048575") << size << 1048575LL << "1024.0 КБайт";
    QTest::newRow("size 1048576") << size << 1048576LL << "1.0 МБайт";
    QTest::newRow("size 2^30") << size << (1LL << 30) << "1.0 ГБайт";
    QTest::newRow("size 3 * 2^40") << size << (3LL << 40) << "3.0 ТБайт";
    QTest::newRow("size 2^50") << size << (1LL << 50) << "1024.0 ТБайт";

    const NumberText speed = &Global::speedString;
    QTest::newRow("speed 100") << speed << 100LL << "100 байт/с (800 бит/с)";
    QTest::newRow("speed 128") << speed << 128LL << "128 байт/с (1.0 Кбит/с)";
    QTest::newRow("speed 2048") << speed << 2048LL << "2.0 КБайт/с (16.0 Кбит/с)";
    QTest::newRow("speed 2^30") << speed << (1LL << 30) << "1.0 ГБайт/с (8.0 Гбит/с)";
    QTest::newRow("speed 2^37") << speed << (1LL << 37) << "128.0 ГБайт/с (1.0 Тбит/с)";

    const NumberText bits = &Global::speedStringBits;
    QTest::newRow("bits 100") << bits << 100LL << "800 бит/с";
    QTest::newRow("bits 128") << bits << 128LL << "1.0 Кбит/с";
    QTest::newRow("bits 2^17") << bits << (1LL << 17) << "1.0 Мбит/с";

    const NumberText time = &Global::timeStringSec;
    QTest::newRow("time -3") << time << -3LL << "-3 сек.";
    QTest::newRow("time 59") << time << 59LL << "59 сек.";
    QTest::newRow("time 60") << time << 60LL << "1 м. 0 сек.";
    QTest::newRow("time 3599") << time << 3599LL << "59 м. 59 сек.";
    QTest::newRow("time 3600") << time << 3600LL << "1 ч. 0 м.";
    QTest::newRow("time 25 h 1 m 1 s") << time << (25 * 3600 + 61LL) << "25 ч. 1 м.";
}

void TestFormat::numberTexts()
{
    QFETCH(NumberText, format);
    QFETCH(long long, value);
    QFETCH(QString, text);
    QCOMPARE(format(value), text);
}

void TestFormat::declension_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("form");

    const QString one = QStringLiteral("COM порт");
    const QString few = QStringLiteral("COM порта");
    const QString many = QStringLiteral("COM портов");
    QTest::newRow("0") << 0 << many;
    QTest::newRow("1") << 1 << one;
    QTest::newRow("2") << 2 << few;
    QTest::newRow("4") << 4 << few;
    QTest::newRow("5") << 5 << many;
    QTest::newRow("11") << 11 << many;
    QTest::newRow("12") << 12 << many;
    QTest::newRow("14") << 14 << many;
    QTest::newRow("19") << 19 << many;
    QTest::newRow("21") << 21 << one;
    QTest::newRow("22") << 22 << few;
    QTest::newRow("101") << 101 << one;
    QTest::newRow("104") << 104 << few;
    QTest::newRow("111") << 111 << many;
    QTest::newRow("-1") << -1 << many;
}

void TestFormat::declension()
{
    QFETCH(int, n);
    QFETCH(QString, form);
    QCOMPARE(Global::declension(n, QStringLiteral("COM порт"), QStringLiteral("COM порта"),
                                QStringLiteral("COM портов")),
             form);
}

void TestFormat::cut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("result");

    QTest::newRow("eight letters") << "abcdefgh" << 4 << "abcd...";
    QTest::newRow("seven letters") << "abcdefg" << 4 << "abcdefg";
    QTest::newRow("short") << "ab" << 4 << "ab";
    QTest::newRow("cyrillic") << "приветствие" << 3 << "при...";
}

void TestFormat::cut()
{
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, result);
    QCOMPARE(Global::cut(text, n), result);
}

void TestFormat::filterName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filtered");

    QTest::newRow("greeting") << "Привет, World 42!" << "приветworld42";
    QTest::newRow("yo") << "ЁЛКА ёж" << "ёлкаёж";
    QTest::newRow("foreign letters dropped") << "Straße_ü" << "strae";
    QTest::newRow("empty") << "" << "";
}

void TestFormat::filterName()
{
    QFETCH(QString, name);
    QFETCH(QString, filtered);
    QCOMPARE(Global::filterName(name), filtered);
}

void TestFormat::filterNotValidSymbols_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filtered");

    QTest::newRow("three dots") << "a...b" << "a.b";
    QTest::newRow("four dots") << "a....b" << "ab";
    QTest::newRow("path") << "c:/x?.txt" << "cx.txt";
    QTest::newRow("every forbidden character") << "\"<>:\\/|?*" << "";
    QTest::newRow("case kept") << "Иван.Petrov" << "Иван.Petrov";
}

void TestFormat::filterNotValidSymbols()
{
    QFETCH(QString, text);
    QFETCH(QString, filtered);
    QCOMPARE(Global::filterNotValidSymbols(text), filtered);
}

void TestFormat::currentSystemUserName()
{
    const QByteArray saved = qgetenv("USER");
    qputenv("USER", QStringLiteral("оператор").toLocal8Bit());
    const QString named = Global::currentSystemUserName();
    qunsetenv("USER");
    const QString unnamed = Global::currentSystemUserName();
    qputenv("USER", saved);

    QCOMPARE(named, QStringLiteral("оператор"));
    QCOMPARE(unnamed, QString());
    QCOMPARE(Global::edition(), QStringLiteral("linux edition"));
}

void TestFormat::diskFreeSpaceOfMissingPath()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());

    const qint64 missing = Global::diskFreeSpace(scratch.filePath(QStringLiteral("not/yet/there")));
    const qint64 existing = QStorageInfo(scratch.path()).bytesAvailable();
    QVERIFY(missing > 0);
    // Others may write to the same file system between the two looks.
    QVERIFY2(qAbs(missing - existing) < 256LL * 1024 * 1024,
             qPrintable(QStringLiteral("%1 vs %2").arg(missing).arg(existing)));
}

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
