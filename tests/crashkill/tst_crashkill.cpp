// Global::safeSaving killed with SIGKILL at random moments of a saving loop: one of
// the target, its backup and its temporary always holds a whole content.
#include "common/globalsaving.h"
#include "tests/support/fakeinstallation.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include <csignal>
#include <cstdio>

namespace {

// A content that tells by itself whether it is whole: its payload's MD5, then the payload.
QByteArray makeContent(QRandomGenerator &random)
{
    const QByteArray payload(int(random.bounded(65536)), char(random.bounded(256)));
    return QCryptographicHash::hash(payload, QCryptographicHash::Md5) + payload;
}

// What a killed save left under a name: "absent", "whole" or "cut".
QString stateOf(QString const &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("absent");
    const QByteArray content = file.readAll();
    const bool whole = content.size() >= 16 && content.left(16) == QCryptographicHash::hash(content.mid(16), QCryptographicHash::Md5);
    return whole ? QStringLiteral("whole") : QStringLiteral("cut");
}

QString statesOf(QString const &target)
{
    return stateOf(target) + " .old:" + stateOf(target + ".old") + " .new:" + stateOf(target + ".new");
}

// The child: saves to FILE once, or in a loop until killed (saying "saved" after the first save).
int runSaver(QString const &file, bool loop, quint32 seed)
{
    QRandomGenerator random(seed);
    for (bool first = true;; first = false) {
        if (!Global::safeSaving(file, makeContent(random)).isEmpty())
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
    // The saving settings are written here once, so that no child is killed while it writes them.
    void initTestCase()
    {
        FakeInstallation::reset();
        QVERIFY(Global::safeSaving(FakeInstallation::filePath("data/warm-up"), QByteArray()).isEmpty());
    }

    void killedWhileSaving()
    {
        const int rounds = qMax(300, qEnvironmentVariableIntValue("CRASHKILL_ROUNDS"));
        const quint32 seed = QRandomGenerator::global()->generate();
        qInfo("%d rounds, seed %u", rounds, seed);
        QRandomGenerator random(seed);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target.bin"));
        const auto start = [&](QProcess &child, QString const &mode) {
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--save"), target, mode, QString::number(random.generate())});
        };
        for (int round = 0; round < rounds; ++round) {
            QProcess saver;
            start(saver, QStringLiteral("loop"));
            QVERIFY(saver.waitForReadyRead(30000));
            QThread::usleep(random.bounded(20000));
            ::kill(pid_t(saver.processId()), SIGKILL);
            QVERIFY(saver.waitForFinished(30000) && saver.exitStatus() == QProcess::CrashExit);

            // Target and backup are only ever made by renaming a whole file.
            const QString states = statesOf(target);
            QVERIFY2(!states.contains(QLatin1String("cut .old")) && !states.contains(QLatin1String(".old:cut"))
                         && states.contains(QLatin1String("whole")),
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(states)));
            QProcess fresh;
            start(fresh, QStringLiteral("once"));
            QVERIFY(fresh.waitForFinished(30000) && fresh.exitStatus() == QProcess::NormalExit && fresh.exitCode() == 0);
            // Killed between its two renamings, a save leaves no target: the next one only renames.
            QCOMPARE(statesOf(target), states.startsWith(QLatin1String("absent")) ? QStringLiteral("whole .old:whole .new:absent")
                                                                                 : QStringLiteral("whole .old:absent .new:absent"));
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
