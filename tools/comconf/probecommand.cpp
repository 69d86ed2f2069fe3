#include "probecommand.h"

#include "comconftext.h"
#include "channelcheck.h"
#include "cmodemcheck.h"
#include "commandline.h"
#include "console.h"
#include "installationpaths.h"
#include "interruption.h"
#include "probeprinter.h"
#include "recordfile.h"

#include "common/globalpaths.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>

namespace {

// The channel's active ports, or the ports named: those the record lacks with
// the port dialog's defaults. An error leaves *error set.
QList<ComPortSettings> portsToProbe(const QString &channelFile, const QStringList &names, QString *error)
{
    ChannelComSettings channel;
    if (QFileInfo::exists(channelFile)) {
        QByteArray data;
        if (!readWholeFile(channelFile, &data, error))
            return {};
        const QString message = channel.fromByteArray(data);
        if (!message.isEmpty()) {
            *error = QStringLiteral("%1: %2").arg(channelFile, message);
            return {};
        }
    } else if (names.isEmpty()) {
        *error = Comconf::tr("файл настроек канала отсутствует, COM порты не настроены: %1").arg(channelFile);
        return {};
    }
    QList<ComPortSettings> ports;
    for (const QString &name : names) {
        const auto stored = std::find_if(channel.ports.cbegin(), channel.ports.cend(),
                                         [&name](const ComPortSettings &port) { return port.portName == name; });
        ports.append(stored != channel.ports.cend() ? *stored : ComPortSettings{true, name, QString()});
    }
    for (const ComPortSettings &port : channel.ports) {
        if (names.isEmpty() && port.active)
            ports.append(port);
    }
    if (ports.isEmpty())
        *error = Comconf::tr("в канале нет активных портов: %1").arg(channelFile);
    return ports;
}

} // namespace

int runProbe(const CommandLine &line)
{
    const InstallationPaths paths(line.installDir.isEmpty() ? Global::installDir().absolutePath() : line.installDir);
    QString error;
    const QList<ComPortSettings> ports = portsToProbe(paths.channelComSettingsFile(), line.ports, &error);
    if (!error.isEmpty()) {
        printErrorLine(Comconf::tr("ОШИБКА: %1").arg(error));
        return 2;
    }
    ModemCheckOptions options;
    options.timeoutMs = line.timeoutMs;
    options.dialNumber = line.dialNumber;
    if (line.timeoutSet)
        options.dialTimeoutMs = line.timeoutMs;

    CModemCheck check(ports, options);
    CInterruption interruption;
    QEventLoop loop;
    QObject::connect(&interruption, &CInterruption::interrupted, &check, &CModemCheck::cancel);
    QObject::connect(&check, &CModemCheck::finished, &loop, &QEventLoop::quit);
    check.start();
    loop.exec();

    const QList<ModemCheckResult> results = check.results();
    const QJsonObject json = probeJson(results);
    if (line.json)
        printLine(QString::fromUtf8(QJsonDocument(json).toJson()));
    else
        printLine(probeLines(ports, results).join(QLatin1Char('\n')));
    return json.value(QStringLiteral("ok")).toInt() == results.size() ? 0 : 1;
}
