#include "common/globalformat.h"
#include "tests/support/unprivileged.h"

#include <QStorageInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

#include <sys/statvfs.h>

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
        TEXT_ROW(sizeString(1LL << 30), "1.0 ГБайт");
        TEXT_ROW(sizeString(1LL << 50), "1024.0 ТБайт");
        TEXT_ROW(speedString(100), "100 байт/с (800 бит/с)");
        TEXT_ROW(speedString(2048), "2.0 КБайт/с (16.0 Кбит/с)");
        TEXT_ROW(speedString(1LL << 37), "128.0 ГБайт/с (1.0 Тбит/с)");
        TEXT_ROW(speedStringBits(1LL << 17), "1.0 Мбит/с");
        TEXT_ROW(timeStringSec(-3), "-3 сек.");
        TEXT_ROW(timeStringSec(60), "1 м. 0 сек.");
        TEXT_ROW(timeStringSec(3599), "59 м. 59 сек.");
        TEXT_ROW(timeStringSec(3600), "1 ч. 0 м.");
        TEXT_ROW(timeStringSec(25 * 3600 + 7 * 60 + 5), "25 ч. 7 м.");
        TEXT_ROW(cut("abcdefgh", 4), "abcd...");
        TEXT_ROW(cut("abcdefg", 4), "abcdefg");
        TEXT_ROW(filterName("Привет, ЁЖ World 42! ü"), "приветёжworld42");
        TEXT_ROW(filterNotValidSymbols("\"<c>:\\/|?*a...b...."), "ca.b");
        QTest::newRow("declension") << Text([] {
            QString forms;
            for (int n : {1, 21, 101, 2, 4, 22, 104, 0, 5, 11, 12, 14, 19, 111, -1})
                forms += Global::declension(n, "1", "2", "3");
            return forms;
        }) << "111222233333333";
    }

    void texts()
    {
        QFETCH(Text, text);
        QFETCH(QString, expected);
        QCOMPARE(text(), expected);
    }

    // A path not there yet has the free space of its nearest existing
    // ancestor, also where the toolkit finds no mount table (a chroot).
    void diskFreeSpace_data()
    {
        QTest::addColumn<bool>("mountTableHidden");
        QTest::newRow("mount table") << false;
        QTest::newRow("no mount table") << true;
    }

    void diskFreeSpace()
    {
        QFETCH(bool, mountTableHidden);
        if (mountTableHidden && !TestSupport::isRerun()) {
            if (!TestSupport::isRoot())
                QSKIP("hiding the mount table needs root");
            QCOMPARE(TestSupport::rerunCurrentTest("mount --bind /dev/null /proc/$$/mountinfo && mount --bind /dev/null /proc/$$/mounts"), 0);
            return;
        }
        QTemporaryDir scratch;
        QCOMPARE(QStorageInfo(scratch.path()).isValid(), !mountTableHidden);
        struct statvfs status;
        QCOMPARE(statvfs(QFile::encodeName(scratch.path()).constData(), &status), 0);
        const qint64 reported = Global::diskFreeSpace(scratch.filePath(QStringLiteral("not/yet/there")));
        // Others may write to the same file system between the two looks.
        QVERIFY2(reported > 0 && qAbs(reported - qint64(status.f_bavail) * qint64(status.f_frsize)) < 256LL << 20,
                 qPrintable(QString::number(reported)));
    }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
