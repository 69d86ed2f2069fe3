// Safe saving that succeeds, timed writes and permissions of new directories;
// failures are proved by injected faults (tests/faults) and neighbours' objects.
#include "common/globalpaths.h"
#include "common/globalsaving.h"
#include "tests/support/messagecollector.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

// The system derives the current-user bits from the others; they are not compared.
int permissionsOf(QString const &path)
{
    return int(QFile::permissions(path) & 0xF0FF);
}

QString installPath()
{
    return Global::installDir().absolutePath();
}

// A null content leaves the path alone.
bool writeFile(QString const &path, QByteArray const &content)
{
    QFile file(path);
    return content.isNull() || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

// Takes a fixed number of bytes per call, fails at one call and closes itself after another.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(qint64 bytesPerCall, int failingCall, int closingCall)
        : bytesPerCall(bytesPerCall), failingCall(failingCall), closingCall(closingCall)
    {
        open(QIODevice::WriteOnly);
    }
    bool isSequential() const override { return true; }
    QByteArray received;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (++calls == failingCall)
            return -1;
        const qint64 taken = qMin(size, bytesPerCall);
        received.append(data, int(taken));
        if (calls == closingCall)
            close();
        return taken;
    }

private:
    const qint64 bytesPerCall;
    const int failingCall;
    const int closingCall;
    int calls = 0;
};

} // namespace

class TestSafeSaving : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ::umask(022); }

    void saves_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("leftOverNew");
        QTest::addColumn<QByteArray>("leftOverOld");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("dirPermissions"); // an existing directory keeps its own

        const QByteArray none;
        const QByteArray old("old content");
        QTest::newRow("new file") << "file" << none << none << none << QByteArray("first") << 0x7000;
        QTest::newRow("empty over a file") << "file" << old << none << none << QByteArray("") << 0x7000;
        QTest::newRow("left-overs") << "file" << old << QByteArray("a longer half-written rest") << QByteArray("older")
                                    << QByteArray(4096, 'x') << 0x7000;
        QTest::newRow("missing directory") << "a/b/file" << none << none << none << QByteArray("data") << 0x7077;
    }

    void saves()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, leftOverNew);
        QFETCH(QByteArray, leftOverOld);
        QFETCH(QByteArray, data);
        QFETCH(int, dirPermissions);

        QTemporaryDir scratch;
        QVERIFY(QFile::setPermissions(scratch.path(), QFileDevice::Permissions(0x7700)));
        const QString path = scratch.filePath(name);
        QVERIFY(writeFile(path, target) && writeFile(path + ".new", leftOverNew) && writeFile(path + ".old", leftOverOld));
        MessageCollector collector;
        QCOMPARE(Global::safeSaving(path, data), QString());
        QCOMPARE(MessageCollector::messages, MessageCollector::Messages());
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), data);
        QCOMPARE(permissionsOf(path), 0x6066);
        QCOMPARE(permissionsOf(QFileInfo(path).absolutePath()), dirPermissions);
        QVERIFY(!QFileInfo::exists(path + ".new") && !QFileInfo::exists(path + ".old"));
    }

    void writeData_data()
    {
        QTest::addColumn<qint64>("bytesPerCall");
        QTest::addColumn<int>("failingCall");
        QTest::addColumn<int>("closingCall");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("written");

        QTest::newRow("trickling, no limit") << qint64(3) << 0 << 0 << -1 << true;
        QTest::newRow("first call fails") << qint64(3) << 1 << 0 << -1 << false;
        QTest::newRow("a later call fails") << qint64(0) << 6 << 0 << -1 << false;
        QTest::newRow("closed while writing") << qint64(1) << 0 << 4 << -1 << false;
        QTest::newRow("stalled past the limit") << qint64(0) << 0 << 0 << 20 << false;
    }

    void writeData()
    {
        QFETCH(qint64, bytesPerCall);
        QFETCH(int, failingCall);
        QFETCH(int, closingCall);
        QFETCH(int, limit);
        QFETCH(bool, written);

        const QByteArray data("twenty bytes of data");
        TrickleDevice device(bytesPerCall, failingCall, closingCall);
        QCOMPARE(Global::writeData(device, data, limit), written);
        QCOMPARE(device.received == data, written);
    }

    // New directories get the directory permissions: inside the installation every
    // level up to it, elsewhere (a sibling whose name extends it included) the new one only.
    void makePath_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("created");
        QTest::addColumn<QStringList>("treated");
        QTest::addColumn<QStringList>("untouched");

        const QString sibling = installPath() + "-sibling";
        QTest::newRow("inside the installation")
            << installPath() << "data" << "data/x/y" << QStringList{"data/x/y", "data/x", "data"} << QStringList{""};
        QTest::newRow("sibling of the installation") << sibling << "" << "x/y" << QStringList{"x/y"} << QStringList{"", "x"};
        QTest::newRow("existing") << sibling << "a" << "a" << QStringList() << QStringList{"", "a"};
    }

    void makePath()
    {
        QFETCH(QString, base);
        QFETCH(QString, existing);
        QFETCH(QString, created);
        QFETCH(QStringList, treated);
        QFETCH(QStringList, untouched);

        const QDir root(base);
        QVERIFY(QDir().mkpath(root.filePath(existing)));
        QVERIFY(QFile::setPermissions(root.absolutePath(), QFileDevice::Permissions(0x7500)));
        QVERIFY(QFile::setPermissions(root.filePath(existing), QFileDevice::Permissions(0x7500)));
        QVERIFY(Global::makePath(QDir(root.filePath(created))));
        for (QString const &dir : treated)
            QCOMPARE(permissionsOf(root.filePath(dir)), 0x7077);
        for (QString const &dir : untouched)
            QVERIFY2(permissionsOf(root.filePath(dir)) != 0x7077, qPrintable(dir));
        QVERIFY(QFile::setPermissions(root.absolutePath(), QFileDevice::Permissions(0x7755)));
        QDir(installPath() + "/data").removeRecursively();
        QDir(installPath() + "-sibling").removeRecursively();
    }
};

QTEST_GUILESS_MAIN(TestSafeSaving)
#include "tst_safesaving.moc"
