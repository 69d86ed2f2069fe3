#include "common/globalpaths.h"
#include "tests/support/messagecollector.h"
#include "tests/support/unprivileged.h"
#include "tests/support/writablepaths.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString fakeInstallPath()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/.."));
}

} // namespace

class TestPaths : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        makeTreeWritable(dataPath());
        QDir(dataPath()).removeRecursively();
        QDir(fakeInstallPath() + QStringLiteral("/settings")).removeRecursively();
    }

    void cleanup()
    {
        makeTreeWritable(dataPath());
    }

    void layout_data()
    {
        QTest::addColumn<QString>("actual"); // the row is named after the expected place in the installation

        QTest::newRow("settings") << Global::settingsDir().absolutePath();
        QTest::newRow("settings/settings.ini") << Global::internalSettingsFilePath();
        QTest::newRow("settings/generalSettings.ini") << Global::generalSettingsFilePath();
        QTest::newRow("settings/ui.ini") << Global::uiSettingsFilePath();
        QTest::newRow("settings/secrecy.conf") << Global::secrecySettingsFilePath();
        QTest::newRow("settings/titles.conf") << Global::titlesSettingsFilePath();
        QTest::newRow("settings/autoDeletion.conf") << Global::autoDeletionSettingsFilePath();
        QTest::newRow("settings/notifications.conf") << Global::notificationsSettingsFilePath();
        QTest::newRow("settings/channels.conf") << Global::channelEnableSettingsFilePath();
        QTest::newRow("settings/channelIp.conf") << Global::channelIpSettingsFilePath();
        QTest::newRow("settings/channelCom.conf") << Global::channelComSettingsFilePath();
        QTest::newRow("settings/channelDedicated.conf") << Global::channelDedicatedSettingsFilePath();
        QTest::newRow("settings/abonents.conf") << Global::abonentsSettingsFilePath();
        QTest::newRow("settings/groups.conf") << Global::groupsSettingsFilePath();
        QTest::newRow("settings/sounds") << Global::notificationsAudioDir().absolutePath();
        QTest::newRow("bin/messagesPlugins") << Global::messagesPluginsDir().absolutePath();
        QTest::newRow("bin/settingsPlugins") << Global::settingsPluginsDir().absolutePath();
        QTest::newRow("bin/channelSettingsPlugins") << Global::channelSettingsPluginsDir().absolutePath();
        QTest::newRow("bin/notificationPlugins") << Global::notificationPluginsDir().absolutePath();
        QTest::newRow("bin/channelPlugins") << Global::channelPluginsDir().absolutePath();
        QTest::newRow("bin/windowPlugins") << Global::windowPluginsDir().absolutePath();
        QTest::newRow("emergecyPatch") << Global::emergecyPatchDir().absolutePath();
        QTest::newRow("data") << Global::dataDir().absolutePath();
        QTest::newRow("data/3") << Global::dataSecrecyDir(3).absolutePath();
        QTest::newRow("data/12") << Global::dataSecrecyDir(12).absolutePath();
        QTest::newRow("data/0/abonents.states") << Global::abonentsStatesFilePath();
        QTest::newRow("data/3/log") << Global::logDir(3).absolutePath();
        QTest::newRow("data/1/journals_2.2.db") << Global::journalsFilePath(1);
        QTest::newRow("data/2/journalsRender") << Global::journalsRenderDir(2).absolutePath();
        QTest::newRow("data/0/messages") << Global::messagesDir(0).absolutePath();
        QTest::newRow("data/1/messages/input") << Global::inputMessagesDir(1).absolutePath();
        QTest::newRow("data/2/messages/output") << Global::outputMessagesDir(2).absolutePath();
        QTest::newRow("data/3/messages/draft") << Global::draftMessagesDir(3).absolutePath();
        QTest::newRow("data/0/messages/incomplete") << Global::incompleteMessagesDir(0).absolutePath();
        QTest::newRow("data/1/messages/transit") << Global::transitMessagesDir(1).absolutePath();
        QTest::newRow("data/2/tasks") << Global::tasksDir(2).absolutePath();
        QTest::newRow("data/3/tasks/toInterface") << Global::tasksToInterfaceDir(3).absolutePath();
        QTest::newRow("data/0/tasks/toTransport") << Global::tasksToTransportDir(0).absolutePath();
    }

    // Every place is compared as an absolute path, so wrong roots fail here too.
    void layout()
    {
        QFETCH(QString, actual);
        QCOMPARE(actual, fakeInstallPath() + QLatin1Char('/') + QLatin1String(QTest::currentDataTag()));
        QVERIFY2(!QFileInfo::exists(actual), "path functions create nothing");
    }

    void secrecyLevel_data()
    {
        QTest::addColumn<QList<int>>("writableLevels");
        QTest::addColumn<int>("level");

        QTest::newRow("all writable") << QList<int>{0, 1, 2, 3} << 0;
        QTest::newRow("only 2") << QList<int>{2} << 2;
        QTest::newRow("1 and 3") << QList<int>{1, 3} << 1;
        QTest::newRow("only 3") << QList<int>{3} << 3;
        QTest::newRow("none") << QList<int>{} << 0;
    }

    void secrecyLevel()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(QList<int>, writableLevels);
        QFETCH(int, level);

        for (int each = 0; each <= 3; ++each) {
            const QString path = Global::dataSecrecyDir(each).absolutePath();
            QVERIFY(QDir().mkpath(path));
            QVERIFY(setWritable(path, writableLevels.contains(each)));
        }
        if (writableLevels.isEmpty())
            QTest::ignoreMessage(QtCriticalMsg, "Global: Error! Can not get current secrecy level.");
        QCOMPARE(Global::currentSecrecy(), level);
        for (int each = 0; each <= 3; ++each)
            QCOMPARE(Global::checkSecrecy(each), writableLevels.contains(each));
    }

    void checkAccess_data()
    {
        QTest::addColumn<QString>("below");
        QTest::addColumn<bool>("parentWritable");
        QTest::addColumn<bool>("accessible");
        QTest::addColumn<QString>("warning"); // %1: the directory tested

        QTest::newRow("read-only") << "" << false << false << "";
        QTest::newRow("missing, created") << "a/b" << true << true << "";
        QTest::newRow("missing, not creatable")
            << "a" << false << false << "Global::checkAccess: Не удалось создать каталог %1";
    }

    void checkAccess()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(QString, below);
        QFETCH(bool, parentWritable);
        QFETCH(bool, accessible);
        QFETCH(QString, warning);

        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        QVERIFY(setWritable(scratch.path(), parentWritable));
        const QDir dir(QDir::cleanPath(scratch.filePath(below)));
        MessageCollector collector;
        const bool result = Global::checkAccess(dir);
        setWritable(scratch.path(), true);
        QCOMPARE(result, accessible);
        MessageCollector::Messages expected;
        if (!warning.isEmpty())
            expected.append({QtWarningMsg, warning.arg(dir.absolutePath())});
        QCOMPARE(MessageCollector::messages, expected);
        QCOMPARE(dir.exists(), accessible || below.isEmpty());
        if (accessible)
            QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                     QStringList());
    }

private:
    QString dataPath() const { return fakeInstallPath() + QStringLiteral("/data"); }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
