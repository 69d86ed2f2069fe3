#include "common/globalpaths.h"
#include "common/globalsaving.h"
#include "tests/support/messagecollector.h"
#include "tests/support/unprivileged.h"
#include "tests/support/writablepaths.h"

#include <QBuffer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// Set for a copy of this program that must find the settings file as its parent left it.
const char keepSettingsVariable[] = "TST_SAFESAVING_KEEP_SETTINGS";

const QFileDevice::Permissions defaultFilePermissions(0x6666);
const QFileDevice::Permissions defaultDirPermissions(0x7777);

// The system derives the current-user bits from the others; they are not compared.
QFileDevice::Permissions withoutUserBits(QFileDevice::Permissions permissions)
{
    return permissions & QFileDevice::Permissions(0xF0FF);
}

QString installPath()
{
    return Global::installDir().absolutePath();
}

QByteArray contentOf(QString const &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A null content leaves the path alone.
bool writeFile(QString const &path, QByteArray const &content)
{
    if (content.isNull())
        return true;
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
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

// A device that takes a fixed number of bytes per call and then fails or closes.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(qint64 bytesPerCall, int callsBeforeFailure, int callsBeforeClosing)
        : bytesPerCall(bytesPerCall)
        , callsBeforeFailure(callsBeforeFailure)
        , callsBeforeClosing(callsBeforeClosing)
    {
        open(QIODevice::WriteOnly);
    }

    bool isSequential() const override { return true; }
    QByteArray received;

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        ++calls;
        if (calls == callsBeforeFailure)
            return -1;
        const qint64 taken = qMin(size, bytesPerCall);
        received.append(data, int(taken));
        if (calls == callsBeforeClosing)
            close();
        return taken;
    }

private:
    const qint64 bytesPerCall;
    const int callsBeforeFailure;
    const int callsBeforeClosing;
    int calls = 0;
};

} // namespace

class TestSafeSaving : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void saves_data();
    void saves();
    void makesMissingDirectory();
    void refusesSymlinkAtTemporaryName();
    void reportsUnopenableTemporaryFile_data();
    void reportsUnopenableTemporaryFile();
    void reportsWriteFailure();
    void reportsReplacingFailures_data();
    void reportsReplacingFailures();

    void writeData_data();
    void writeData();
    void defaultWriteTimeLimit_data();
    void defaultWriteTimeLimit();

    void setFilePermissions_data();
    void setFilePermissions();
    void makePath_data();
    void makePath();
    void makePathOfExistingDir();
    void makePathFailure();

private:
    QString siblingPath() const { return installPath() + QStringLiteral("-sibling"); }
};

void TestSafeSaving::initTestCase()
{
    ::umask(022);
    QDir(siblingPath()).removeRecursively();
    if (qEnvironmentVariableIsSet(keepSettingsVariable))
        return;
    makeTreeWritable(installPath());
    QDir(installPath() + QStringLiteral("/settings")).removeRecursively();
    QDir(installPath() + QStringLiteral("/data")).removeRecursively();
}

void TestSafeSaving::saves_data()
{
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QByteArray>("leftOverNew");
    QTest::addColumn<QByteArray>("leftOverOld");
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("new file") << QByteArray() << QByteArray() << QByteArray() << QByteArray("first");
    QTest::newRow("empty data") << QByteArray() << QByteArray() << QByteArray() << QByteArray("");
    QTest::newRow("over a file") << QByteArray("old content") << QByteArray() << QByteArray()
                                 << QByteArray("new");
    QTest::newRow("empty over a file") << QByteArray("old content") << QByteArray() << QByteArray()
                                       << QByteArray("");
    QTest::newRow("left-over old") << QByteArray("old") << QByteArray() << QByteArray("older")
                                   << QByteArray("new");
    QTest::newRow("left-over new") << QByteArray("old") << QByteArray("a longer half-written rest")
                                   << QByteArray() << QByteArray("new");
    QTest::newRow("4 KiB") << QByteArray("old") << QByteArray() << QByteArray() << QByteArray(4096, 'x');
}

void TestSafeSaving::saves()
{
    QFETCH(QByteArray, target);
    QFETCH(QByteArray, leftOverNew);
    QFETCH(QByteArray, leftOverOld);
    QFETCH(QByteArray, data);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString path = scratch.filePath(QStringLiteral("file.conf"));
    QVERIFY(writeFile(path, target));
    QVERIFY(writeFile(path + QStringLiteral(".new"), leftOverNew));
    QVERIFY(writeFile(path + QStringLiteral(".old"), leftOverOld));

    MessageCollector collector;
    QCOMPARE(Global::safeSaving(path, data), QString());
    QCOMPARE(loggedByGlobal(), QStringList());
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(contentOf(path), data);
    QCOMPARE(withoutUserBits(QFile::permissions(path)), withoutUserBits(defaultFilePermissions));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".new")));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".old")));
}

