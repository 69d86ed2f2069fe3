#include "cmodemprobe.h"

#include "deviceaccess.h"
#include "modemlines.h"

#include <QFileInfo>

#include <unistd.h>

namespace {

const QString HangUpCommand = QStringLiteral("ATH");
constexpr int DtrDropMs = 500;

// Bytes as they came, with what is not printable shown as \xNN.
QString visibleBytes(const QByteArray &bytes)
{
    QString text;
    for (const char byte : bytes) {
        const uchar code = uchar(byte);
        if (code == '\r')
            text += QLatin1String("\\r");
        else if (code == '\n')
            text += QLatin1String("\\n");
        else if (code >= 0x20 && code < 0x7f)
            text += QLatin1Char(byte);
        else
            text += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
    }
    return text;
}

// Where the first line of the buffer ends; -1 while it has not ended.
int lineEnd(const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\r' || bytes.at(i) == '\n')
            return i;
    }
    return -1;
}

} // namespace

CModemProbe::CModemProbe(const ComPortSettings &port, const ModemCheckOptions &options, QObject *parent)
    : QObject(parent), port(withDefaults(port)), options(options)
{
    checkResult.portName = port.portName;
    answerTimer.setSingleShot(true);
    answerTimer.setTimerType(Qt::PreciseTimer);
    connect(&answerTimer, &QTimer::timeout, this, &CModemProbe::timedOut);
    connect(&serial, &QSerialPort::readyRead, this, &CModemProbe::readAnswer);
    connect(&serial, &QSerialPort::errorOccurred, this, &CModemProbe::portFailed);
}

CModemProbe::~CModemProbe()
{
    // Deleted in the middle of a call: the line is not left busy.
    if (serial.isOpen() && dialing) {
        serial.setDataTerminalReady(false);
        serial.write((HangUpCommand + QLatin1Char('\r')).toLatin1());
        serial.waitForBytesWritten(100);
    }
}

void CModemProbe::start()
{
    QMetaObject::invokeMethod(this, &CModemProbe::begin, Qt::QueuedConnection);
}

void CModemProbe::cancel()
{
    const QString verdict = tr("проверка прервана");
    if (dialing && !hangingUp)
        hangUp(ModemCheckResult::Cancelled, verdict);
    else if (!hangingUp)
        finish(ModemCheckResult::Cancelled, verdict);
}

const ModemCheckResult &CModemProbe::result() const
{
    return checkResult;
}

void CModemProbe::begin()
{
    if (done)
        return;
    if (!QFileInfo::exists(port.portName)) {
        finish(ModemCheckResult::NoDevice,
               tr("нет такого устройства: %1 (модем не подключен или имя порта неверно)").arg(port.portName));
        return;
    }
    QString note;
    const QString refusal = lock.acquire(port.portName, &note);
    if (!note.isEmpty())
        checkResult.notes.append(note);
    if (!refusal.isEmpty()) {
        finish(ModemCheckResult::Busy, refusal);
        return;
    }
    if (!openPort())
        return;
    commands = QStringList{QStringLiteral("AT")} + initCommands(port.initString);
    if (!options.dialNumber.isEmpty())
        commands.append(QStringLiteral("ATD") + options.dialNumber);
    sendNext();
}

bool CModemProbe::openPort()
{
    serial.setPortName(port.portName);
    serial.setBaudRate(port.baudRate);
    serial.setDataBits(QSerialPort::DataBits(port.dataBits));
    serial.setParity(QSerialPort::Parity(port.parity));
    serial.setStopBits(QSerialPort::StopBits(port.stopBits));
    serial.setFlowControl(QSerialPort::FlowControl(port.flowControl));
    opened = serial.open(QIODevice::ReadWrite);
    if (opened)
        return true;
    if (access(QFile::encodeName(port.portName).constData(), R_OK | W_OK) != 0)
        finish(ModemCheckResult::PermissionDenied, accessRefusalText(port.portName));
    else
        finish(ModemCheckResult::OpenFailed, tr("порт не открылся: %1").arg(serial.errorString()));
    return false;
}

void CModemProbe::sendNext()
{
    if (commands.isEmpty()) {
        finish(ModemCheckResult::Ok, checkResult.answers.size() > 1
                                         ? tr("модем ответил OK на AT и на строку инициализации")
                                         : tr("модем ответил OK на AT; строка инициализации не задана"));
        return;
    }
    const QString command = commands.takeFirst();
    dialing = command.startsWith(QLatin1String("ATD"));
    send(command, dialing ? options.dialTimeoutMs : options.timeoutMs);
}

