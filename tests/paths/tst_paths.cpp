#include "common/globalpaths.h"
#include "tests/support/messagecollector.h"
#include "tests/support/unprivileged.h"
#include "tests/support/writablepaths.h"

#include <QCoreApplication>
#include <QFile>
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
    void init();
    void cleanup();

    void installationRoots();
    void layout_data();
    void layout();

    void secrecyLevel_data();
    void secrecyLevel();

    void checkAccessOfReadOnlyDir();
    void checkAccessCreatesMissingDir();
    void checkAccessOfUncreatableDir();

    void emergecyExitFlag();

private:
    QString dataPath() const { return fakeInstallPath() + QStringLiteral("/data"); }
};

void TestPaths::init()
{
    makeTreeWritable(dataPath());
    QDir(dataPath()).removeRecursively();
    QDir(fakeInstallPath() + QStringLiteral("/settings")).removeRecursively();
}

void TestPaths::cleanup()
{
    makeTreeWritable(dataPath());
}

void TestPaths::installationRoots()
{
    QCOMPARE(Global::applicationDir().absolutePath(), QCoreApplication::applicationDirPath());
    QCOMPARE(Global::applicationDir().dirName(), QStringLiteral("bin"));
    QVERIFY(Global::installDir().isAbsolute());
    QCOMPARE(Global::installDir().absolutePath(), fakeInstallPath());
    QCOMPARE(Global::installDir().dirName(), QStringLiteral("tst_paths"));
}

void TestPaths::layout_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("relative");

    QTest::newRow("settings dir") << Global::settingsDir().absolutePath() << "settings";
    QTest::newRow("internal settings") << Global::internalSettingsFilePath() << "settings/settings.ini";
    QTest::newRow("general settings") << Global::generalSettingsFilePath() << "settings/generalSettings.ini";
    QTest::newRow("ui settings") << Global::uiSettingsFilePath() << "settings/ui.ini";
    QTest::newRow("secrecy settings") << Global::secrecySettingsFilePath() << "settings/secrecy.conf";
    QTest::newRow("titles settings") << Global::titlesSettingsFilePath() << "settings/titles.conf";
    QTest::newRow("auto deletion") << Global::autoDeletionSettingsFilePath() << "settings/autoDeletion.conf";
    QTest::newRow("notifications") << Global::notificationsSettingsFilePath() << "settings/notifications.conf";
    QTest::newRow("channels enabled") << Global::channelEnableSettingsFilePath() << "settings/channels.conf";
    QTest::newRow("channel ip") << Global::channelIpSettingsFilePath() << "settings/channelIp.conf";
    QTest::newRow("channel com") << Global::channelComSettingsFilePath() << "settings/channelCom.conf";
    QTest::newRow("channel dedicated") << Global::channelDedicatedSettingsFilePath()
                                       << "settings/channelDedicated.conf";
    QTest::newRow("abonents") << Global::abonentsSettingsFilePath() << "settings/abonents.conf";
    QTest::newRow("groups") << Global::groupsSettingsFilePath() << "settings/groups.conf";
    QTest::newRow("sounds") << Global::notificationsAudioDir().absolutePath() << "settings/sounds";

    QTest::newRow("messages plugins") << Global::messagesPluginsDir().absolutePath() << "bin/messagesPlugins";
    QTest::newRow("settings plugins") << Global::settingsPluginsDir().absolutePath() << "bin/settingsPlugins";
    QTest::newRow("channel settings plugins") << Global::channelSettingsPluginsDir().absolutePath()
                                              << "bin/channelSettingsPlugins";
    QTest::newRow("notification plugins") << Global::notificationPluginsDir().absolutePath()
                                          << "bin/notificationPlugins";
    QTest::newRow("channel plugins") << Global::channelPluginsDir().absolutePath() << "bin/channelPlugins";
    QTest::newRow("window plugins") << Global::windowPluginsDir().absolutePath() << "bin/windowPlugins";

    QTest::newRow("emergecy patch") << Global::emergecyPatchDir().absolutePath() << "emergecyPatch";
    QTest::newRow("data") << Global::dataDir().absolutePath() << "data";
    QTest::newRow("data level 3") << Global::dataSecrecyDir(3).absolutePath() << "data/3";
    QTest::newRow("data level 12") << Global::dataSecrecyDir(12).absolutePath() << "data/12";
    QTest::newRow("abonents states") << Global::abonentsStatesFilePath() << "data/0/abonents.states";
    QTest::newRow("log level 3") << Global::logDir(3).absolutePath() << "data/3/log";
    QTest::newRow("journals") << Global::journalsFilePath(1) << "data/1/journals_2.2.db";
    QTest::newRow("journals render") << Global::journalsRenderDir(2).absolutePath() << "data/2/journalsRender";
    QTest::newRow("messages") << Global::messagesDir(0).absolutePath() << "data/0/messages";
    QTest::newRow("input") << Global::inputMessagesDir(1).absolutePath() << "data/1/messages/input";
    QTest::newRow("output") << Global::outputMessagesDir(2).absolutePath() << "data/2/messages/output";
    QTest::newRow("draft") << Global::draftMessagesDir(3).absolutePath() << "data/3/messages/draft";
    QTest::newRow("incomplete") << Global::incompleteMessagesDir(0).absolutePath() << "data/0/messages/incomplete";
    QTest::newRow("transit") << Global::transitMessagesDir(1).absolutePath() << "data/1/messages/transit";
    QTest::newRow("tasks") << Global::tasksDir(2).absolutePath() << "data/2/tasks";
    QTest::newRow("tasks to interface") << Global::tasksToInterfaceDir(3).absolutePath()
                                        << "data/3/tasks/toInterface";
    QTest::newRow("tasks to transport") << Global::tasksToTransportDir(0).absolutePath()
                                        << "data/0/tasks/toTransport";
}

