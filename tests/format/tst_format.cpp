#include "common/globalformat.h"

#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using Text = std::function<QString()>;
Q_DECLARE_METATYPE(Text)

// One row per call: the row is named after the call it makes.
#define TEXT_ROW(call, expected) QTest::newRow(#call) << Text([] { return Global::call; }) << QStringLiteral(expected)

class TestFormat : public QObject
{
    Q_OBJECT

private slots:
    void texts_data()
    {
        QTest::addColumn<Text>("text");
        QTest::addColumn<QString>("expected");

        TEXT_ROW(sizeString(-5), "-5 байт");
        TEXT_ROW(sizeString(1023), "1023 байт");
        TEXT_ROW(sizeString(1024), "1.0 КБайт");
        TEXT_ROW(sizeString(1536), "1.5 КБайт");
        TEXT_ROW(sizeString(1048575), "1024.0 КБайт");
        TEXT_ROW(sizeString(1048576), "1.0 МБайт");
        TEXT_ROW(sizeString(1LL << 30), "1.0 ГБайт");
        TEXT_ROW(sizeString(3LL << 40), "3.0 ТБайт");
        TEXT_ROW(sizeString(1LL << 50), "1024.0 ТБайт");
        TEXT_ROW(speedString(100), "100 байт/с (800 бит/с)");
        TEXT_ROW(speedString(128), "128 байт/с (1.0 Кбит/с)");
        TEXT_ROW(speedString(2048), "2.0 КБайт/с (16.0 Кбит/с)");
        TEXT_ROW(speedString(1LL << 30), "1.0 ГБайт/с (8.0 Гбит/с)");
        TEXT_ROW(speedString(1LL << 37), "128.0 ГБайт/с (1.0 Тбит/с)");
        TEXT_ROW(speedStringBits(100), "800 бит/с");
        TEXT_ROW(speedStringBits(128), "1.0 Кбит/с");
        TEXT_ROW(speedStringBits(1LL << 17), "1.0 Мбит/с");
        TEXT_ROW(timeStringSec(-3), "-3 сек.");
        TEXT_ROW(timeStringSec(59), "59 сек.");
        TEXT_ROW(timeStringSec(60), "1 м. 0 сек.");
        TEXT_ROW(timeStringSec(3599), "59 м. 59 сек.");
        TEXT_ROW(timeStringSec(3600), "1 ч. 0 м.");
        TEXT_ROW(timeStringSec(25 * 3600 + 61), "25 ч. 1 м.");
        TEXT_ROW(cut("abcdefgh", 4), "abcd...");
        TEXT_ROW(cut("abcdefg", 4), "abcdefg");
        TEXT_ROW(cut("приветствие", 3), "при...");
        TEXT_ROW(filterName("Привет, World 42!"), "приветworld42");
        TEXT_ROW(filterName("ЁЛКА ёж"), "ёлкаёж");
        TEXT_ROW(filterName("Straße_ü"), "strae");
        TEXT_ROW(filterNotValidSymbols("a...b"), "a.b");
        TEXT_ROW(filterNotValidSymbols("a....b"), "ab");
        TEXT_ROW(filterNotValidSymbols("c:/x?.txt"), "cx.txt");
        TEXT_ROW(filterNotValidSymbols("\"<>:\\/|?*"), "");
        TEXT_ROW(filterNotValidSymbols("Иван.Petrov"), "Иван.Petrov");
    }

    void texts()
    {
        QFETCH(Text, text);
        QFETCH(QString, expected);
        QCOMPARE(text(), expected);
    }

    void declension_data()
    {
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QString>("form");

        QTest::newRow("one") << QList<int>{1, 21, 101} << "COM порт";
        QTest::newRow("few") << QList<int>{2, 4, 22, 104} << "COM порта";
        QTest::newRow("many") << QList<int>{0, 5, 11, 12, 14, 19, 111, -1} << "COM портов";
    }

    void declension()
    {
        QFETCH(QList<int>, numbers);
        QFETCH(QString, form);
        for (int n : numbers)
            QVERIFY2(Global::declension(n, "COM порт", "COM порта", "COM портов") == form,
                     QByteArray::number(n).constData());
    }

    void currentSystemUserName()
    {
        const QByteArray saved = qgetenv("USER");
        qputenv("USER", QStringLiteral("оператор").toLocal8Bit());
        const QString named = Global::currentSystemUserName();
        qunsetenv("USER");
        const QString unnamed = Global::currentSystemUserName();
        qputenv("USER", saved);

        QCOMPARE(named, QStringLiteral("оператор"));
        QCOMPARE(unnamed, QString());
    }

    void diskFreeSpaceOfMissingPath()
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
};

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
