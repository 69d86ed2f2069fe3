#include "common/globalnaming.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void makeDirs(QDir const &dir, QStringList const &names)
{
    for (QString const &name : names)
        QVERIFY(dir.mkdir(name));
}

void makeFiles(QDir const &dir, QStringList const &names)
{
    for (QString const &name : names) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
}

QStringList numbered(int first, int last, QString const &suffix = QString())
{
    QStringList names;
    for (int number = first; number <= last; ++number)
        names << QStringLiteral("%1%2").arg(number, 8, 10, QLatin1Char('0')).arg(suffix);
    return names;
}

} // namespace

class TestNaming : public QObject
{
    Q_OBJECT

private slots:
    void firstMessageDirName_data();
    void firstMessageDirName();
    void messageDirCacheMovesOn();
    void messageDirSearchLimit_data();
    void messageDirSearchLimit();
    void messageDirKeyIsAbsolute();

    void firstTaskFileName_data();
    void firstTaskFileName();
    void taskFileListedOnce();
    void taskFileSearchLimit_data();
    void taskFileSearchLimit();
    void taskFileKeyIsThePathAsGiven();

private:
    QTemporaryDir scratch;
    int dirCount = 0;
    QDir freshDir();
};

// Every test needs a directory of its own: the caches live for the whole process.
QDir TestNaming::freshDir()
{
    const QString name = QStringLiteral("dir%1").arg(++dirCount);
    QDir(scratch.path()).mkdir(name);
    return QDir(scratch.filePath(name));
}

void TestNaming::firstMessageDirName_data()
{
    QTest::addColumn<QStringList>("dirs");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("name");

    QTest::newRow("empty") << QStringList() << QStringList() << "00000001";
    QTest::newRow("seven and notes") << QStringList{"00000007", "notes"} << QStringList() << "00000008";
    QTest::newRow("last matching name counts")
        << QStringList{"00000003", "00000012", "0000099", "123456789", "x00000050"} << QStringList() << "00000013";
    QTest::newRow("files are not listed") << QStringList{"00000002"} << QStringList{"00000040"} << "00000003";
    QTest::newRow("a file takes the name") << QStringList{"00000002"} << QStringList{"00000003"} << "00000004";
    QTest::newRow("nine digits") << QStringList{"99999999"} << QStringList() << "100000000";
}

void TestNaming::firstMessageDirName()
{
    QFETCH(QStringList, dirs);
    QFETCH(QStringList, files);
    QFETCH(QString, name);

    const QDir dir = freshDir();
    makeDirs(dir, dirs);
    makeFiles(dir, files);
    QCOMPARE(Global::nextMessageDirName(dir), name);
    QVERIFY2(!dir.exists(name), "nothing is created");
}

void TestNaming::messageDirCacheMovesOn()
{
    const QDir dir = freshDir();
    QCOMPARE(Global::nextMessageDirName(dir), QStringLiteral("00000001"));
    QCOMPARE(Global::nextMessageDirName(dir), QStringLiteral("00000002"));
    makeDirs(dir, {QStringLiteral("00000003"), QStringLiteral("00000050")});
    QCOMPARE(Global::nextMessageDirName(dir), QStringLiteral("00000004"));
}

void TestNaming::messageDirSearchLimit_data()
{
    QTest::addColumn<int>("lastTaken");
    QTest::addColumn<QString>("name");

    QTest::newRow("the hundredth try is free") << 104 << "00000105";
    QTest::newRow("a hundred taken") << 105 << "";
}

void TestNaming::messageDirSearchLimit()
{
    QFETCH(int, lastTaken);
    QFETCH(QString, name);

    const QDir dir = freshDir();
    for (int call = 0; call < 5; ++call)
        Global::nextMessageDirName(dir);
    makeDirs(dir, numbered(6, lastTaken));

    QCOMPARE(Global::nextMessageDirName(dir), name);
    // A failed search leaves the cache at 5, so a freed name right after it is found.
    QVERIFY(dir.rmdir(QStringLiteral("00000006")));
    QCOMPARE(Global::nextMessageDirName(dir), name.isEmpty() ? QStringLiteral("00000006") : QStringLiteral("00000106"));
}

