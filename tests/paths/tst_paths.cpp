#include "common/globalpaths.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/messagecollector.h"
#include "tests/support/unprivileged.h"

#include <QTemporaryDir>
#include <QtTest>

// Write access for everybody (owner included) on or off; reading and searching stay.
static bool setWritable(QString const &path, bool writable)
{
    return QFile::setPermissions(path, QFileDevice::Permissions(writable ? 0x7777 : 0x5555));
}

class TestPaths : public QObject
{
    Q_OBJECT

private slots:
    void init() { FakeInstallation::reset(); }

    void checkAccess_data()
    {
        QTest::addColumn<QString>("below");
        QTest::addColumn<bool>("parentWritable");
        QTest::addColumn<bool>("accessible");
        QTest::newRow("read-only") << "" << false << false;
        QTest::newRow("missing, created") << "a/b" << true << true;
        QTest::newRow("missing, not creatable") << "a" << false << false;
    }

    // Only a directory that cannot be made is worth a warning; a check leaves no probe file behind.
    void checkAccess()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(QString, below);
        QFETCH(bool, parentWritable);
        QFETCH(bool, accessible);
        QTemporaryDir scratch;
        QVERIFY(setWritable(scratch.path(), parentWritable));
        const QDir dir(QDir::cleanPath(scratch.filePath(below)));
        MessageCollector collector;
        QCOMPARE(Global::checkAccess(dir), accessible);
        setWritable(scratch.path(), true);
        MessageCollector::Messages expected;
        if (!accessible && !below.isEmpty())
            expected.append({QtWarningMsg, "Global::checkAccess: Не удалось создать каталог " + dir.absolutePath()});
        QCOMPARE(MessageCollector::messages, expected);
        QCOMPARE(dir.exists(), accessible || below.isEmpty());
        QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
