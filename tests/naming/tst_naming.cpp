#include "common/globalnaming.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using Naming = QString (*)(QDir const &);
Q_DECLARE_METATYPE(Naming)

namespace {

const Naming message = &Global::nextMessageDirName;
const Naming task = &Global::nextTaskFileName;
// Stands for the fallback task file name with its random number.
const QString RandomTask = QStringLiteral("_?.task");

// A name ending in a slash is made a directory, any other an empty file.
void make(QDir const &dir, QStringList const &names)
{
    for (QString const &name : names) {
        QFile file(dir.filePath(name));
        QVERIFY(name.endsWith(QLatin1Char('/')) ? dir.mkdir(name) : file.open(QIODevice::WriteOnly));
    }
}

QStringList numbered(int first, int last, QString const &suffix)
{
    QStringList names;
    for (int number = first; number <= last; ++number)
        names << QStringLiteral("%1%2").arg(number, 8, 10, QLatin1Char('0')).arg(suffix);
    return names;
}

void expectName(QString const &name, QString const &expected)
{
    if (expected == RandomTask)
        QVERIFY2(QRegularExpression(QStringLiteral("^_\\d+\\.task$")).match(name).hasMatch(), qPrintable(name));
    else
        QCOMPARE(name, expected);
}

} // namespace

class TestNaming : public QObject
{
    Q_OBJECT

private slots:
    // The cache keys are checked with relative paths, relative to the scratch directory.
    void initTestCase() { QVERIFY(scratch.isValid() && QDir::setCurrent(scratch.path())); }

    void names_data()
    {
        QTest::addColumn<Naming>("next");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QStringList>("between"); // made after the first call: the directory is not listed again
        QTest::addColumn<QStringList>("then");

        const QStringList none;
        QTest::newRow("message, empty") << message << none << "00000001" << QStringList{"00000002/", "00000050/"}
                                        << QStringList{"00000003"};
        QTest::newRow("message, seven and notes") << message << QStringList{"00000007/", "notes/"} << "00000008"
                                                  << none << QStringList{"00000009"};
        QTest::newRow("message, last matching name counts")
            << message << QStringList{"00000003/", "00000012/", "0000099/", "123456789/", "x00000050/"} << "00000013"
            << none << QStringList{"00000014"};
        QTest::newRow("message, files not listed but taken") << message << QStringList{"00000002/", "00000040"}
                                                             << "00000003" << QStringList{"00000004"}
                                                             << QStringList{"00000005"};
        QTest::newRow("message, nine digits") << message << QStringList{"99999999/"} << "100000000" << none
                                              << QStringList{"100000001"};
        QTest::newRow("message, the hundredth try is free") << message << none << "00000001"
                                                            << numbered(2, 100, "/")
                                                            << QStringList{"00000101", "00000102"};
        // A search that finds nothing leaves the cache as it was.
        QTest::newRow("message, a hundred taken") << message << none << "00000001" << numbered(2, 101, "/")
                                                  << QStringList{"", ""};
        QTest::newRow("task, empty") << task << none << "00000001.task" << none << QStringList{"00000002.task"};
        QTest::newRow("task, forty-one") << task << QStringList{"00000041.task"} << "00000042.task"
                                         << QStringList{"00000050.task"} << QStringList{"00000043.task"};
        QTest::newRow("task, last by name is abc") << task << QStringList{"00000003.task", "abc.task"}
                                                   << "00000001.task" << none << QStringList{"00000002.task"};
        QTest::newRow("task, other suffixes") << task << QStringList{"00000002.task", "00000009.txt"}
                                              << "00000003.task" << none << QStringList{"00000004.task"};
        QTest::newRow("task, nine digits") << task << QStringList{"123456789.task"} << "123456790.task" << none
                                           << QStringList{"123456791.task"};
        QTest::newRow("task, the 99th try is free") << task << none << "00000001.task" << numbered(2, 99, ".task")
                                                    << QStringList{"00000100.task", "00000101.task"};
        QTest::newRow("task, 99 taken") << task << none << "00000001.task" << numbered(2, 100, ".task")
                                        << QStringList{RandomTask, RandomTask};
    }

    void names()
    {
        QFETCH(Naming, next);
        QFETCH(QStringList, before);
        QFETCH(QString, first);
        QFETCH(QStringList, between);
        QFETCH(QStringList, then);

        const QDir dir = freshDir();
        make(dir, before);
        QCOMPARE(next(dir), first);
        QVERIFY2(!dir.exists(first), "nothing is created");
        make(dir, between);
        for (QString const &expected : then)
            expectName(next(dir), expected);
    }

    void cacheKey_data()
    {
        QTest::addColumn<Naming>("next");
        QTest::addColumn<QStringList>("absoluteRelativeAbsolute");

        QTest::newRow("message: absolute path") << message << QStringList{"00000001", "00000002", "00000003"};
        QTest::newRow("task: path as given") << task << QStringList{"00000001.task", "00000001.task", "00000002.task"};
    }

    void cacheKey()
    {
        QFETCH(Naming, next);
        QFETCH(QStringList, absoluteRelativeAbsolute);

        const QDir dir = freshDir();
        const QDir relative(dir.dirName());
        QVERIFY(relative.isRelative());
        QCOMPARE(QStringList({next(dir), next(relative), next(dir)}), absoluteRelativeAbsolute);
    }

private:
    QTemporaryDir scratch;
    int dirCount = 0;

    // Every row needs a directory of its own: the caches live for the whole process.
    QDir freshDir()
    {
        const QString name = QStringLiteral("dir%1").arg(++dirCount);
        QDir(scratch.path()).mkdir(name);
        return QDir(scratch.filePath(name));
    }
};

QTEST_GUILESS_MAIN(TestNaming)
#include "tst_naming.moc"