void TestPaths::layout()
{
    QFETCH(QString, actual);
    QFETCH(QString, relative);
    QCOMPARE(actual, fakeInstallPath() + QLatin1Char('/') + relative);
    QVERIFY2(!QFileInfo::exists(actual), "path functions create nothing");
}

void TestPaths::secrecyLevel_data()
{
    QTest::addColumn<QList<int>>("writableLevels");
    QTest::addColumn<int>("level");

    QTest::newRow("all writable") << QList<int>{0, 1, 2, 3} << 0;
    QTest::newRow("only 2") << QList<int>{2} << 2;
    QTest::newRow("1 and 3") << QList<int>{1, 3} << 1;
    QTest::newRow("only 3") << QList<int>{3} << 3;
    QTest::newRow("none") << QList<int>{} << 0;
}

void TestPaths::secrecyLevel()
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

void TestPaths::checkAccessOfReadOnlyDir()
{
    RUN_AS_UNPRIVILEGED_USER();
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QVERIFY(setWritable(scratch.path(), false));

    bool accessible = true;
    {
        MessageCollector collector;
        accessible = Global::checkAccess(QDir(scratch.path()));
    }
    setWritable(scratch.path(), true);
    QVERIFY(!accessible);
    QCOMPARE(MessageCollector::messages.size(), 0);
}

void TestPaths::checkAccessCreatesMissingDir()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QDir missing(scratch.filePath(QStringLiteral("a/b")));

    QVERIFY(Global::checkAccess(missing));
    QVERIFY(missing.exists());
    QCOMPARE(missing.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QStringList());
}

void TestPaths::checkAccessOfUncreatableDir()
{
    RUN_AS_UNPRIVILEGED_USER();
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QVERIFY(setWritable(scratch.path(), false));
    const QString missing = scratch.filePath(QStringLiteral("a"));

    bool accessible = true;
    {
        MessageCollector collector;
        accessible = Global::checkAccess(QDir(missing));
    }
    setWritable(scratch.path(), true);
    QVERIFY(!accessible);
    QCOMPARE(MessageCollector::messages.size(), 1);
    QCOMPARE(MessageCollector::messages.first().first, QtWarningMsg);
    QCOMPARE(MessageCollector::messages.first().second,
             QStringLiteral("Global::checkAccess: Не удалось создать каталог ") + missing);
}

void TestPaths::emergecyExitFlag()
{
    QCOMPARE(Global::isEmergecyExit(), false);
    Global::setEmergecyExit(true);
    QCOMPARE(Global::isEmergecyExit(), true);
    Global::setEmergecyExit(false);
    QCOMPARE(Global::isEmergecyExit(), false);
}

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
