#include "unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char RerunVariable[] = "COMCHANNEL_TEST_RERUN";

// The first directory on the way to `path` that others may not enter (empty if
// none) and the directory just below the last such one.
QPair<QString, QString> closedWay(const QString &path)
{
    QPair<QString, QString> way;
    QString dir;
    for (const QString &part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString parent = dir.isEmpty() ? QStringLiteral("/") : dir;
        dir += QLatin1Char('/') + part;
        struct stat status;
        if (::stat(QFile::encodeName(parent).constData(), &status) == 0 && !(status.st_mode & S_IXOTH)) {
            if (way.first.isEmpty())
                way.first = parent;
            way.second = dir;
        }
    }
    return way;
}

int rerun(const QString &setup, const QStringList &wrapper)
{
    QString testName = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        testName += QLatin1Char(':') + QString::fromLatin1(QTest::currentDataTag());
    QStringList arguments = wrapper;
    if (!setup.isEmpty()) {
        arguments = QStringList{QStringLiteral("--mount"), QStringLiteral("--"), QStringLiteral("sh"),
                                QStringLiteral("-c"), QStringLiteral("(%1) || exit 125\nexec \"$@\"").arg(setup),
                                QStringLiteral("sh")}
                    + wrapper;
    }
    arguments << QCoreApplication::applicationFilePath() << testName;

    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(RerunVariable), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.start(setup.isEmpty() ? arguments.takeFirst() : QStringLiteral("unshare"), arguments);
    if (!child.waitForFinished(120000))
        return -1;
    const int code = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    if (code != 0)
        qWarning().noquote() << "re-run of the test failed:\n" << QString::fromLocal8Bit(child.readAll());
    return code;
}

} // namespace

namespace TestSupport {

bool isRoot()
{
    return geteuid() == 0;
}

bool isRerun()
{
    return qEnvironmentVariableIsSet(RerunVariable);
}

int rerunCurrentTestAfter(QString const &setup)
{
    return rerun(setup, {});
}

int runCurrentTestAsNobody()
{
    const QString installDir = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
    QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a+rwX"), installDir});
    const QStringList asNobody{QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"),
                               QStringLiteral("--regid=nogroup"), QStringLiteral("--clear-groups"),
                               QStringLiteral("--")};
    const QPair<QString, QString> way = closedWay(installDir);
    if (way.first.isEmpty())
        return rerun(QString(), asNobody);

    // The closed directory is covered with an open one, in which the way down
    // to the installation is bound to the real one, kept aside beforehand.
    QTemporaryDir aside;
    if (!aside.isValid() || QProcess::execute(QStringLiteral("unshare"), {"--mount", "true"}) != 0) {
        qWarning("%s is closed to \"nobody\" and no private mount namespace can be made to show it the tests: "
                 "build below a directory that others may enter",
                 qPrintable(way.first));
        return 1;
    }
    const QString setup = QStringLiteral("mount --bind '%1' '%2' && mount -t tmpfs -o mode=0755 open '%1' && "
                                         "mkdir -p '%3' && mount --bind '%2%4' '%3'")
                              .arg(way.first, aside.path(), way.second, way.second.mid(way.first.size()));
    return rerun(setup, asNobody);
}

} // namespace TestSupport
