#include "unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace TestSupport {

int rerunCurrentTest(QString const &setup, QStringList wrapper)
{
    QString testName = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        testName += QLatin1Char(':') + QString::fromLatin1(QTest::currentDataTag());
    wrapper << QCoreApplication::applicationFilePath() << testName;
    if (!setup.isEmpty())
        wrapper = QStringList{"unshare", "--mount", "--", "sh", "-c", QStringLiteral("(%1) || exit 125\nexec \"$@\"").arg(setup), "sh"} + wrapper;
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("COMCHANNEL_TEST_RERUN"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.start(wrapper.takeFirst(), wrapper);
    const int code = child.waitForFinished(120000) && child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    if (code != 0)
        qWarning().noquote() << "re-run of the test failed:\n" << QString::fromLocal8Bit(child.readAll());
    return code;
}

int runCurrentTestAsNobody()
{
    const QString installDir = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
    QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a+rwX"), installDir});
    const QStringList asNobody{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"};

    // The first directory on the way that others may not enter, and the one just below the last such.
    QString closed, below, dir;
    for (const QString &part : installDir.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        const QString parent = dir.isEmpty() ? QStringLiteral("/") : dir;
        dir += QLatin1Char('/') + part;
        if (!QFileInfo(parent).permission(QFileDevice::ExeOther)) {
            closed = closed.isEmpty() ? parent : closed;
            below = dir;
        }
    }
    if (closed.isEmpty())
        return rerunCurrentTest(QString(), asNobody);

    // The closed directory is covered with an open one, in which the way down
    // to the installation is bound to the real one, kept aside beforehand.
    QTemporaryDir aside;
    return rerunCurrentTest(QStringLiteral("mount --bind '%1' '%2' && mount -t tmpfs -o mode=0755 open '%1' && "
                                           "mkdir -p '%3' && mount --bind '%2%4' '%3'")
                                .arg(closed, aside.path(), below, below.mid(closed.size())),
                            asNobody);
}

} // namespace TestSupport
