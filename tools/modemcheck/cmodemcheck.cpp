#include "cmodemcheck.h"

#include "cmodemprobe.h"

CModemCheck::CModemCheck(const QList<ComPortSettings> &ports, const ModemCheckOptions &options, QObject *parent)
    : QObject(parent)
{
    for (const ComPortSettings &port : ports) {
        probes.append(new CModemProbe(port, options, this));
        connect(probes.constLast(), &CModemProbe::finished, this, &CModemCheck::probeFinished, Qt::QueuedConnection);
    }
}

void CModemCheck::start()
{
    running = probes.size();
    if (probes.isEmpty())
        QMetaObject::invokeMethod(this, &CModemCheck::finished, Qt::QueuedConnection);
    for (CModemProbe *probe : qAsConst(probes))
        probe->start();
}

void CModemCheck::cancel()
{
    for (CModemProbe *probe : qAsConst(probes))
        probe->cancel();
}

QList<ModemCheckResult> CModemCheck::results() const
{
    QList<ModemCheckResult> all;
    for (const CModemProbe *probe : probes)
        all.append(probe->result());
    return all;
}

void CModemCheck::probeFinished()
{
    if (--running == 0)
        emit finished();
}
