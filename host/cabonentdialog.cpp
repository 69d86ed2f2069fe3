#include "cabonentdialog.h"
#include "ui_cabonentdialog.h"

#include "common/messagebox.h"
#include "interfaces/cchannelabonentsettingswidget.h"
#include "interfaces/cchannelsettingsplugin.h"

CAbonentDialog::CAbonentDialog(const CChannelSettingsPlugin *plugin, const QList<HostAbonent> &others,
                               QWidget *parent)
    : QDialog(parent), ui(new Ui_CAbonentDialog), plugin(plugin), others(others),
      abonentPage(plugin->abonentWidget())
{
    ui->setupUi(this);
    ui->gbxChannel->setTitle(plugin->channelName());
    ui->channelLayout->addWidget(abonentPage);
}

CAbonentDialog::~CAbonentDialog()
{
    delete ui;
}

QString CAbonentDialog::load(const HostAbonent &abonent)
{
    ui->leName->setText(abonent.name);
    return abonentPage->loadData(abonent.comSettings);
}

HostAbonent CAbonentDialog::abonent() const
{
    return {ui->leName->text().trimmed(), abonentPage->saveData()};
}

CChannelAbonentSettingsWidget *CAbonentDialog::page() const
{
    return abonentPage;
}

void CAbonentDialog::on_pbnOk_clicked()
{
    const QString message = refusal();
    if (!message.isEmpty()) {
        MessageBox::warning(this, message);
        return;
    }
    accept();
}

QString CAbonentDialog::refusal() const
{
    if (ui->leName->text().trimmed().isEmpty())
        return tr("Укажите имя абонента");
    const QString pageMessage = abonentPage->canApply();
    if (!pageMessage.isEmpty())
        return pageMessage;
    const QByteArray record = abonentPage->saveData();
    for (const HostAbonent &other : others) {
        if (plugin->isSameAbonentSettings(record, other.comSettings))
            return tr("Абонент с таким номером уже есть: %1").arg(other.name);
    }
    return QString();
}
