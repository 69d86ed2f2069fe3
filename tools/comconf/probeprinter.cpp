#include "probeprinter.h"

#include "comconftext.h"
#include "portcodes.h"
#include "recordprinter.h"

#include <QJsonArray>

namespace {

QString answerLine(const ModemAnswer &answer)
{
    if (answer.milliseconds >= 0)
        return Comconf::tr("  %1 → %2 (%3 мс)")
            .arg(answer.command, answer.lines.join(QStringLiteral(" / ")))
            .arg(answer.milliseconds);
    if (answer.lines.isEmpty())
        return Comconf::tr("  %1 → нет ответа").arg(answer.command);
    return Comconf::tr("  %1 → %2 (ответ не закончен)").arg(answer.command, answer.lines.join(QStringLiteral(" / ")));
}

int passed(const QList<ModemCheckResult> &results)
{
    return int(std::count_if(results.begin(), results.end(),
                             [](const ModemCheckResult &result) { return result.outcome == ModemCheckResult::Ok; }));
}

} // namespace

QStringList probeLines(const QList<ComPortSettings> &ports, const QList<ModemCheckResult> &results)
{
    QStringList lines;
    for (int i = 0; i < results.size(); ++i) {
        const ModemCheckResult &result = results.at(i);
        lines << Comconf::tr("Порт %1: %2").arg(quotedText(result.portName), portCodesText(withDefaults(ports.at(i))));
        for (const ModemAnswer &answer : result.answers)
            lines << answerLine(answer);
        for (const QString &note : result.notes)
            lines << Comconf::tr("  ПРИМЕЧАНИЕ: %1").arg(note);
        const bool ok = result.outcome == ModemCheckResult::Ok;
        lines << QStringLiteral("  %1: %2").arg(ok ? QStringLiteral("OK") : Comconf::tr("ОШИБКА"), result.verdict)
              << QString();
    }
    lines << Comconf::tr("Итог: проверено портов: %1, модем ответил OK: %2, с ошибками: %3")
                 .arg(results.size())
                 .arg(passed(results))
                 .arg(results.size() - passed(results));
    return lines;
}

QJsonObject probeJson(const QList<ModemCheckResult> &results)
{
    QJsonArray ports;
    for (const ModemCheckResult &result : results) {
        QJsonArray answers;
        for (const ModemAnswer &answer : result.answers)
            answers.append(QJsonObject{{QStringLiteral("command"), answer.command},
                                       {QStringLiteral("lines"), QJsonArray::fromStringList(answer.lines)},
                                       {QStringLiteral("milliseconds"), answer.milliseconds}});
        ports.append(QJsonObject{{QStringLiteral("port"), result.portName},
                                 {QStringLiteral("outcome"), outcomeKey(result.outcome)},
                                 {QStringLiteral("verdict"), result.verdict},
                                 {QStringLiteral("notes"), QJsonArray::fromStringList(result.notes)},
                                 {QStringLiteral("answers"), answers}});
    }
    return {{QStringLiteral("ports"), ports},
            {QStringLiteral("checked"), results.size()},
            {QStringLiteral("ok"), passed(results)}};
}