void TestSafeSaving::makesMissingDirectory()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString path = scratch.filePath(QStringLiteral("a/b/file.conf"));

    QCOMPARE(Global::safeSaving(path, QByteArray("data")), QString());
    QCOMPARE(contentOf(path), QByteArray("data"));
    // Outside the installation only the new directory itself is given the permissions.
    QCOMPARE(withoutUserBits(QFile::permissions(scratch.filePath(QStringLiteral("a/b")))),
             withoutUserBits(defaultDirPermissions));
    QCOMPARE(withoutUserBits(QFile::permissions(scratch.filePath(QStringLiteral("a")))),
             withoutUserBits(QFileDevice::Permissions(0x7055)));
}

void TestSafeSaving::refusesSymlinkAtTemporaryName()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString path = scratch.filePath(QStringLiteral("file.conf"));
    const QString victim = scratch.filePath(QStringLiteral("victim"));
    QVERIFY(writeFile(path, "old"));
    QVERIFY(writeFile(victim, "precious"));
    QVERIFY(QFile::link(victim, path + QStringLiteral(".new")));

    MessageCollector collector;
    const QString expected = QStringLiteral("Не удалось открыть файл для записи. %1.").arg(qt_error_string(ELOOP));
    QCOMPARE(Global::safeSaving(path, QByteArray("new")), expected);
    QCOMPARE(loggedByGlobal(), QStringList(logged(QStringLiteral("safeSaving failed 7. ") + expected)));
    QCOMPARE(contentOf(victim), QByteArray("precious"));
    QCOMPARE(contentOf(path), QByteArray("old"));
    QCOMPARE(QFileInfo(path + QStringLiteral(".new")).symLinkTarget(), victim);
}

void TestSafeSaving::reportsUnopenableTemporaryFile_data()
{
    QTest::addColumn<bool>("readOnlyDir");
    QTest::addColumn<int>("error");

    QTest::newRow("read-only directory") << true << EACCES;
    QTest::newRow("directory at the temporary name") << false << EISDIR;
}

void TestSafeSaving::reportsUnopenableTemporaryFile()
{
    RUN_AS_UNPRIVILEGED_USER();
    QFETCH(bool, readOnlyDir);
    QFETCH(int, error);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString path = scratch.filePath(QStringLiteral("file.conf"));
    const QString newPath = path + QStringLiteral(".new");
    QVERIFY(writeFile(path, "old"));
    if (!readOnlyDir)
        QVERIFY(QDir().mkdir(newPath));
    QVERIFY(setWritable(scratch.path(), !readOnlyDir));

    MessageCollector collector;
    const QString result = Global::safeSaving(path, QByteArray("new"));
    const QStringList logs = loggedByGlobal();
    QVERIFY(setWritable(scratch.path(), true));

    const QString expected = QStringLiteral("Не удалось открыть файл для записи. %1.").arg(qt_error_string(error));
    QCOMPARE(result, expected);
    QCOMPARE(logs, QStringList(logged(QStringLiteral("safeSaving failed 7. ") + expected)));
    QCOMPARE(contentOf(path), QByteArray("old"));
    QCOMPARE(QFileInfo(newPath).isDir(), !readOnlyDir);
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".old")));
}

void TestSafeSaving::reportsWriteFailure()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString path = scratch.filePath(QStringLiteral("file.conf"));
    QVERIFY(writeFile(path, "old"));

    // Files may not grow beyond 1 MiB for a moment: the second half of the data cannot be written.
    rlimit saved;
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 1024 * 1024;
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    MessageCollector collector;
    const QString result = Global::safeSaving(path, QByteArray(2 * 1024 * 1024, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    const QString expected =
        QStringLiteral("Не удалось записать все данные в файл за отведенное время. %1").arg(qt_error_string(EFBIG));
    QCOMPARE(result, expected);
    QCOMPARE(loggedByGlobal(), QStringList(logged(QStringLiteral("safeSaving failed 6. ") + expected)));
    QCOMPARE(contentOf(path), QByteArray("old"));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".new")));
    QVERIFY(!QFileInfo::exists(path + QStringLiteral(".old")));
}

