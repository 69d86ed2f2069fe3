#include "cmodemcheckdialog.h"
#include "ui_cmodemcheckdialog.h"

#include <QHeaderView>
#include <QStyle>

namespace {

QString answersText(const ModemCheckResult &result)
{
    QStringList parts;
    for (const ModemAnswer &answer : result.answers) {
        const QString lines = answer.lines.isEmpty() ? CModemCheckDialog::tr("нет ответа")
                                                     : answer.lines.join(QLatin1Char(' '));
        parts.append(answer.milliseconds < 0 ? QStringLiteral("%1 → %2").arg(answer.command, lines)
                                             : CModemCheckDialog::tr("%1 → %2 (%3 мс)").arg(answer.command, lines)
                                                   .arg(answer.milliseconds));
    }
    return (parts + result.notes).join(QLatin1Char('\n'));
}

} // namespace

CModemCheckDialog::CModemCheckDialog(const QList<ModemCheckResult> &results, QWidget *parent)
    : QDialog(parent), ui(new Ui_CModemCheckDialog)
{
    ui->setupUi(this);
    ui->twResults->setRowCount(results.size());
    for (int row = 0; row < results.size(); ++row) {
        const ModemCheckResult &result = results.at(row);
        const bool ok = result.outcome == ModemCheckResult::Ok;
        auto *verdict = new QTableWidgetItem(style()->standardIcon(ok ? QStyle::SP_DialogApplyButton
                                                                      : QStyle::SP_MessageBoxWarning),
                                             result.verdict);
        ui->twResults->setItem(row, 0, new QTableWidgetItem(result.portName));
        ui->twResults->setItem(row, 1, verdict);
        ui->twResults->setItem(row, 2, new QTableWidgetItem(answersText(result)));
    }
    // The verdict takes the room that the port names and the answers leave.
    ui->twResults->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ui->twResults->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    ui->twResults->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    ui->twResults->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

CModemCheckDialog::~CModemCheckDialog()
{
    delete ui;
}