void CModemProbe::send(const QString &command, int timeoutMs)
{
    answer = ModemAnswer{command, {}, -1};
    received.clear();
    echoSeen = false;
    serial.write((command + QLatin1Char('\r')).toLatin1());
    clock.start();
    answerTimer.start(timeoutMs);
}

void CModemProbe::readAnswer()
{
    received += serial.readAll();
    int end;
    while (!done && (end = lineEnd(received)) >= 0) {
        const QString line = QString::fromLatin1(received.left(end)).trimmed();
        received.remove(0, end + 1);
        if (line.isEmpty())
            continue;
        if (!echoSeen && line == answer.command.trimmed()) {
            echoSeen = true;
            continue;
        }
        answer.lines.append(line);
        if (isFinalResultLine(line))
            answerEnded(line);
    }
}

void CModemProbe::answerEnded(const QString &finalLine)
{
    answerTimer.stop();
    answer.milliseconds = clock.elapsed();
    checkResult.answers.append(answer);
    if (hangingUp) {
        finish(pendingOutcome, pendingVerdict);
    } else if (dialing) {
        hangUp(isSuccessLine(finalLine) ? ModemCheckResult::Ok : ModemCheckResult::CallFailed,
               tr("вызов %1: модем ответил %2").arg(options.dialNumber, finalLine));
    } else if (isSuccessLine(finalLine)) {
        sendNext();
    } else if (answer.command == QLatin1String("AT")) {
        finish(ModemCheckResult::ErrorAnswer, tr("модем ответил %1 на AT").arg(finalLine));
    } else {
        finish(ModemCheckResult::ErrorAnswer,
               tr("модем ответил %1 на строку инициализации «%2»: строка инициализации неверна")
                   .arg(finalLine, port.initString));
    }
}

void CModemProbe::timedOut()
{
    keepUnfinishedLine();
    checkResult.answers.append(answer);
    if (hangingUp) {
        finish(pendingOutcome, pendingVerdict);
    } else if (dialing) {
        hangUp(ModemCheckResult::CallFailed,
               tr("вызов %1: нет результата за %2 мс").arg(options.dialNumber).arg(options.dialTimeoutMs));
    } else if (answer.lines.isEmpty()) {
        finish(ModemCheckResult::NoAnswer,
               tr("модем не ответил на %1 за %2 мс: неверная скорость, модем выключен или не подключен кабель")
                   .arg(answer.command)
                   .arg(options.timeoutMs));
    } else {
        finish(ModemCheckResult::Garbage,
               tr("на %1 пришли байты, не составляющие строку результата («%2»): обычно это неверная "
                  "скорость или четность")
                   .arg(answer.command, answer.lines.join(QStringLiteral(" / "))));
    }
}

void CModemProbe::portFailed(QSerialPort::SerialPortError error)
{
    // Other errors, such as DTR on a device without modem lines, end nothing.
    const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError
                      || error == QSerialPort::WriteError;
    // Errors while opening are open()'s to report.
    if (!lost || done || !opened)
        return;
    answerTimer.stop();
    keepUnfinishedLine();
    if (!answer.command.isEmpty())
        checkResult.answers.append(answer);
    finish(ModemCheckResult::HungUp,
           tr("связь с модемом оборвалась посреди ответа на %1 (устройство закрылось: модем отключен или "
              "выключен)")
               .arg(answer.command));
}

void CModemProbe::keepUnfinishedLine()
{
    if (!received.isEmpty())
        answer.lines.append(visibleBytes(received));
    received.clear();
}

void CModemProbe::hangUp(ModemCheckResult::Outcome outcome, const QString &verdict)
{
    pendingOutcome = outcome;
    pendingVerdict = verdict;
    hangingUp = true;
    answerTimer.stop();
    answer = ModemAnswer();
    // A connected modem takes no commands: DTR dropped for a moment ends the
    // call, ATH then makes sure of it.
    serial.setDataTerminalReady(false);
    QTimer::singleShot(DtrDropMs, this, [this] {
        if (done)
            return;
        serial.setDataTerminalReady(true);
        send(HangUpCommand, options.timeoutMs);
    });
}

void CModemProbe::finish(ModemCheckResult::Outcome outcome, const QString &verdict)
{
    if (done)
        return;
    done = true;
    dialing = false;
    answerTimer.stop();
    serial.close();
    lock.release();
    checkResult.outcome = outcome;
    checkResult.verdict = verdict;
    emit finished();
}
