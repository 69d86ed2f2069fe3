#include "cabonentstab.h"
#include "ui_cabonentstab.h"

#include "cabonentdialog.h"
#include "common/globalpaths.h"
#include "common/messagebox.h"
#include "interfaces/cchannelabonentsettingswidget.h"
#include "interfaces/cchannelsettingsplugin.h"

#include <QApplication>

#include <memory>

CAbonentsTab::CAbonentsTab(const CChannelSettingsPlugin *plugin) : ui(new Ui_CAbonentsTab), plugin(plugin)
{
    ui->setupUi(this);
    connect(ui->lwAbonents, &QListWidget::itemDoubleClicked, this, &CAbonentsTab::on_pbnEdit_clicked);
}

CAbonentsTab::~CAbonentsTab()
{
    delete ui;
}

QString CAbonentsTab::load()
{
    const QString message = book.load(Global::abonentsSettingsFilePath());
    showAbonents();
    return message;
}

const QList<HostAbonent> &CAbonentsTab::abonents() const
{
    return book.list;
}

QString CAbonentsTab::describe(const HostAbonent &abonent) const
{
    const std::unique_ptr<CChannelAbonentSettingsWidget> page(plugin->abonentWidget());
    const QString message = page->loadData(abonent.comSettings);
    return tr("%1 — %2").arg(abonent.name, message.isEmpty() ? page->prettySettings() : message);
}

void CAbonentsTab::on_pbnAdd_clicked()
{
    CAbonentDialog dialog(plugin, book.list, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    book.list.append(dialog.abonent());
    store();
}

void CAbonentsTab::on_pbnEdit_clicked()
{
    const int row = ui->lwAbonents->currentRow();
    if (row < 0) {
        QApplication::beep();
        return;
    }
    QList<HostAbonent> others = book.list;
    others.removeAt(row);
    CAbonentDialog dialog(plugin, others, this);
    const QString message = dialog.load(book.list.at(row));
    if (!message.isEmpty())
        MessageBox::warning(this, message);
    if (dialog.exec() != QDialog::Accepted)
        return;
    book.list[row] = dialog.abonent();
    store();
}

void CAbonentsTab::on_pbnRemove_clicked()
{
    const int row = ui->lwAbonents->currentRow();
    if (row < 0) {
        QApplication::beep();
        return;
    }
    if (MessageBox::confirmation(this, tr("Удалить абонента %1?").arg(book.list.at(row).name)) != QMessageBox::Yes)
        return;
    book.list.removeAt(row);
    store();
}

void CAbonentsTab::store()
{
    showAbonents();
    const QString message = book.save(Global::abonentsSettingsFilePath());
    if (!message.isEmpty())
        MessageBox::warning(this, message);
}

void CAbonentsTab::showAbonents()
{
    ui->lwAbonents->clear();
    for (const HostAbonent &abonent : qAsConst(book.list))
        ui->lwAbonents->addItem(describe(abonent));
}
