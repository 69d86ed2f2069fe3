#include "unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <unistd.h>

namespace TestSupport {

bool isRoot()
{
    return geteuid() == 0;
}

int runCurrentTestAsNobody()
{
    const QString installDir = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).absolutePath();
    QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a+rwX"), installDir});

    QString testName = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        testName += QLatin1Char(':') + QString::fromLatin1(QTest::currentDataTag());

    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QStringLiteral("setpriv"),
                {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                 QStringLiteral("--clear-groups"), QStringLiteral("--"),
                 QCoreApplication::applicationFilePath(), testName});
    if (!child.waitForFinished(120000))
        return -1;
    const int code = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    if (code != 0)
        qWarning().noquote() << "test as nobody failed:\n" << QString::fromLocal8Bit(child.readAll());
    return code;
}

} // namespace TestSupport
