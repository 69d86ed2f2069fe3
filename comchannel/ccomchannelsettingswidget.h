#pragma once

#include "ccomportsmodel.h"
#include "interfaces/cchannelsettingswidget.h"

class QShortcut;
class Ui_CComChannelSettingsWidget;

// The switched channel's settings page: the outgoing block size and the COM
// ports the channel may use.
class CComChannelSettingsWidget : public CChannelSettingsWidget
{
    Q_OBJECT
public:
    CComChannelSettingsWidget();
    ~CComChannelSettingsWidget() override;

    QString saveData(QString *filePath, QByteArray *data) const override;
    QString loadData() override;
    void setDisplayExtendedSettings(bool display) override;
    QStringList settings() const override;

private slots:
    void on_pbnAdd_clicked();
    void on_pbnEdit_clicked();
    void on_pbnRemove_clicked();

private:
    Ui_CComChannelSettingsWidget *ui;
    // saveData() is const for the host, yet it brings the record's block size
    // up to date with the spin box.
    mutable CComPortsModel model;
    QShortcut *addShortcut;
    QShortcut *editShortcut;
    QShortcut *removeShortcut;
};
