#include "common/globalnaming.h"

#include <QTemporaryDir>
#include <QtTest>

using Naming = QString (*)(QDir const &);
Q_DECLARE_METATYPE(Naming)

class TestNaming : public QObject
{
    Q_OBJECT

private slots:
    void names_data()
    {
        QTest::addColumn<Naming>("next");
        QTest::addColumn<QStringList>("before");  // a name ending in a slash is a directory
        QTest::addColumn<int>("takenBetween");    // numbers 2 to this made after the first call: not listed again
        QTest::addColumn<QStringList>("names");   // of the first call, then of two more

        const Naming message = &Global::nextMessageDirName;
        const Naming task = &Global::nextTaskFileName;
        QTest::newRow("message, seven and notes") << message << QStringList{"00000007/", "notes/", "00000020"} << 0
                                                  << QStringList{"00000008", "00000009", "00000010"};
        QTest::newRow("message, nine digits") << message << QStringList{"99999999/"} << 0 << QStringList{"100000000", "100000001", "100000002"};
        QTest::newRow("message, the hundredth try is free") << message << QStringList() << 100 << QStringList{"00000001", "00000101", "00000102"};
        QTest::newRow("message, a hundred taken") << message << QStringList() << 101 << QStringList{"00000001", "", ""};
        QTest::newRow("task, last by name is abc") << task << QStringList{"00000041.task", "abc.task"} << 0
                                                   << QStringList{"00000001.task", "00000002.task", "00000003.task"};
        QTest::newRow("task, forty-one") << task << QStringList{"00000041.task"} << 0
                                                    << QStringList{"00000042.task", "00000043.task", "00000044.task"};
    }

    void names()
    {
        QFETCH(Naming, next);
        QFETCH(QStringList, before);
        QFETCH(int, takenBetween);
        QFETCH(QStringList, names);

        QTemporaryDir scratch;
        const QDir dir(scratch.path());
        for (QString const &name : before)
            QVERIFY(name.endsWith(QLatin1Char('/')) ? dir.mkdir(name) : QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        QStringList seen{next(dir)};
        for (int number = 2; number <= takenBetween; ++number)
            QVERIFY(dir.mkdir(QStringLiteral("%1").arg(number, 8, 10, QLatin1Char('0'))));
        seen << next(dir) << next(dir);
        QCOMPARE(seen, names);
    }
};

QTEST_GUILESS_MAIN(TestNaming)
#include "tst_naming.moc"
