#include "cmodemcheckbutton.h"

#include "cchanneltab.h"
#include "cmodemcheck.h"
#include "cmodemcheckdialog.h"
#include "common/messagebox.h"
#include "interfaces/cchannelsettingswidget.h"

#include <QItemSelectionModel>
#include <QProgressDialog>
#include <QTableView>

namespace {

// The page's ports as they stand now; the rows selected in its table, or else the active ones.
QList<ComPortSettings> portsToCheck(CChannelSettingsWidget *page)
{
    QString filePath;
    QByteArray data;
    ChannelComSettings channel;
    if (!page || !page->saveData(&filePath, &data).isEmpty() || !channel.fromByteArray(data).isEmpty())
        return {};
    const auto *table = page->findChild<QTableView *>(QStringLiteral("tvPorts"));
    QList<ComPortSettings> ports;
    for (const QModelIndex &row : table ? table->selectionModel()->selectedRows() : QModelIndexList())
        ports.append(channel.ports.value(row.row()));
    for (const ComPortSettings &port : qAsConst(channel.ports)) {
        if (ports.isEmpty() && port.active)
            ports.append(port);
    }
    return ports;
}

} // namespace

CModemCheckButton::CModemCheckButton(CChannelTab *tab) : QPushButton(tr("Проверить модем")), tab(tab)
{
    setToolTip(tr("Открыть выбранные (или все активные) порты, послать модему AT и строку инициализации "
                  "и показать его ответ"));
    connect(this, &QPushButton::clicked, this, &CModemCheckButton::startCheck);
}

void CModemCheckButton::startCheck()
{
    const QList<ComPortSettings> ports = portsToCheck(tab->page());
    if (ports.isEmpty()) {
        MessageBox::warning(this, tr("Нет портов для проверки: выберите порт в таблице или сделайте порт активным"));
        return;
    }
    setEnabled(false);
    check = new CModemCheck(ports, ModemCheckOptions(), this);
    progress = new QProgressDialog(tr("Проверка портов: %1…").arg(ports.size()), tr("Прервать"), 0, 0, window());
    progress->setWindowModality(Qt::WindowModal);
    progress->show();
    connect(progress, &QProgressDialog::canceled, check, &CModemCheck::cancel);
    connect(check, &CModemCheck::finished, this, &CModemCheckButton::showResults);
    check->start();
}

void CModemCheckButton::showResults()
{
    delete progress;
    auto *dialog = new CModemCheckDialog(check->results(), window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    check->deleteLater();
    setEnabled(true);
}
