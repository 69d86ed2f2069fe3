#include "doctor.h"

#include "comconftext.h"
#include "abonentcheck.h"
#include "channelcheck.h"
#include "duplicateports.h"
#include "findings.h"
#include "installationpaths.h"
#include "layoutcheck.h"
#include "portcheck.h"
#include "recordprinter.h"
#include "settingscheck.h"

#include "common/globalpaths.h"

#include <QFileInfo>

int runDoctor(const QString &installDir, const QStringList &abonentFiles)
{
    const InstallationPaths paths(installDir.isEmpty() ? Global::installDir().absolutePath() : installDir);
    Findings findings;
    if (!QFileInfo(paths.installDir()).isDir()) {
        findings.error(Comconf::tr("каталог установки не найден: %1").arg(paths.installDir()));
        return 1;
    }
    findings.ok(Comconf::tr("каталог установки: %1").arg(paths.installDir()));

    checkLayout(paths, findings);
    checkInternalSettings(paths.internalSettingsFile(), findings);
    const ChannelComSettings channel = checkChannelFile(paths.channelComSettingsFile(), findings);
    const QStringList duplicates = duplicatePortNames(channel.ports);
    for (const QString &name : duplicates)
        findings.error(Comconf::tr("порт %1 указан в файле настроек канала более одного раза; проверен один раз")
                           .arg(quotedText(name)));
    QStringList checked;
    for (const ComPortSettings &port : channel.ports) {
        // Of a name given twice the channel uses the active port, if any.
        const bool activeTwin = !port.active && duplicates.contains(port.portName)
                                && activePortNames(channel).contains(port.portName);
        if (!checked.contains(port.portName) && !activeTwin) {
            checked.append(port.portName);
            checkPort(port, findings);
        }
    }
    const QStringList activePorts = activePortNames(channel);
    for (const QString &file : abonentFiles)
        checkAbonentFile(file, activePorts, findings);
    return findings.hasErrors() ? 1 : 0;
}
