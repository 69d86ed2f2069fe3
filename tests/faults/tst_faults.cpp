// Nothing lost under faults, nothing written through a neighbour's object. Each
// fault row fails one system call of one operation (strace attached to a child
// that runs it) and checks that the target holds its old or its new content whole,
// that the failure was reported with its reason, and that a plain retry succeeds;
// then the same operations on a full tmpfs. Each neighbour row plants an object of
// another user where the operation writes next, and the operation (as root, in a
// child with a time limit) must leave the victim alone, return and report.
#include "common/csettings.h"
#include "common/globalpaths.h"
#include "common/globalsaving.h"
#include "common/logger.h"
#include "tests/support/fakeinstallation.h"
#include "tests/support/messagecollector.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <cstdio>
#include <functional>
#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using FakeInstallation::filePath;

namespace {

const QByteArray OldSettings = "[Debug]\nall=false\njournals=true\n\n[Details]\nmaxWritingTime=5000\n\n"
                               "[Permissions]\ndirPermissions=30583\nfilePermissions=26214\n";
const QByteArray NewSettings = QByteArray(OldSettings).replace("journals=true", "journals=false");
const QByteArray OldContent = "old content\n";
const QByteArray NewContent(9000, 'n');
// Today's log file, as the test's own first line made it.
QString logName;

// Where each operation writes, in the installation.
QString targetOf(QString const &operation)
{
    if (operation == QLatin1String("settings"))
        return QStringLiteral("settings/settings.ini");
    if (operation == QLatin1String("newdir"))
        return QStringLiteral("data/0/new/dir/target");
    if (operation.endsWith(QLatin1String("log")) || operation == QLatin1String("emergency") || operation == QLatin1String("logline"))
        return QStringLiteral("data/0/log/") + logName;
    return QStringLiteral("data/0/target");
}

// The child: prepares (settings read, log file resolved), says "ready", waits for
// a line, runs the operation and prints what it returned and every message.
int runOperation(QString const &operation)
{
    static QByteArray report;
    qInstallMessageHandler([](QtMsgType, QMessageLogContext const &, QString const &text) {
        report += text.toUtf8() + '\n';
    });
    Global::safeSaving(filePath(QStringLiteral("data/0/warm-up")), QByteArray("x"));
    CSettings().debugAll();
    if (operation == QLatin1String("logline"))
        debug(QStringLiteral("Fault"), QStringLiteral("ready"));
    report.clear();
    std::puts("ready");
    std::fflush(stdout);
    char go[8];
    if (!std::fgets(go, sizeof go, stdin))
        return 2;

    if (operation == QLatin1String("settings"))
        CSettings().write(QStringLiteral("Debug/journals"), false);
    else if (operation.endsWith(QLatin1String("log")) || operation == QLatin1String("logline"))
        debug(QStringLiteral("Fault"), QStringLiteral("line"), LevelAlways, FlagFileOnly);
    else if (operation == QLatin1String("emergency"))
        emergecyDebug(QStringLiteral("line"));
    else
        report += Global::safeSaving(filePath(targetOf(operation)), NewContent).toUtf8();
    // A write may be the call that fails: the report is written until it is out.
    for (qsizetype done = 0; done < report.size();) {
        const ssize_t written = ::write(1, report.constData() + done, size_t(report.size() - done));
        done += qMax<ssize_t>(written, 0);
    }
    return 0;
}

// Whole old or whole new content; "absent" for none, "cut" for anything else.
QString stateOf(QString const &operation)
{
    const QString target = filePath(targetOf(operation));
    if (!QFileInfo::exists(target))
        return QStringLiteral("absent");
    const QByteArray content = FakeInstallation::readFile(targetOf(operation));
    if (operation == QLatin1String("settings")) {
        const bool keptMode = QFile::permissions(target) == QFileDevice::Permissions(0x6666);
        return !keptMode ? QStringLiteral("mode lost") : content == OldSettings ? QStringLiteral("old")
               : content == NewSettings                                 ? QStringLiteral("new")
                                                                        : QStringLiteral("cut");
    }
    if (operation == QLatin1String("logline")) {
        // The child's own line "ready" comes first; "line" is the operation's.
        static const QRegularExpression lines(
            QStringLiteral("^(\\d\\d:\\d\\d:\\d\\d\\.\\d{3} +Fault    (ready|line)\n)*$"));
        if (!content.startsWith(OldContent) || !lines.match(QString::fromUtf8(content.mid(OldContent.size()))).hasMatch())
            return QStringLiteral("cut");
        return content.endsWith("line\n") ? QStringLiteral("new") : QStringLiteral("old");
    }
    return content == OldContent ? QStringLiteral("old") : content == NewContent ? QStringLiteral("new")
                                                                                   : QStringLiteral("cut");
}

// Runs the operation in a child, with the fault injected when `inject` is given,
// or after `plant` has put something in its way; the child's report.
QString runChild(QString const &operation, QStringList const &inject, std::function<void()> const &plant = {})
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--operation"), operation});
    if (!child.waitForReadyRead(10000))
        return QStringLiteral("child not ready");
    child.readAllStandardOutput();
    QProcess tracer;
    tracer.setProcessChannelMode(QProcess::MergedChannels);
    if (!inject.isEmpty()) {
        tracer.start(QStringLiteral("strace"),
                     QStringList{QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                                 QStringLiteral("-p"), QString::number(child.processId())} + inject);
        while (tracer.waitForReadyRead(10000) && !tracer.readAll().contains("attached")) {}
    }
    if (plant)
        plant();
    child.write("go\n");
    if (!child.waitForFinished(5000)) {
        child.kill();
        child.waitForFinished();
        return QStringLiteral("hung");
    }
    tracer.waitForFinished(10000);
    return QString::fromUtf8(child.readAllStandardOutput());
}

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
        QDir(filePath(QStringLiteral("victims"))).removeRecursively();
        QVERIFY(QDir().mkpath(filePath(QStringLiteral("victims/dir"))));
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("victims/file"), "precious\n"));
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("victims/shared"), "shared\n"));
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("victims/dir/inside"), "inside\n"));
        QVERIFY(QFile::setPermissions(filePath(QStringLiteral("victims/file")), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QFile::setPermissions(filePath(QStringLiteral("victims/shared")), QFileDevice::Permissions(0x6666)));
    }

    void init()
    {
        FakeInstallation::reset();
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/settings.ini"), OldSettings));
        QVERIFY(QFile::setPermissions(filePath(QStringLiteral("settings/settings.ini")), QFileDevice::Permissions(0x6666)));
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("data/0/target"), OldContent));
        debug(QStringLiteral("Fault"), QStringLiteral("test"));
        QVERIFY(FakeInstallation::writeFile(targetOf(QStringLiteral("logline")), OldContent));
    }

    void injected_data()
    {
        QTest::addColumn<QString>("operation"); // save, newdir (save into a new directory), settings, logline
        QTest::addColumn<QString>("syscall");
        QTest::addColumn<int>("error");
        // Which calls of the syscall fail, counted from the operation's start. The settings
        // store's first write is the toolkit's lock file, the second the new content.
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("on");    // the only path whose calls fail, in the installation; empty: any
        QTest::addColumn<QString>("state"); // of the target after the fault: old or new
        // Whether the report gives the errno's text. The toolkit keeps it to itself when it
        // writes the settings; a probe finds a full disk, not a single failed call.
        QTest::addColumn<bool>("reason");

        const auto row = [](const char *operation, const char *syscall, int error, const char *name,
                            const char *calls, const char *on, const char *state, bool reason) {
            QTest::addRow("%s %s %s %s %s", operation, syscall, name, calls, on)
                << operation << syscall << error << calls << on << state << reason;
        };
        row("save", "openat", ENOSPC, "ENOSPC", "1..2", "data/0/target.new", "old", true);
        row("save", "openat", EINTR, "EINTR", "1", "data/0/target.new", "new", false);
        row("save", "write", ENOSPC, "ENOSPC", "1", "data/0/target.new", "old", true);
        row("save", "write", EIO, "EIO", "1", "data/0/target.new", "old", true);
        row("save", "fdatasync", EIO, "EIO", "1", "data/0/target.new", "old", true);
        row("save", "close", EIO, "EIO", "1", "data/0/target.new", "old", true);
        row("save", "fchmod", EPERM, "EPERM", "1", "data/0/target.new", "new", true);
        row("save", "rename", EXDEV, "EXDEV", "1", "", "old", true);
        row("save", "rename", EIO, "EIO", "2", "", "old", true);
        row("save", "unlink", EIO, "EIO", "1", "data/0/target.old", "new", true);
        row("save", "fsync", EIO, "EIO", "1", "data/0", "new", true);
        row("newdir", "mkdir", EROFS, "EROFS", "1", "", "absent", true);
        row("newdir", "mkdir", ENOSPC, "ENOSPC", "1", "", "absent", true);
        row("newdir", "mkdir", EACCES, "EACCES", "1", "", "absent", true);
        row("newdir", "rename", EXDEV, "EXDEV", "1", "", "absent", true);
        row("settings", "openat", EACCES, "EACCES", "1", "settings/settings.ini", "old", true);
        row("settings", "openat", EROFS, "EROFS", "1", "settings/settings.ini.lock", "old", true);
        row("settings", "openat", ENOSPC, "ENOSPC", "1", "settings", "old", true);
        row("settings", "write", EIO, "EIO", "1", "", "old", true);
        row("settings", "write", ENOSPC, "ENOSPC", "2", "", "old", false);
        row("settings", "write", EIO, "EIO", "2", "", "old", false);
        row("settings", "fdatasync", EIO, "EIO", "1+", "", "old", true);
        row("settings", "fchmod", EPERM, "EPERM", "1+", "", "old", true);
        row("settings", "rename", EXDEV, "EXDEV", "1", "", "old", true);
        row("settings", "close", EIO, "EIO", "1+", "", "old", true);
        row("logline", "openat", ENOSPC, "ENOSPC", "1..2", "", "old", true);
        row("logline", "write", EIO, "EIO", "1", "", "new", true);
        row("logline", "write", ENOSPC, "ENOSPC", "1..11", "", "old", true);
    }

    void injected()
    {
        QFETCH(QString, operation);
        QFETCH(QString, syscall);
        QFETCH(int, error);
        QFETCH(QString, calls);
        QFETCH(QString, on);
        QFETCH(QString, state);
        QFETCH(bool, reason);

        QStringList inject{QStringLiteral("-e"), QStringLiteral("trace=") + syscall, QStringLiteral("-e"),
                           QStringLiteral("inject=%1:error=%2:when=%3").arg(syscall).arg(error).arg(calls)};
        if (!on.isEmpty())
            inject << QStringLiteral("-P") << filePath(on);
        const QString report = runChild(operation, inject);
        const QString seen = stateOf(operation);
        const bool reasonGiven = report.contains(qt_error_string(error));
        qInfo("%s: %s, %s", QTest::currentDataTag(), qPrintable(seen), reasonGiven ? "reported" : "not reported");
        QCOMPARE(seen, state);
        QVERIFY2(reasonGiven || !reason, qPrintable(report));
        QVERIFY2(!report.isEmpty() || state == QLatin1String("new"), "a failure that matters is reported");

        const QString retry = runChild(operation, {});
        QCOMPARE(stateOf(operation), QStringLiteral("new"));
        QVERIFY2(!retry.contains(QLatin1String("Не удалось")) && !retry.contains(QLatin1String("Ошибка")), qPrintable(retry));
    }

    // Settings and data on a real file system with one free page: the lock file
    // fits, the new content does not. Once space is back, everything set is stored.
    void fullFileSystem()
    {
        const QStringList mounts{filePath(QStringLiteral("settings")), filePath(QStringLiteral("data"))};
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
        QVERIFY(FakeInstallation::writeFile(QStringLiteral("settings/settings.ini"), OldSettings));
        QVERIFY(QFile::setPermissions(filePath(QStringLiteral("settings/settings.ini")), QFileDevice::Permissions(0x6666)));
        QVERIFY(Global::safeSaving(filePath(QStringLiteral("data/0/target")), OldContent).isEmpty());
        CSettings().debugAll();

        // Filled up, then one page given back.
        for (QString const &mount : mounts) {
            const int fd = ::open(QFile::encodeName(mount + QStringLiteral("/filler")).constData(), O_WRONLY | O_CREAT, 0600);
            const QByteArray page(4096, 'f');
            off_t size = 0;
            while (::write(fd, page.constData(), 4096) == 4096)
                size += 4096;
            QVERIFY(fd >= 0 && ::ftruncate(fd, size - 4096) == 0 && ::close(fd) == 0);
        }
        MessageCollector collector;
        CSettings().write(QStringLiteral("Debug/journals"), false);
        QCOMPARE(FakeInstallation::readFile(QStringLiteral("settings/settings.ini")), OldSettings);
        QCOMPARE(QFile::permissions(filePath(QStringLiteral("settings/settings.ini"))), QFileDevice::Permissions(0x6666));
        QVERIFY(std::any_of(MessageCollector::messages.cbegin(), MessageCollector::messages.cend(), [](auto const &message) {
            return message.first == QtWarningMsg && message.second.contains(qt_error_string(ENOSPC));
        }));
        QVERIFY(!Global::safeSaving(filePath(QStringLiteral("data/0/target")), NewContent).isEmpty());
        QCOMPARE(FakeInstallation::readFile(QStringLiteral("data/0/target")), OldContent);

        for (QString const &mount : mounts)
            QVERIFY(QFile::remove(mount + QStringLiteral("/filler")));
        CSettings().write(QStringLiteral("Debug/all"), true);
        QCOMPARE(FakeInstallation::readFile(QStringLiteral("settings/settings.ini")),
                 QByteArray(NewSettings).replace("all=false", "all=true"));
        QVERIFY(Global::safeSaving(filePath(QStringLiteral("data/0/target")), NewContent).isEmpty());
        QCOMPARE(FakeInstallation::readFile(QStringLiteral("data/0/target")), NewContent);
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--operation") == 0) {
        QCoreApplication application(argc, argv);
        return runOperation(QString::fromLatin1(argv[2]));
    }
    QCoreApplication application(argc, argv);
    tst_Faults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faults.moc"
