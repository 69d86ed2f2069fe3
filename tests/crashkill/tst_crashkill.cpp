// Global::safeSaving killed with SIGKILL at random moments of a saving loop: the target
// and its backup are only ever made by renaming a whole file, and one of the three
// names always holds a whole content.
#include "common/globalsaving.h"
#include "tests/support/fakeinstallation.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <cstdio>

namespace {

// Of the target, its backup and its new file: "absent", "whole" or "cut" each,
// where a content is its payload's MD5, then the payload.
QString statesOf(QString const &target)
{
    QStringList states;
    for (QString const &path : {target, target + ".old", target + ".new"}) {
        QFile file(path);
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const bool whole = content.left(16) == QCryptographicHash::hash(content.mid(16), QCryptographicHash::Md5);
        states << QLatin1String(!file.isOpen() ? "absent" : whole ? "whole" : "cut");
    }
    return states.join(QLatin1Char(' '));
}

// The child: saves to FILE once, or in a loop until killed (saying "saved" after the first save).
int runSaver(QString const &file, bool loop, quint32 seed)
{
    QRandomGenerator random(seed);
    for (bool first = true;; first = false) {
        const QByteArray payload(int(random.bounded(65536)), char(random.bounded(256)));
        if (!Global::safeSaving(file, QCryptographicHash::hash(payload, QCryptographicHash::Md5) + payload).isEmpty())
            return 1;
        if (!loop)
            return 0;
        if (first && std::puts("saved") >= 0)
            std::fflush(stdout);
    }
}

} // namespace

class tst_CrashKill : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSaving()
    {
        // The saving settings are written here, so that no child is killed while it writes them.
        FakeInstallation::reset();
        QVERIFY(Global::safeSaving(FakeInstallation::filePath("data/warm-up"), QByteArray()).isEmpty());
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("seed %u", seed);
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target.bin"));
        for (int round = 0; round < qMax(300, qEnvironmentVariableIntValue("CRASHKILL_ROUNDS")); ++round) {
            QProcess saver, fresh;
            saver.start(QCoreApplication::applicationFilePath(), {"--save", target, "loop", QString::number(random.generate())});
            QVERIFY(saver.waitForReadyRead(30000));
            QThread::usleep(random.bounded(20000));
            ::kill(pid_t(saver.processId()), SIGKILL);
            QVERIFY(saver.waitForFinished(30000) && saver.exitStatus() == QProcess::CrashExit);
            const QString states = statesOf(target);
            QVERIFY2(!states.left(states.lastIndexOf(' ')).contains("cut") && states.contains("whole"),
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(states)));

            fresh.start(QCoreApplication::applicationFilePath(), {"--save", target, "once", QString::number(random.generate())});
            QVERIFY(fresh.waitForFinished(30000) && fresh.exitStatus() == QProcess::NormalExit && fresh.exitCode() == 0);
            // Killed between its two renamings, a save leaves no target: the next one only renames.
            QCOMPARE(statesOf(target), QLatin1String(states.startsWith("absent") ? "whole whole absent" : "whole absent absent"));
        }
    }
};

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--save") == 0)
        return runSaver(QString::fromLocal8Bit(argv[2]), qstrcmp(argv[3], "loop") == 0, QByteArray(argv[4]).toUInt());
    tst_CrashKill test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashkill.moc"
