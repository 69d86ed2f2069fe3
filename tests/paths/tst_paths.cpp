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

    // The row is named after the expected place in the installation, so wrong roots fail too.
    // The settings, the log and the levels' directories are found by the tests that use them.
    void layout_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::newRow("settings/sounds") << Global::notificationsAudioDir().absolutePath();
        QTest::newRow("bin/channelSettingsPlugins") << Global::channelSettingsPluginsDir().absolutePath();
        QTest::newRow("emergecyPatch") << Global::emergecyPatchDir().absolutePath();
        QTest::newRow("data/0/abonents.states") << Global::abonentsStatesFilePath();
        QTest::newRow("data/3/log") << Global::logDir(3).absolutePath();
        QTest::newRow("data/1/messages/input") << Global::inputMessagesDir(1).absolutePath();
        QTest::newRow("data/3/tasks/toInterface") << Global::tasksToInterfaceDir(3).absolutePath();
    }

    void layout()
    {
        QFETCH(QString, actual);
        QCOMPARE(actual, FakeInstallation::filePath(QString::fromLatin1(QTest::currentDataTag())));
        QVERIFY2(!QFileInfo::exists(actual), "path functions create nothing");
    }

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