void TestSafeSaving::reportsReplacingFailures_data()
{
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<bool>("backupIsDir");
    QTest::addColumn<bool>("newDirWritable");
    QTest::addColumn<bool>("targetDirWritable");
    QTest::addColumn<QString>("result");   // %1: the path named, one of N, F, B
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("logText"); // %1: the path named, %2: the error
    QTest::addColumn<QByteArray>("targetAfter");

    const QString renaming = QStringLiteral("Не удалось переименовать файл %1");
    QTest::newRow("4: target absent, its directory read-only")
        << false << false << true << false << renaming << "N"
        << "safeSaving failed 4. Не удалось переименовать файл %1. %2" << QByteArray();
    QTest::newRow("1: target not movable")
        << true << false << true << false << renaming << "F"
        << "safeSaving failed 1. Не удалось переименовать файл %1. %2" << QByteArray("old");
    QTest::newRow("2: new file not movable, target restored")
        << true << false << false << true << renaming << "N"
        << "safeSaving failed 2. Не удалось переименовать файл %1. %2" << QByteArray("old");
    QTest::newRow("directory at the backup name")
        << true << true << true << true << "Не удалось удалить файл %1" << "B"
        << "safeSaving file removing failed. Не удалось удалить старый файл при безопасном сохранении %1."
        << QByteArray("old");
}

void TestSafeSaving::reportsReplacingFailures()
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

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QDir(scratch.path()).mkdir(QStringLiteral("new"));
    QDir(scratch.path()).mkdir(QStringLiteral("target"));
    const QString newPath = scratch.filePath(QStringLiteral("new/file.conf.new"));
    const QString path = scratch.filePath(QStringLiteral("target/file.conf"));
    const QString backupPath = path + QStringLiteral(".old");
    QVERIFY(writeFile(newPath, "new"));
    if (targetExists)
        QVERIFY(writeFile(path, "old"));
    if (backupIsDir)
        QVERIFY(QDir().mkpath(backupPath + QStringLiteral("/inside")));
    QVERIFY(setWritable(scratch.filePath(QStringLiteral("new")), newDirWritable));
    QVERIFY(setWritable(scratch.filePath(QStringLiteral("target")), targetDirWritable));

    MessageCollector collector;
    const QString returned = Global::safeSaving(newPath, path);
    const QStringList logs = loggedByGlobal();
    makeTreeWritable(scratch.path());

    const QString namedPath = named == QLatin1String("N") ? newPath : named == QLatin1String("F") ? path : backupPath;
    QCOMPARE(returned, result.arg(namedPath));
    const QString expectedLog = logText.contains(QLatin1String("%2"))
                                    ? logText.arg(namedPath, qt_error_string(EACCES))
                                    : logText.arg(namedPath);
    QCOMPARE(logs, QStringList(logged(expectedLog)));
    QCOMPARE(QFileInfo::exists(path), !targetAfter.isNull());
    QCOMPARE(contentOf(path), targetAfter);
    QCOMPARE(contentOf(newPath), QByteArray("new"));
    QCOMPARE(QFileInfo(backupPath).isDir(), backupIsDir);
    QCOMPARE(QFileInfo::exists(backupPath), backupIsDir);
}

void TestSafeSaving::writeData_data()
{
    QTest::addColumn<qint64>("bytesPerCall");
    QTest::addColumn<int>("callsBeforeFailure");
    QTest::addColumn<int>("callsBeforeClosing");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("written");

    QTest::newRow("at once") << qint64(1000) << 0 << 0 << -1 << true;
    QTest::newRow("trickling, no limit") << qint64(3) << 0 << 0 << -1 << true;
    QTest::newRow("first call fails") << qint64(3) << 1 << 0 << -1 << false;
    QTest::newRow("a later call fails") << qint64(0) << 6 << 0 << -1 << false;
    QTest::newRow("closed while writing") << qint64(1) << 0 << 4 << -1 << false;
    QTest::newRow("stalled past the limit") << qint64(0) << 0 << 0 << 20 << false;
}

void TestSafeSaving::writeData()
{
    QFETCH(qint64, bytesPerCall);
    QFETCH(int, callsBeforeFailure);
    QFETCH(int, callsBeforeClosing);
    QFETCH(int, limit);
    QFETCH(bool, written);

    const QByteArray data("twenty bytes of data");
    TrickleDevice device(bytesPerCall, callsBeforeFailure, callsBeforeClosing);
    QCOMPARE(Global::writeData(device, data, limit), written);
    if (written)
        QCOMPARE(device.received, data);

    QBuffer closed;
    QVERIFY2(Global::writeData(closed, QByteArray(), limit), "nothing to write counts as written");
}

void TestSafeSaving::defaultWriteTimeLimit_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");

    QTest::newRow("too short") << 50 << 5000;
    QTest::newRow("too long") << 20000 << 5000;
    QTest::newRow("accepted") << 300 << 300;
}

