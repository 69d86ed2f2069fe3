#include "cchanneltab.h"
#include "ui_cchanneltab.h"

#include "cmodemcheckbutton.h"
#include "common/globalsaving.h"
#include "common/messagebox.h"
#include "interfaces/cchannelsettingsplugin.h"
#include "interfaces/cchannelsettingswidget.h"

CChannelTab::CChannelTab(const CChannelSettingsPlugin *plugin, CChannelUsedDevices *usedDevices)
    : ui(new Ui_CChannelTab), channelPage(plugin->channelWidget())
{
    ui->setupUi(this);
    channelPage->usedDevices = usedDevices;
    ui->verticalLayout->insertWidget(0, channelPage);
    ui->horizontalLayout->insertWidget(2, new CModemCheckButton(this));
    channelPage->setDisplayExtendedSettings(ui->chbxExtended->isChecked());
    connect(channelPage, &CChannelSettingsWidget::dataChanged, this, [this] { ui->pbnApply->setEnabled(true); });
}

CChannelTab::~CChannelTab()
{
    delete ui;
}

QString CChannelTab::load()
{
    const QString message = channelPage->loadData();
    // Loading may report a change (a stored block size); nothing is new yet.
    ui->pbnApply->setEnabled(false);
    return message;
}

CChannelSettingsWidget *CChannelTab::page() const
{
    return channelPage;
}

void CChannelTab::on_chbxExtended_toggled(bool checked)
{
    channelPage->setDisplayExtendedSettings(checked);
}

void CChannelTab::on_pbnApply_clicked()
{
    QString filePath;
    QByteArray data;
    QString message = channelPage->saveData(&filePath, &data);
    if (message.isEmpty())
        message = Global::safeSaving(filePath, data);
    if (!message.isEmpty()) {
        MessageBox::warning(this, message);
        return;
    }
    ui->pbnApply->setEnabled(false);
    emit saved(filePath, data);
}
