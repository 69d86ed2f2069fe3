#pragma once

#include "modemcheckresult.h"

#include <QList>
#include <QObject>

class CModemProbe;

// Several ports checked at once: the whole check takes about as long as the
// slowest port, not the sum of all.
class CModemCheck : public QObject
{
    Q_OBJECT
public:
    CModemCheck(const QList<ComPortSettings> &ports, const ModemCheckOptions &options, QObject *parent = nullptr);

    // finished() follows, always from the event loop.
    void start();
    void cancel();

    // In the order of the ports given.
    QList<ModemCheckResult> results() const;

signals:
    void finished();

private:
    void probeFinished();

    QList<CModemProbe *> probes;
    int running = 0;
};