// The limit is read once per process, so each value is tried in a fresh copy of this program.
void TestSafeSaving::defaultWriteTimeLimit()
{
    QFETCH(int, stored);
    QFETCH(int, used);

    if (qEnvironmentVariableIsSet(keepSettingsVariable)) {
        QBuffer buffer;
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(Global::writeData(buffer, "data", 0));
        return;
    }

    QDir(installPath() + QStringLiteral("/settings")).removeRecursively();
    {
        QSettings settings(Global::internalSettingsFilePath(), QSettings::IniFormat);
        settings.setValue(QStringLiteral("Details/maxWritingTime"), stored);
    }

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(keepSettingsVariable), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("defaultWriteTimeLimit:") + QString::fromLatin1(QTest::currentDataTag())});
    QVERIFY(child.waitForFinished(60000));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, child.readAll().constData());

    QSettings settings(Global::internalSettingsFilePath(), QSettings::IniFormat);
    QCOMPARE(settings.value(QStringLiteral("Details/maxWritingTime")).toInt(), used);
    QVERIFY2(!settings.childGroups().contains(QStringLiteral("Permissions")), "only the limit is read for a write");
}

void TestSafeSaving::setFilePermissions_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("result");

    QTest::newRow("file") << "file" << true;
    QTest::newRow("directory") << "directory" << false;
    QTest::newRow("missing") << "missing" << false;
}

void TestSafeSaving::setFilePermissions()
{
    QFETCH(QString, kind);
    QFETCH(bool, result);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString path = scratch.filePath(QStringLiteral("entry"));
    if (kind == QLatin1String("file"))
        QVERIFY(writeFile(path, "x"));
    if (kind == QLatin1String("directory"))
        QVERIFY(QDir().mkdir(path));
    if (kind != QLatin1String("missing"))
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

    MessageCollector collector;
    QCOMPARE(Global::setFilePermissions(path), result);
    QCOMPARE(loggedByGlobal(), QStringList());
    if (kind == QLatin1String("file"))
        QCOMPARE(withoutUserBits(QFile::permissions(path)), withoutUserBits(defaultFilePermissions));
    if (kind == QLatin1String("directory"))
        QCOMPARE(withoutUserBits(QFile::permissions(path)), QFileDevice::Permissions(0x7000));
}

void TestSafeSaving::makePath_data()
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
}

void TestSafeSaving::makePath()
{
    QFETCH(QString, base);
    QFETCH(QString, existing);
    QFETCH(QString, created);
    QFETCH(QStringList, treated);
    QFETCH(QStringList, untouched);

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QDir root(base.isEmpty() ? scratch.path() : base);
    QVERIFY(QDir().mkpath(root.filePath(existing)));
    const QFileDevice::Permissions restricted(0x7500);
    QVERIFY(QFile::setPermissions(root.absolutePath(), restricted));
    QVERIFY(QFile::setPermissions(root.filePath(existing), restricted));

    MessageCollector collector;
    QVERIFY(Global::makePath(QDir(root.filePath(created))));
    QCOMPARE(loggedByGlobal(), QStringList());
    for (QString const &dir : treated)
        QCOMPARE(withoutUserBits(QFile::permissions(root.filePath(dir))), withoutUserBits(defaultDirPermissions));
    for (QString const &dir : untouched)
        QVERIFY2(withoutUserBits(QFile::permissions(root.filePath(dir))) != withoutUserBits(defaultDirPermissions),
                 qPrintable(dir));

    QVERIFY(QFile::setPermissions(root.absolutePath(), QFileDevice::Permissions(0x7755)));
    QDir(siblingPath()).removeRecursively();
}

void TestSafeSaving::makePathOfExistingDir()
{
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QFileDevice::Permissions restricted(0x7000);
    QVERIFY(QFile::setPermissions(scratch.path(), restricted));

    QVERIFY(Global::makePath(QDir(scratch.path())));
    QCOMPARE(withoutUserBits(QFile::permissions(scratch.path())), restricted);
}

void TestSafeSaving::makePathFailure()
{
    RUN_AS_UNPRIVILEGED_USER();
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    QVERIFY(setWritable(scratch.path(), false));
    const QString path = scratch.filePath(QStringLiteral("a/b"));

    MessageCollector collector;
    const bool made = Global::makePath(QDir(path));
    const QStringList logs = loggedByGlobal();
    QVERIFY(setWritable(scratch.path(), true));

    QVERIFY(!made);
    QCOMPARE(logs, QStringList(logged(QStringLiteral("Не удалось создать путь %1").arg(path))));
}

QTEST_GUILESS_MAIN(TestSafeSaving)
#include "tst_safesaving.moc"
