#include "common/csettings.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/settingsanswers.h"

#include <QtTest>

namespace {

const QString SettingsFile = QStringLiteral("settings/settings.ini");
const QVector<int> Defaults = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0x6666, 0x7777, 5000};

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init() { FakeInstallation::reset(); }

    // What a handle writes, and every missing key with its default, reach a new file
    // open to everybody when the handle goes; the next handle reads them.
    void freshInstallation()
    {
        {
            CSettings settings;
            settings.write(QStringLiteral("Debug/ipcData"), true);
            QVERIFY(!QFile::exists(FakeInstallation::filePath(SettingsFile)));
        }
        QCOMPARE(FakeInstallation::readFile(SettingsFile), QByteArray("[Debug]\nipcData=true\n"));
        QCOMPARE(int(QFile::permissions(FakeInstallation::filePath(SettingsFile))), 0x6666);
        QCOMPARE(int(QFile::permissions(FakeInstallation::filePath(QStringLiteral("settings")))), 0x7777);
        QVector<int> expected = Defaults;
        expected[1] = 1;
        QCOMPARE(settingsAnswers(), expected);
        QCOMPARE(QSettings(FakeInstallation::filePath(SettingsFile), QSettings::IniFormat).allKeys().size(), 24);
    }

    void storedValues_data()
    {
        QTest::addColumn<int>("index"); // in the order of settingsAnswers()
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("answer");

        QTest::newRow("switch list") << 17 << QByteArray("[Debug]\ntransportTasks=yes, no\n") << 0;
        QTest::newRow("file 0644") << 21 << QByteArray("[Permissions]\nfilePermissions=420\n") << 0x6666;
        QTest::newRow("dir above highest") << 22 << QByteArray("[Permissions]\ndirPermissions=30584\n") << 0x7777;
        QTest::newRow("time 99") << 23 << QByteArray("[Details]\nmaxWritingTime=99\n") << 5000;
        QTest::newRow("time 100") << 23 << QByteArray("[Details]\nmaxWritingTime=100\n") << 100;
        QTest::newRow("time 10000") << 23 << QByteArray("[Details]\nmaxWritingTime=10000\n") << 10000;
    }

    // A switch is never written back; a number out of range is replaced by its default.
    void storedValues()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, stored);
        QFETCH(int, answer);

        QVERIFY(FakeInstallation::writeFile(SettingsFile, stored));
        QCOMPARE(settingsAnswers().at(index), answer);
        const QByteArray line = stored.mid(stored.indexOf('\n'));
        const QByteArray kept = stored.startsWith("[Debug]") ? line : line.left(line.indexOf('=') + 1) + QByteArray::number(answer) + '\n';
        QVERIFY(FakeInstallation::readFile(SettingsFile).contains(kept));
    }

    // The file is read again only when its time changed.
    void changeByAnotherProcess()
    {
        const QDateTime modified = QDateTime::currentDateTime().addDays(-2);
        QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=300\n", modified));
        QCOMPARE(CSettings().detailsMaxWritingTime(), 300);
        QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=700\n", modified));
        QCOMPARE(CSettings().detailsMaxWritingTime(), 300);
        QVERIFY(FakeInstallation::writeFile(SettingsFile, "[Details]\nmaxWritingTime=700\n"));
        QCOMPARE(CSettings().detailsMaxWritingTime(), 700);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
