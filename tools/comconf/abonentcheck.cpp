#include "abonentcheck.h"

#include "comconftext.h"
#include "findings.h"
#include "recordfile.h"
#include "recordprinter.h"

#include "comchannel/comsettings.h"

void checkAbonentFile(const QString &path, const QStringList &activePorts, Findings &findings)
{
    QByteArray data;
    QString error;
    AbonentComSettings abonent;
    if (!readWholeFile(path, &data, &error)) {
        findings.error(error);
        return;
    }
    const QString message = abonent.fromByteArray(data);
    if (!message.isEmpty()) {
        findings.error(Comconf::tr("абонент %1: %2").arg(path, message));
        return;
    }

    if (abonent.phoneNumber.trimmed().isEmpty())
        findings.error(Comconf::tr("абонент без номера телефона (%1): его нельзя вызвать").arg(path));
    const QString label = Comconf::tr("абонент %1 (%2)").arg(quotedText(abonent.phoneNumber), path);
    if (abonent.ports.isEmpty()) {
        if (activePorts.isEmpty())
            findings.error(Comconf::tr("%1: разрешен любой порт, но в канале нет активных портов").arg(label));
        else
            findings.ok(Comconf::tr("%1: разрешен любой порт").arg(label));
        return;
    }
    QStringList inactive;
    for (const QString &port : abonent.ports) {
        if (!activePorts.contains(port))
            inactive.append(port);
    }
    if (inactive.size() == abonent.ports.size())
        findings.error(Comconf::tr("%1: ни один из его портов (%2) не является активным портом канала")
                           .arg(label, quotedList(abonent.ports)));
    else if (!inactive.isEmpty())
        findings.warning(Comconf::tr("%1: порты %2 не активны в канале").arg(label, quotedList(inactive)));
    else
        findings.ok(Comconf::tr("%1: порты %2 активны в канале").arg(label, quotedList(abonent.ports)));
}
