#include "common/globalpaths.h"
#include "common/globalsaving.h"
#include "tests/support/messagecollector.h"
#include "tests/support/unprivileged.h"
#include "tests/support/writablepaths.h"

#include <QBuffer>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const int DefaultFilePermissions = 0x6666;
const int DefaultDirPermissions = 0x7777;

// The system derives the current-user bits from the others; they are not compared.
int permissionsOf(QString const &path)
{
    return int(QFile::permissions(path) & 0xF0FF);
}

QString installPath()
{
    return Global::installDir().absolutePath();
}

QString siblingPath()
{
    return installPath() + QStringLiteral("-sibling");
}

QByteArray contentOf(QString const &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A null content leaves the path alone.
bool writeFile(QString const &path, QByteArray const &content)
{
    QFile file(path);
    return content.isNull() || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
}

QString logged(QString const &text)
{
    return QStringLiteral("\"Global\" \"%1\"").arg(text);
}

QStringList loggedByGlobal()
{
    QStringList texts;
    for (auto const &message : MessageCollector::messages) {
        if (message.second.startsWith(QLatin1String("\"Global\"")))
            texts << message.second;
    }
    return texts;
}

// Takes a fixed number of bytes per call, fails at one call and closes itself after another.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(qint64 bytesPerCall, int failingCall, int closingCall)
        : bytesPerCall(bytesPerCall)
        , failingCall(failingCall)
        , closingCall(closingCall)
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
    void initTestCase()
    {
        ::umask(022);
        makeTreeWritable(installPath());
        QDir(installPath() + QStringLiteral("/settings")).removeRecursively();
        QDir(installPath() + QStringLiteral("/data")).removeRecursively();
    }

    void init()
    {
        scratch.reset(new QTemporaryDir);
        QVERIFY(scratch->isValid());
    }

    void cleanup()
    {
        makeTreeWritable(scratch->path());
        scratch.reset();
        QDir(siblingPath()).removeRecursively();
    }

    // The limit is read once per process, at the first write that uses it: this test runs first.
    void defaultWriteTimeLimit()
    {
        QSettings(Global::internalSettingsFilePath(), QSettings::IniFormat).setValue("Details/maxWritingTime", 50);
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(Global::writeData(buffer, "data", 0));
        const QSettings settings(Global::internalSettingsFilePath(), QSettings::IniFormat);
        QCOMPARE(settings.value(QStringLiteral("Details/maxWritingTime")).toInt(), 5000);
        QVERIFY2(!settings.childGroups().contains(QStringLiteral("Permissions")), "only the limit is read for a write");
    }

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
        QTest::newRow("empty data") << "file" << none << none << none << QByteArray("") << 0x7000;
        QTest::newRow("over a file") << "file" << old << none << none << QByteArray("new") << 0x7000;
        QTest::newRow("empty over a file") << "file" << old << none << none << QByteArray("") << 0x7000;
        QTest::newRow("left-over old") << "file" << old << none << QByteArray("older") << QByteArray("new") << 0x7000;
        QTest::newRow("left-over new") << "file" << old << QByteArray("a longer half-written rest") << none
                                       << QByteArray("new") << 0x7000;
        QTest::newRow("4 KiB") << "file" << old << none << none << QByteArray(4096, 'x') << 0x7000;
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

        const QString path = scratch->filePath(name);
        QVERIFY(writeFile(path, target));
        QVERIFY(writeFile(path + ".new", leftOverNew) && writeFile(path + ".old", leftOverOld));
        MessageCollector collector;
        QCOMPARE(Global::safeSaving(path, data), QString());
        QCOMPARE(loggedByGlobal(), QStringList());
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(contentOf(path), data);
        QCOMPARE(permissionsOf(path), DefaultFilePermissions & 0xF0FF);
        QCOMPARE(permissionsOf(QFileInfo(path).absolutePath()), dirPermissions);
        QVERIFY(!QFileInfo::exists(path + ".new"));
        QVERIFY(!QFileInfo::exists(path + ".old"));
    }

    void savingFailures_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("result"); // %1: the error
        QTest::addColumn<int>("error");

        const QString opening = QStringLiteral("Не удалось открыть файл для записи. %1.");
        QTest::newRow("symbolic link at the temporary name") << "link" << 7 << opening << ELOOP;
        QTest::newRow("directory at the temporary name") << "directory" << 7 << opening << EISDIR;
        QTest::newRow("read-only directory") << "read-only" << 7 << opening << EACCES;
        QTest::newRow("file size limit") << "size limit" << 6
                                         << "Не удалось записать все данные в файл за отведенное время. %1" << EFBIG;
    }

    // F stays untouched, no backup is made, and what stood at the temporary name stays too.
    void savingFailures()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(QString, obstacle);
        QFETCH(int, step);
        QFETCH(QString, result);
        QFETCH(int, error);

        const bool link = obstacle == QLatin1String("link");
        const bool directory = obstacle == QLatin1String("directory");
        const QString path = scratch->filePath(QStringLiteral("file"));
        const QString newPath = path + ".new";
        const QString victim = scratch->filePath(QStringLiteral("victim"));
        QVERIFY(writeFile(path, "old"));
        QVERIFY(!link || (writeFile(victim, "precious") && QFile::link(victim, newPath)));
        QVERIFY(!directory || QDir().mkdir(newPath));
        QVERIFY(setWritable(scratch->path(), obstacle != QLatin1String("read-only")));
        // Files may not grow beyond 1 MiB for a moment: the second half of the data cannot be written.
        rlimit saved;
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        rlimit limited = saved;
        if (obstacle == QLatin1String("size limit"))
            limited.rlim_cur = 1024 * 1024;
        const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        MessageCollector collector;
        const QString returned = Global::safeSaving(path, QByteArray(2 * 1024 * 1024, 'x'));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, savedHandler);

        const QString expected = result.arg(qt_error_string(error));
        QCOMPARE(returned, expected);
        QCOMPARE(loggedByGlobal(), QStringList(logged(QStringLiteral("safeSaving failed %1. ").arg(step) + expected)));
        QCOMPARE(contentOf(path), QByteArray("old"));
        QVERIFY(!QFileInfo::exists(path + ".old"));
        QCOMPARE(QFileInfo(newPath).isDir(), directory);
        QCOMPARE(QFileInfo(newPath).symLinkTarget(), link ? victim : QString());
        QCOMPARE(QFileInfo::exists(newPath), directory || link);
        QCOMPARE(contentOf(victim), link ? QByteArray("precious") : QByteArray());
    }

    void replacingFailures_data()
    {
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<bool>("backupIsDir");
        QTest::addColumn<bool>("newDirWritable");
        QTest::addColumn<bool>("targetDirWritable");
        QTest::addColumn<QString>("result"); // %1: the path named
        QTest::addColumn<QString>("named");  // the new file N, the target F or its backup B
        QTest::addColumn<QString>("logText"); // %1: the path named, %2: the error
        QTest::addColumn<QByteArray>("targetAfter");

        const QString renaming = QStringLiteral("Не удалось переименовать файл %1");
        QTest::newRow("4: target absent, its directory read-only")
            << false << false << true << false << renaming << "new/file.new"
            << "safeSaving failed 4. Не удалось переименовать файл %1. %2" << QByteArray();
        QTest::newRow("1: target not movable")
            << true << false << true << false << renaming << "target/file"
            << "safeSaving failed 1. Не удалось переименовать файл %1. %2" << QByteArray("old");
        QTest::newRow("2: new file not movable, target restored")
            << true << false << false << true << renaming << "new/file.new"
            << "safeSaving failed 2. Не удалось переименовать файл %1. %2" << QByteArray("old");
        QTest::newRow("directory at the backup name")
            << true << true << true << true << "Не удалось удалить файл %1" << "target/file.old"
            << "safeSaving file removing failed. Не удалось удалить старый файл при безопасном сохранении %1."
            << QByteArray("old");
    }

    void replacingFailures()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QFETCH(bool, targetExists);
        QFETCH(bool, backupIsDir);
        QFETCH(bool, newDirWritable);
        QFETCH(bool, targetDirWritable);
        QFETCH(QString, result);
        QFETCH(QString, named);
        QFETCH(QString, logText);
        QFETCH(QByteArray, targetAfter);

        QVERIFY(QDir(scratch->path()).mkdir("new") && QDir(scratch->path()).mkdir("target"));
        const QString newPath = scratch->filePath(QStringLiteral("new/file.new"));
        const QString path = scratch->filePath(QStringLiteral("target/file"));
        const QString backupPath = path + ".old";
        QVERIFY(writeFile(newPath, "new") && writeFile(path, targetExists ? "old" : QByteArray()));
        QVERIFY(!backupIsDir || QDir().mkpath(backupPath + "/inside"));
        QVERIFY(setWritable(scratch->filePath(QStringLiteral("new")), newDirWritable));
        QVERIFY(setWritable(scratch->filePath(QStringLiteral("target")), targetDirWritable));

        MessageCollector collector;
        const QString returned = Global::safeSaving(newPath, path);
        const QString namedPath = scratch->filePath(named);
        QCOMPARE(returned, result.arg(namedPath));
        const QString expectedLog = logText.contains(QLatin1String("%2"))
                                        ? logText.arg(namedPath, qt_error_string(EACCES))
                                        : logText.arg(namedPath);
        QCOMPARE(loggedByGlobal(), QStringList(logged(expectedLog)));
        QCOMPARE(QFileInfo::exists(path), !targetAfter.isNull());
        QCOMPARE(contentOf(path), targetAfter);
        QCOMPARE(contentOf(newPath), QByteArray("new"));
        QCOMPARE(QFileInfo(backupPath).isDir(), backupIsDir);
        QCOMPARE(QFileInfo::exists(backupPath), backupIsDir);
    }

    void writeData_data()
    {
        QTest::addColumn<qint64>("bytesPerCall");
        QTest::addColumn<int>("failingCall");
        QTest::addColumn<int>("closingCall");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("written");

        QTest::newRow("at once") << qint64(1000) << 0 << 0 << -1 << true;
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
        QBuffer closed;
        QVERIFY2(Global::writeData(closed, QByteArray(), limit), "nothing to write counts as written");
    }

    // Neither a directory nor a missing path is a file to give permissions to.
    void setFilePermissions()
    {
        const QString file = scratch->filePath(QStringLiteral("file"));
        const QString directory = scratch->filePath(QStringLiteral("directory"));
        QVERIFY(writeFile(file, "x") && QDir().mkdir(directory));
        for (QString const &entry : {file, directory})
            QVERIFY(QFile::setPermissions(entry, QFileDevice::Permissions(0x7700)));
        MessageCollector collector;
        QVERIFY(Global::setFilePermissions(file));
        QVERIFY(!Global::setFilePermissions(directory));
        QVERIFY(!Global::setFilePermissions(scratch->filePath(QStringLiteral("missing"))));
        QCOMPARE(loggedByGlobal(), QStringList());
        QCOMPARE(permissionsOf(file), DefaultFilePermissions & 0xF0FF);
        QCOMPARE(permissionsOf(directory), 0x7000);
    }

    void makePath_data()
    {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("created");
        QTest::addColumn<QStringList>("treated");
        QTest::addColumn<QStringList>("untouched");

        QTest::newRow("inside the installation")
            << installPath() << "data" << "data/x/y" << QStringList{"data/x/y", "data/x", "data"} << QStringList{""};
        QTest::newRow("sibling of the installation")
            << siblingPath() << "" << "x/y" << QStringList{"x/y"} << QStringList{"", "x"};
        QTest::newRow("elsewhere") << QString() << "a" << "a/b/c" << QStringList{"a/b/c"} << QStringList{"a", "a/b"};
        QTest::newRow("existing") << QString() << "a" << "a" << QStringList() << QStringList{"", "a"};
    }

    void makePath()
    {
        QFETCH(QString, base);
        QFETCH(QString, existing);
        QFETCH(QString, created);
        QFETCH(QStringList, treated);
        QFETCH(QStringList, untouched);

        const QDir root(base.isEmpty() ? scratch->path() : base);
        QVERIFY(QDir().mkpath(root.filePath(existing)));
        QVERIFY(QFile::setPermissions(root.absolutePath(), QFileDevice::Permissions(0x7500)));
        QVERIFY(QFile::setPermissions(root.filePath(existing), QFileDevice::Permissions(0x7500)));

        MessageCollector collector;
        QVERIFY(Global::makePath(QDir(root.filePath(created))));
        QCOMPARE(loggedByGlobal(), QStringList());
        for (QString const &dir : treated)
            QCOMPARE(permissionsOf(root.filePath(dir)), DefaultDirPermissions & 0xF0FF);
        for (QString const &dir : untouched)
            QVERIFY2(permissionsOf(root.filePath(dir)) != (DefaultDirPermissions & 0xF0FF), qPrintable(dir));
        QVERIFY(QFile::setPermissions(root.absolutePath(), QFileDevice::Permissions(0x7755)));
    }

    void makePathFailure()
    {
        RUN_AS_UNPRIVILEGED_USER();
        QVERIFY(setWritable(scratch->path(), false));
        const QString path = scratch->filePath(QStringLiteral("a/b"));
        MessageCollector collector;
        QVERIFY(!Global::makePath(QDir(path)));
        QCOMPARE(loggedByGlobal(), QStringList(logged(QStringLiteral("Не удалось создать путь %1").arg(path))));
    }

private:
    std::unique_ptr<QTemporaryDir> scratch;
};

QTEST_GUILESS_MAIN(TestSafeSaving)
#include "tst_safesaving.moc"
