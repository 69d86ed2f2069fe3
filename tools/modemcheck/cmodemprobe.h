#pragma once

#include "modemcheckresult.h"
#include "portlocks.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSerialPort>
#include <QStringList>
#include <QTimer>

// Checks one port as an operator would with a serial terminal: takes the
// port's lock, opens it with its stored parameters, sends AT and the
// initialisation string (and dials when asked), reads each answer, hangs up,
// and releases port and lock whatever happened. It works through the port's
// signals, so many ports are checked at once in one thread without blocking it.
class CModemProbe : public QObject
{
    Q_OBJECT
public:
    CModemProbe(const ComPortSettings &port, const ModemCheckOptions &options, QObject *parent = nullptr);
    ~CModemProbe() override;

    // finished() follows, always from the event loop.
    void start();
    // Ends the check at once; a call under way is hung up first.
    void cancel();

    const ModemCheckResult &result() const;

signals:
    void finished();

private:
    void begin();
    bool openPort();
    void sendNext();
    void send(const QString &command, int timeoutMs);
    void readAnswer();
    void answerEnded(const QString &finalLine);
    void timedOut();
    void keepUnfinishedLine();
    void portFailed(QSerialPort::SerialPortError error);
    void hangUp(ModemCheckResult::Outcome outcome, const QString &verdict);
    void finish(ModemCheckResult::Outcome outcome, const QString &verdict);

    const ComPortSettings port;
    const ModemCheckOptions options;
    CHeldPortLock lock; // declared before the port: released after the port is closed
    QSerialPort serial;
    QTimer answerTimer;
    QElapsedTimer clock;
    QStringList commands;
    ModemAnswer answer;
    QByteArray received;
    bool opened = false;
    bool echoSeen = false;
    bool dialing = false;
    bool hangingUp = false;
    bool done = false;
    ModemCheckResult::Outcome pendingOutcome = ModemCheckResult::Ok;
    QString pendingVerdict;
    ModemCheckResult checkResult;
};
