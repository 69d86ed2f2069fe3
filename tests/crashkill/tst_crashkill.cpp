// Global::safeSaving killed with SIGKILL at random moments of a saving loop.
#include "common/csettings.h"
#include "savedcontent.h"
#include "tests/support/fakeinstallation.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

class tst_CrashKill : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedWhileSaving();
};

namespace {

const QString saverPath = QStringLiteral(SAVER_PATH);

// What a killed save left under each of the three names: "absent", "whole" or "cut".
QString stateOf(QString const &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("absent");
    return SavedContent::isComplete(file.readAll()) ? QStringLiteral("whole") : QStringLiteral("cut");
}

QString statesOf(QString const &target)
{
    return QStringLiteral("%1 .old:%2 .new:%3")
        .arg(stateOf(target), stateOf(target + QStringLiteral(".old")), stateOf(target + QStringLiteral(".new")));
}

} // namespace

// The saving settings are written here once, so that no helper is killed while it writes them.
void tst_CrashKill::initTestCase()
{
    FakeInstallation::reset();
    CSettings settings;
    settings.detailsMaxWritingTime();
    settings.filePermissions();
    settings.dirPermissions();
}

void tst_CrashKill::killedWhileSaving()
{
    const int rounds = qMax(300, qEnvironmentVariableIntValue("CRASHKILL_ROUNDS"));
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("%d rounds, seed %u", rounds, seed);
    QRandomGenerator random(seed);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString target = dir.filePath(QStringLiteral("target.bin"));
    QMap<QString, int> killsByState;

    for (int round = 0; round < rounds; ++round) {
        QProcess saver;
        saver.start(saverPath, {target, QStringLiteral("loop"), QString::number(random.generate())});
        QVERIFY2(saver.waitForReadyRead(30000), saver.readAllStandardError().constData());
        QThread::usleep(random.bounded(20000));
        ::kill(pid_t(saver.processId()), SIGKILL);
        QVERIFY(saver.waitForFinished(30000));
        QVERIFY2(saver.exitStatus() == QProcess::CrashExit, saver.readAllStandardError().constData());

        // The target and the backup are only ever made by renaming a whole file; the
        // temporary may be cut, but one of the three holds a whole content.
        const QString states = statesOf(target);
        const bool survived = QRegularExpression(QStringLiteral("^(absent|whole) \\.old:(absent|whole) "))
                                  .match(states).hasMatch()
                              && states.contains(QLatin1String("whole"));
        QVERIFY2(survived, qPrintable(QStringLiteral("round %1: %2").arg(round).arg(states)));
        ++killsByState[states];

        QProcess fresh;
        fresh.start(saverPath, {target, QStringLiteral("once"), QString::number(random.generate())});
        QVERIFY(fresh.waitForFinished(30000));
        QVERIFY2(fresh.exitStatus() == QProcess::NormalExit && fresh.exitCode() == 0,
                 fresh.readAllStandardError().constData());
        // Killed between its two renamings, a save leaves no target: the next one then only
        // renames its temporary, and the backup waits for the next save over an existing target.
        const QString backupLeft = states.startsWith(QLatin1String("absent")) ? QStringLiteral("whole")
                                                                             : QStringLiteral("absent");
        QCOMPARE(statesOf(target), QStringLiteral("whole .old:%1 .new:absent").arg(backupLeft));
    }
    for (auto it = killsByState.cbegin(); it != killsByState.cend(); ++it)
        qInfo("%d kills left %s", it.value(), qPrintable(it.key()));
}

QTEST_GUILESS_MAIN(tst_CrashKill)
#include "tst_crashkill.moc"
