// Nothing lost under faults (system calls failed by strace, a full tmpfs), nothing
// written through what a neighbour planted where an operation writes next.
#include "common/csettings.h"
#include "common/globalsaving.h"
#include "common/logger.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/messagecollector.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <utility>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using FakeInstallation::filePath;
using FakeInstallation::readFile;

namespace {

const QByteArray OldSettings = "[Debug]\nall=false\njournals=true\n\n[Details]\nmaxWritingTime=5000\n\n"
                               "[Permissions]\ndirPermissions=30583\nfilePermissions=26214\n";
const QByteArray NewSettings = QByteArray(OldSettings).replace("journals=true", "journals=false");
const QByteArray OldContent = "old content\n";
const QByteArray NewContent(9000, 'n');
QString logName; // today's, as the test's own first line made it

bool isSaving(QString const &operation)
{
    return operation == QLatin1String("save") || operation == QLatin1String("newdir");
}

QString targetOf(QString const &operation)
{
    return operation == QLatin1String("settings") ? QStringLiteral("settings/settings.ini")
           : operation == QLatin1String("newdir") ? QStringLiteral("data/0/new/dir/target")
           : operation == QLatin1String("save")   ? QStringLiteral("data/0/target")
                                                  : QStringLiteral("data/0/log/") + logName;
}

// The child: settings read, the log resolved for "logline"; "ready", then a line from
// the test, the operation, and what it returned and every message on stdout.
int runOperation(QString const &operation)
{
    static QByteArray report;
    qInstallMessageHandler([](QtMsgType, QMessageLogContext const &, QString const &text) { report += text.toUtf8() + '\n'; });
    Global::safeSaving(filePath(QStringLiteral("data/0/warm-up")), QByteArray("x"));
    CSettings().debugAll();
    // The sanitizers check a streamed type the first time through a pipe of their own:
    // here, before a write fault could make that check fail.
    qDebug() << QStringLiteral("warm-up");
    if (operation == QLatin1String("logline"))
        debug(QStringLiteral("Fault"), QStringLiteral("ready"));
    report.clear();
    char go[8];
    if (std::puts("ready") < 0 || std::fflush(stdout) != 0 || !std::fgets(go, sizeof go, stdin))
        return 2;
    if (operation == QLatin1String("settings"))
        CSettings().write(QStringLiteral("Debug/journals"), false);
    else if (operation == QLatin1String("emergency"))
        emergecyDebug(QStringLiteral("line"));
    else if (isSaving(operation))
        report += Global::safeSaving(filePath(targetOf(operation)), NewContent).toUtf8();
    else
        debug(QStringLiteral("Fault"), QStringLiteral("line"), LevelAlways, FlagFileOnly);
    // A write may be the call that fails: the report is written until it is out.
    for (qsizetype done = 0; done < report.size();)
        done += qMax<ssize_t>(::write(1, report.constData() + done, size_t(report.size() - done)), 0);
    return 0;
}

// Whole old or new content ("absent" for none), "cut", or for the settings "mode lost".
QString stateOf(QString const &operation)
{
    const QString target = filePath(targetOf(operation));
    const QByteArray content = readFile(targetOf(operation));
    if (!QFileInfo::exists(target))
        return QStringLiteral("absent");
    if (operation == QLatin1String("settings") && QFile::permissions(target) != QFileDevice::Permissions(0x6666))
        return QStringLiteral("mode lost");
    if (operation == QLatin1String("logline")) {
        // The child's own line "ready" comes first; "line" is the operation's.
        static const QRegularExpression lines(QStringLiteral("^(\\d\\d:\\d\\d:\\d\\d\\.\\d{3} +Fault    (ready|line)\n)*$"));
        if (content.startsWith(OldContent) && lines.match(QString::fromUtf8(content.mid(OldContent.size()))).hasMatch())
            return content.endsWith("line\n") ? QStringLiteral("new") : QStringLiteral("old");
        return QStringLiteral("cut");
    }
    const bool settings = operation == QLatin1String("settings");
    return content == (settings ? OldSettings : OldContent)   ? QStringLiteral("old")
           : content == (settings ? NewSettings : NewContent) ? QStringLiteral("new")
                                                              : QStringLiteral("cut");
}

// Runs the operation in a child: with strace attached and `inject` when given, after `plant`; the report.
QString runChild(QString const &operation, QStringList const &inject = {}, std::function<void()> const &plant = {})
{
    QProcess child, tracer;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--operation"), operation});
    if (!child.waitForReadyRead(10000))
        return QStringLiteral("child not ready");
    tracer.setProcessChannelMode(QProcess::MergedChannels);
    if (!inject.isEmpty()) {
        tracer.start(QStringLiteral("strace"), QStringList{"-f", "-o", "/dev/null", "-p", QString::number(child.processId())} + inject);
        while (tracer.waitForReadyRead(10000) && !tracer.readAll().contains("attached")) {}
    }
    if (plant)
        plant();
    child.readAllStandardOutput();
    child.write("go\n");
    const bool returned = child.waitForFinished(5000);
    child.kill();
    child.waitForFinished();
    tracer.waitForFinished(10000);
    return returned ? QString::fromUtf8(child.readAllStandardOutput()) : QStringLiteral("hung");
}

// What a neighbour could spoil: content, listing and mode of the victims.
QString victimState()
{
    QString state;
    for (const char *victim : {"victims/file", "victims/shared", "victims/dir"}) {
        const QFileInfo info(filePath(QLatin1String(victim)));
        state += QString::number(info.permissions(), 16) + QString::fromUtf8(readFile(QLatin1String(victim)))
                 + QDir(info.filePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(' ');
    }
    return state;
}

// The neighbour's end of a FIFO it reads from, while the operation runs.
int fifoReader = -1;

// Puts the object at the path, owned by "nobody"; a hard link is the victim's own inode.
bool plant(QString const &object, QString const &path)
{
    const QByteArray name = QFile::encodeName(path);
    const bool fifo = object.startsWith(QLatin1String("fifo"));
    const bool made = object == QLatin1String("link to file")        ? QFile::link(filePath("victims/file"), path)
                      : object == QLatin1String("link to directory") ? QFile::link(filePath("victims/dir"), path)
                      : fifo                                          ? ::mkfifo(name.constData(), 0666) == 0
                      : object == QLatin1String("directory")          ? QDir().mkdir(path)
                      : ::link(QFile::encodeName(filePath("victims/shared")).constData(), name.constData()) == 0;
    if (made && object == QLatin1String("fifo with a reader") && (fifoReader = ::open(name.constData(), O_RDONLY | O_NONBLOCK)) < 0)
        return false;
    const passwd *nobody = ::getpwnam("nobody");
    return made && nobody && (object == QLatin1String("hard link") || ::lchown(name.constData(), nobody->pw_uid, nobody->pw_gid) == 0);
}

// A fault: the operation (save, newdir = save into a new directory, settings, logline),
// the system call and its errno; which of its calls fail, counted from the operation's
// start (the settings store's first write is the toolkit's lock file, the second the new
// content), and the only path they touch; the target's state after; whether the report
// names the errno (the toolkit keeps the reason of a failed settings write to itself: a
// probe finds a full disk, see fullFileSystem, not one failed call).
const struct Fault {
    const char *operation, *syscall;
    int error;
    const char *errorName, *calls, *on, *state;
    bool reason;
} Faults[] = {
    {"save", "openat", ENOSPC, "ENOSPC", "1..2", "data/0/target.new", "old", true},
    {"save", "write", ENOSPC, "ENOSPC", "1", "data/0/target.new", "old", true},
    {"save", "fdatasync", EIO, "EIO", "1", "data/0/target.new", "old", true},
    {"save", "close", EIO, "EIO", "1", "data/0/target.new", "old", true},
    {"save", "fchmod", EPERM, "EPERM", "1", "data/0/target.new", "new", true},
    {"save", "rename", EXDEV, "EXDEV", "1", "", "old", true},
    {"save", "rename", EIO, "EIO", "2", "", "old", true},
    {"save", "unlink", EIO, "EIO", "1", "data/0/target.old", "new", true},
    {"save", "fsync", EIO, "EIO", "1", "data/0", "new", true},
    {"newdir", "mkdir", EROFS, "EROFS", "1", "", "absent", true},
    {"newdir", "rename", EXDEV, "EXDEV", "1", "", "absent", true},
    {"settings", "openat", EACCES, "EACCES", "1", "settings/settings.ini", "old", true},
    {"settings", "openat", EROFS, "EROFS", "1", "settings/settings.ini.lock", "old", true},
    {"settings", "openat", ENOSPC, "ENOSPC", "1", "settings", "old", true},
    {"settings", "write", EIO, "EIO", "1", "", "old", true},
    {"settings", "write", ENOSPC, "ENOSPC", "2", "", "old", false},
    {"settings", "fdatasync", EIO, "EIO", "1+", "", "old", true},
    {"settings", "fchmod", EPERM, "EPERM", "1+", "", "old", true},
    {"settings", "rename", EXDEV, "EXDEV", "1", "", "old", true},
    {"settings", "close", EIO, "EIO", "1+", "", "old", true},
    {"logline", "openat", ENOSPC, "ENOSPC", "1..2", "", "old", true},
    {"logline", "write", EIO, "EIO", "1", "", "new", true},
    {"logline", "write", ENOSPC, "ENOSPC", "1..11", "", "old", true},
};

} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        FakeInstallation::reset();
        debug(QStringLiteral("Fault"), QStringLiteral("test"));
        logName = FakeInstallation::logFiles().value(0);
        // A file of the host's user, one that anybody may write (a hard link needs that), a directory.
        QDir(filePath("victims")).removeRecursively();
        for (const char *victim : {"victims/file", "victims/shared", "victims/dir/inside"})
            QVERIFY(FakeInstallation::writeFile(QLatin1String(victim), victim));
        QVERIFY(QFile::setPermissions(filePath("victims/file"), QFileDevice::ReadOwner | QFileDevice::WriteOwner)
                && QFile::setPermissions(filePath("victims/shared"), QFileDevice::Permissions(0x6666)));
    }

    void init()
    {
        FakeInstallation::reset();
        QVERIFY(FakeInstallation::writeFile("settings/settings.ini", OldSettings) && FakeInstallation::writeFile("data/0/target", OldContent));
        QVERIFY(QFile::setPermissions(filePath("settings/settings.ini"), QFileDevice::Permissions(0x6666)));
        debug(QStringLiteral("Fault"), QStringLiteral("test"));
        QVERIFY(FakeInstallation::writeFile(targetOf("logline"), OldContent));
    }

    void injected_data()
    {
        QTest::addColumn<int>("row");
        for (const Fault &fault : Faults)
            QTest::addRow("%s %s %s %s %s", fault.operation, fault.syscall, fault.errorName, fault.calls, fault.on) << int(&fault - Faults);
    }

    void injected()
    {
        QFETCH(int, row);
        const Fault &fault = Faults[row];
        const QString operation = QLatin1String(fault.operation);
        QStringList inject{"-e", QStringLiteral("trace=%1").arg(QLatin1String(fault.syscall)), "-e",
                           QStringLiteral("inject=%1:error=%2:when=%3").arg(QLatin1String(fault.syscall)).arg(fault.error).arg(QLatin1String(fault.calls))};
        if (*fault.on)
            inject << QStringLiteral("-P") << filePath(QLatin1String(fault.on));
        const QString report = runChild(operation, inject);
        const QString reason = qt_error_string(fault.error);
        qInfo("%s: %s, %s", QTest::currentDataTag(), qPrintable(stateOf(operation)),
              report.contains(reason) ? "reason given" : report.isEmpty() ? "not reported" : "reported");
        QCOMPARE(stateOf(operation), QLatin1String(fault.state));
        QVERIFY2(report.contains(reason) || !fault.reason, qPrintable(report));
        QVERIFY2(!report.isEmpty() || qstrcmp(fault.state, "new") == 0, "a failure that matters is reported");

        QCOMPARE(runChild(operation), QString());
        QCOMPARE(stateOf(operation), QStringLiteral("new"));
        // A saved file gets the file permissions, each new directory up to the installation the directory ones.
        QVERIFY(!isSaving(operation) || (QFile::permissions(filePath(targetOf(operation))) & 0xF0FF) == 0x6066);
        QVERIFY(operation != QLatin1String("newdir") || (QFile::permissions(filePath("data/0/new")) & 0xF0FF) == 0x7077);
    }

    void neighbour_data()
    {
        QTest::addColumn<QString>("operation"); // logline (the file existed), newlog, emergency, save, newdir
        QTest::addColumn<QString>("object");
        QTest::addColumn<bool>("refused"); // otherwise done as if nothing had been there

        for (QString const &operation : QStringList{"logline", "newlog", "emergency", "save", "newdir"}) {
            for (QString const &object : QStringList{"link to file", "link to directory", "fifo", "fifo with a reader", "hard link", "directory"}) {
                // A left-over temporary name is removed, whatever it is; a directory can be saved into.
                const bool done = (operation == "save" && object != "directory") || (operation == "newdir" && object == "directory");
                QTest::addRow("%s, %s", qPrintable(operation), qPrintable(object)) << operation << object << !done;
            }
        }
    }

    void neighbour()
    {
        QFETCH(QString, operation);
        QFETCH(QString, object);
        QFETCH(bool, refused);

        QVERIFY(QFile::remove(filePath(targetOf("logline"))) && QDir().mkpath(filePath("data/0/new")));
        const QString at = filePath(operation == QLatin1String("save")     ? QStringLiteral("data/0/target.new")
                                    : operation == QLatin1String("newdir") ? QStringLiteral("data/0/new/dir")
                                                                           : targetOf(operation));
        const QString before = victimState();
        bool planted = false;
        const QString report = runChild(operation, {}, [&] {
            QFile::remove(at);
            planted = plant(object, at);
        });
        if (fifoReader >= 0)
            ::close(std::exchange(fifoReader, -1));
        QVERIFY(planted);
        QCOMPARE(victimState(), before);
        QVERIFY2(report != QLatin1String("hung"), "the operation returned");
        // The emergency log reports nothing, by design.
        QCOMPARE(!report.isEmpty(), refused && operation != QLatin1String("emergency"));

        QVERIFY(QFile::remove(at) || QDir(at).removeRecursively());
        QCOMPARE(runChild(operation), QString());
        const QByteArray content = readFile(targetOf(operation));
        QVERIFY(isSaving(operation) ? content == NewContent : content.endsWith("line\n"));
    }

    // Settings and data on a real file system with one free page: the lock file fits,
    // the new content does not. Once space is back, everything that was set is stored.
    void fullFileSystem()
    {
        const QStringList mounts{filePath("settings"), filePath("data")};
        for (QString const &mount : mounts) {
            if (::mount("tmpfs", QFile::encodeName(mount).constData(), "tmpfs", 0, "size=1m") != 0)
                QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs at %1: %2").arg(mount, qt_error_string(errno))));
        }
        const auto unmount = qScopeGuard([&mounts] {
            for (QString const &mount : mounts)
                ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH);
        });
        delete gCSettingsSettings;
        gCSettingsSettings = nullptr;
        QVERIFY(FakeInstallation::writeFile("settings/settings.ini", OldSettings));
        QVERIFY(QFile::setPermissions(filePath("settings/settings.ini"), QFileDevice::Permissions(0x6666)));
        QVERIFY(Global::safeSaving(filePath("data/0/target"), OldContent).isEmpty());
        CSettings().debugAll();
        for (QString const &mount : mounts) {
            static const char page[4096] = {};
            const int fd = ::open(QFile::encodeName(mount + "/filler").constData(), O_WRONLY | O_CREAT, 0600);
            off_t size = 0;
            while (::write(fd, page, sizeof page) == sizeof page)
                size += sizeof page;
            QVERIFY(fd >= 0 && ::ftruncate(fd, size - off_t(sizeof page)) == 0 && ::close(fd) == 0);
        }

        MessageCollector collector;
        CSettings().write(QStringLiteral("Debug/journals"), false);
        QCOMPARE(readFile("settings/settings.ini"), OldSettings);
        QCOMPARE(QFile::permissions(filePath("settings/settings.ini")), QFileDevice::Permissions(0x6666));
        QCOMPARE(MessageCollector::messages.value(0).first, QtWarningMsg);
        QVERIFY(MessageCollector::messages.value(0).second.contains(qt_error_string(ENOSPC)));
        QVERIFY(!Global::safeSaving(filePath("data/0/target"), NewContent).isEmpty());
        QCOMPARE(readFile("data/0/target"), OldContent);

        for (QString const &mount : mounts)
            QVERIFY(QFile::remove(mount + "/filler"));
        CSettings().write(QStringLiteral("Debug/all"), true);
        QCOMPARE(readFile("settings/settings.ini"), QByteArray(NewSettings).replace("all=false", "all=true"));
        QVERIFY(Global::safeSaving(filePath("data/0/target"), NewContent).isEmpty());
        QCOMPARE(readFile("data/0/target"), NewContent);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--operation") == 0)
        return runOperation(QString::fromLatin1(argv[2]));
    tst_Faults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faults.moc"
