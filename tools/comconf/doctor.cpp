#include "doctor.h"

#include "abonentcheck.h"
#include "channelcheck.h"
#include "findings.h"
#include "installationpaths.h"
#include "layoutcheck.h"
#include "portcheck.h"
#include "settingscheck.h"

#include "common/globalpaths.h"

#include <QFileInfo>

int runDoctor(const QString &installDir, const QStringList &abonentFiles)
{
    const InstallationPaths paths(installDir.isEmpty() ? Global::installDir().absolutePath() : installDir);
    Findings findings;
    if (!QFileInfo(paths.installDir()).isDir()) {
        findings.error(QStringLiteral("каталог установки не найден: %1").arg(paths.installDir()));
        return 1;
    }
    findings.ok(QStringLiteral("каталог установки: %1").arg(paths.installDir()));

    checkLayout(paths, findings);
    checkInternalSettings(paths.internalSettingsFile(), findings);
    const ChannelComSettings channel = checkChannelFile(paths.channelComSettingsFile(), findings);
    for (const ComPortSettings &port : channel.ports)
        checkPort(port, findings);
    const QStringList activePorts = activePortNames(channel);
    for (const QString &file : abonentFiles)
        checkAbonentFile(file, activePorts, findings);
    return findings.hasErrors() ? 1 : 0;
}
