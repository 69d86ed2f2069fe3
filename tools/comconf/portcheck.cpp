#include "portcheck.h"

#include "comconftext.h"
#include "findings.h"
#include "initstring.h"
#include "portcodes.h"
#include "portlocks.h"
#include "recordprinter.h"
#include "serialdevices.h"

#include "comchannel/comsettings.h"

namespace {

QString portLabel(const ComPortSettings &port)
{
    return Comconf::tr("порт %1").arg(quotedText(port.portName));
}

void checkPresence(const ComPortSettings &port, const QString &label, Findings &findings)
{
    const QSerialPortInfo info = systemPort(port.portName);
    if (!info.isNull())
        findings.ok(Comconf::tr("%1: система сообщает о нем: описание «%2», производитель «%3»")
                        .arg(label, info.description(), info.manufacturer()));
    else if (port.active)
        findings.error(Comconf::tr("%1 активен, но система его сейчас не видит").arg(label));
    else
        findings.warning(Comconf::tr("%1 (неактивен): система его сейчас не видит").arg(label));
}

void checkStableName(const ComPortSettings &port, const QString &label, Findings &findings)
{
    if (isStableName(port.portName)) {
        findings.ok(Comconf::tr("%1 задан постоянным именем").arg(label));
        return;
    }
    const QString alias = stableAlias(port.portName);
    if (!alias.isEmpty())
        findings.warning(Comconf::tr("%1: номер устройства может смениться при переподключении; "
                                     "постоянное имя: %2")
                             .arg(label, alias));
}

void checkLocks(const ComPortSettings &port, const QString &label, Findings &findings)
{
    const QList<PortLock> locks = portLocks(port.portName);
    if (locks.isEmpty())
        findings.ok(Comconf::tr("%1 не заблокирован").arg(label));
    for (const PortLock &lock : locks) {
        if (lock.pid == 0)
            findings.warning(Comconf::tr("%1: в файле блокировки %2 нет номера процесса").arg(label, lock.path));
        else if (lock.processAlive)
            findings.warning(Comconf::tr("%1 занят процессом %2 (%3), файл блокировки %4")
                                 .arg(label, QString::number(lock.pid), lock.processName, lock.path));
        else
            findings.error(Comconf::tr("%1: устаревший файл блокировки %2: процесса %3 нет; "
                                       "порт не откроется, пока файл не удален")
                               .arg(label, lock.path, QString::number(lock.pid)));
    }
}

void checkInitString(const ComPortSettings &port, const QString &label, Findings &findings)
{
    const QString text = quotedText(port.initString);
    if (port.initString.isEmpty()) {
        findings.ok(Comconf::tr("%1: строка инициализации не задана").arg(label));
        return;
    }
    const int length = modemCommandLength(port.initString);
    const bool atCommand = beginsWithAt(port.initString);
    if (!atCommand)
        findings.error(Comconf::tr("%1: строка инициализации %2 не начинается с AT").arg(label, text));
    if (length > ModemCommandLimit)
        findings.warning(Comconf::tr("%1: строка инициализации %2 длиной %3 символов; модем принимает около %4")
                             .arg(label, text, QString::number(length), QString::number(ModemCommandLimit)));
    if (atCommand && length <= ModemCommandLimit)
        findings.ok(Comconf::tr("%1: строка инициализации %2 в порядке").arg(label, text));
}

} // namespace

void checkPort(const ComPortSettings &port, Findings &findings)
{
    const QString label = portLabel(port);
    for (const QString &error : portCodeErrors(port))
        findings.error(QStringLiteral("%1, %2").arg(label, error));
    if (port.portName.isEmpty()) {
        findings.error(Comconf::tr("%1: имя порта не задано").arg(label));
        return;
    }
    checkPresence(port, label, findings);
    checkStableName(port, label, findings);
    checkLocks(port, label, findings);
    checkInitString(port, label, findings);
}