void TestNaming::messageDirKeyIsAbsolute()
{
    const QDir dir = freshDir();
    const QString savedCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(scratch.path()));
    const QDir relative(dir.dirName());
    const QString first = Global::nextMessageDirName(dir);
    const QString second = Global::nextMessageDirName(relative);
    QDir::setCurrent(savedCurrent);

    QVERIFY(relative.isRelative());
    QCOMPARE(first, QStringLiteral("00000001"));
    QCOMPARE(second, QStringLiteral("00000002"));
}

void TestNaming::firstTaskFileName_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("name");

    QTest::newRow("empty") << QStringList() << "00000001.task";
    QTest::newRow("forty-one") << QStringList{"00000041.task"} << "00000042.task";
    QTest::newRow("last by name is abc") << QStringList{"00000003.task", "abc.task"} << "00000001.task";
    QTest::newRow("other suffixes ignored") << QStringList{"00000002.task", "00000009.txt"} << "00000003.task";
    QTest::newRow("nine digits") << QStringList{"123456789.task"} << "123456790.task";
}

void TestNaming::firstTaskFileName()
{
    QFETCH(QStringList, files);
    QFETCH(QString, name);

    const QDir dir = freshDir();
    makeFiles(dir, files);
    QCOMPARE(Global::nextTaskFileName(dir), name);
    QVERIFY2(!dir.exists(name), "nothing is created");
}

void TestNaming::taskFileListedOnce()
{
    const QDir dir = freshDir();
    makeFiles(dir, {QStringLiteral("00000041.task")});
    QCOMPARE(Global::nextTaskFileName(dir), QStringLiteral("00000042.task"));
    makeFiles(dir, {QStringLiteral("00000050.task")});
    QCOMPARE(Global::nextTaskFileName(dir), QStringLiteral("00000043.task"));
}

void TestNaming::taskFileSearchLimit_data()
{
    QTest::addColumn<int>("lastTaken");
    QTest::addColumn<bool>("numbered");

    QTest::newRow("the 99th try is free") << 99 << true;
    QTest::newRow("99 taken") << 100 << false;
}

void TestNaming::taskFileSearchLimit()
{
    QFETCH(int, lastTaken);
    QFETCH(bool, numbered);

    const QDir dir = freshDir();
    QCOMPARE(Global::nextTaskFileName(dir), QStringLiteral("00000001.task"));
    makeFiles(dir, ::numbered(2, lastTaken, QStringLiteral(".task")));

    const QString name = Global::nextTaskFileName(dir);
    if (numbered) {
        QCOMPARE(name, QStringLiteral("00000100.task"));
    } else {
        QVERIFY2(QRegularExpression(QStringLiteral("^_\\d+\\.task$")).match(name).hasMatch(), qPrintable(name));
        // The fallback leaves the cache at 1.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("00000002.task"))));
        QCOMPARE(Global::nextTaskFileName(dir), QStringLiteral("00000002.task"));
    }
}

void TestNaming::taskFileKeyIsThePathAsGiven()
{
    const QDir dir = freshDir();
    const QString savedCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(scratch.path()));
    const QDir relative(dir.dirName());
    const QString first = Global::nextTaskFileName(dir);
    const QString second = Global::nextTaskFileName(relative);
    const QString third = Global::nextTaskFileName(dir);
    QDir::setCurrent(savedCurrent);

    QCOMPARE(first, QStringLiteral("00000001.task"));
    QCOMPARE(second, QStringLiteral("00000001.task"));
    QCOMPARE(third, QStringLiteral("00000002.task"));
}

QTEST_GUILESS_MAIN(TestNaming)
#include "tst_naming.moc"
