#include "common/globalpaths.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/messagecollector.h"
#include "tests/support/unprivileged.h"
#include "tests/support/writablepaths.h"

#include <QTemporaryDir>
#include <QtTest>

class TestPaths : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        makeTreeWritable(FakeInstallation::filePath("data"));
        FakeInstallation::reset();
    }

    // The row is named after the expected place in the installation, so wrong roots fail too.
    void layout_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::newRow("settings/settings.ini") << Global::internalSettingsFilePath();
        QTest::newRow("settings/channelCom.conf") << Global::channelComSettingsFilePath();
        QTest::newRow("settings/sounds") << Global::notificationsAudioDir().absolutePath();
        QTest::newRow("bin/channelSettingsPlugins") << Global::channelSettingsPluginsDir().absolutePath();
        QTest::newRow("emergecyPatch") << Global::emergecyPatchDir().absolutePath();
        QTest::newRow("data/12") << Global::dataSecrecyDir(12).absolutePath();
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

    void secrecyLevel_data()
    {
        QTest::addColumn<QList<int>>("writableLevels");
        QTest::addColumn<int>("level");
        QTest::newRow("all writable") << QList<int>{0, 1, 2, 3} << 0;
        QTest::newRow("only 2") << QList<int>{2} << 2;
        QTest::newRow("1 and 3") << QList<int>{1, 3} << 1;
        QTest::newRow("none") << QList<int>{} << 0;
    }

    void secrecyLevel()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(QList<int>, writableLevels);
        QFETCH(int, level);
        for (int each = 0; each <= 3; ++each) {
            QVERIFY(QDir().mkpath(Global::dataSecrecyDir(each).absolutePath()));
            QVERIFY(setWritable(Global::dataSecrecyDir(each).absolutePath(), writableLevels.contains(each)));
        }
        if (writableLevels.isEmpty())
            QTest::ignoreMessage(QtCriticalMsg, "Global: Error! Can not get current secrecy level.");
        QCOMPARE(Global::currentSecrecy(), level);
        for (int each = 0; each <= 3; ++each)
            QCOMPARE(Global::checkSecrecy(each), writableLevels.contains(each));
        makeTreeWritable(FakeInstallation::filePath("data"));
    }

    void checkAccess_data()
    {
        QTest::addColumn<QString>("below");
        QTest::addColumn<bool>("parentWritable");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<QString>("warning"); // %1: the directory tested
        QTest::newRow("read-only") << "" << false << false << "";
        QTest::newRow("missing, created") << "a/b" << true << true << "";
        QTest::newRow("missing, not creatable") << "a" << false << false
                                                << "Global::checkAccess: Не удалось создать каталог %1";
    }

    // A test leaves no probe file behind.
    void checkAccess()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(QString, below);
        QFETCH(bool, parentWritable);
        QFETCH(bool, accessible);
        QFETCH(QString, warning);
        QTemporaryDir scratch;
        QVERIFY(setWritable(scratch.path(), parentWritable));
        const QDir dir(QDir::cleanPath(scratch.filePath(below)));
        MessageCollector collector;
        QCOMPARE(Global::checkAccess(dir), accessible);
        setWritable(scratch.path(), true);
        MessageCollector::Messages expected;
        if (!warning.isEmpty())
            expected.append({QtWarningMsg, warning.arg(dir.absolutePath())});
        QCOMPARE(MessageCollector::messages, expected);
        QCOMPARE(dir.exists(), accessible || below.isEmpty());
        QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
