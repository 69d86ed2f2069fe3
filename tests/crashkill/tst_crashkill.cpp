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

// Of the target, its backup and its new file: "absent", "whole" or "cut" each.
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

// A content that tells whether it is whole: its payload's MD5, then the payload.
QByteArray randomContent(QRandomGenerator &random)
{
    const QByteArray payload(int(random.bounded(65536)), char(random.bounded(256)));
    return QCryptographicHash::hash(payload, QCryptographicHash::Md5) + payload;
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
            QProcess saver;
            saver.start(QCoreApplication::applicationFilePath(), {"--save", target, QString::number(random.generate())});
            QVERIFY(saver.waitForReadyRead(30000));
            QThread::usleep(random.bounded(20000));
            ::kill(pid_t(saver.processId()), SIGKILL);
            QVERIFY(saver.waitForFinished(30000) && saver.exitStatus() == QProcess::CrashExit);
            const QString states = statesOf(target);
            QVERIFY2(!states.left(states.lastIndexOf(' ')).contains("cut") && states.contains("whole"),
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(states)));

            QVERIFY(Global::safeSaving(target, randomContent(random)).isEmpty());
            // Killed between its two renamings, a save leaves no target: the next one only renames.
            QCOMPARE(statesOf(target), QLatin1String(states.startsWith("absent") ? "whole whole absent" : "whole absent absent"));
        }
    }
};

// As the child: saves to FILE in a loop until killed, saying "saved" after the first save.
int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 4 || qstrcmp(argv[1], "--save") != 0) {
        tst_CrashKill test;
        return QTest::qExec(&test, argc, argv);
    }
    QRandomGenerator random(QByteArray(argv[3]).toUInt());
    for (bool first = true; Global::safeSaving(QString::fromLocal8Bit(argv[2]), randomContent(random)).isEmpty(); first = false) {
        if (first && std::puts("saved") >= 0)
            std::fflush(stdout);
    }
    return 1;
}

#include "tst_crashkill.moc"
