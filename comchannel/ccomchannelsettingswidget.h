#pragma once

#include "ccomportsmodel.h"
#include "interfaces/cchannelsettingswidget.h"
#include "interfaces/cchanneluseddevices.h"

#include <memory>

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

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void on_pbnAdd_clicked();
    void on_pbnEdit_clicked();
    void on_pbnRemove_clicked();

private:
    // Runs the port dialog, loaded with `loaded` unless it is null; true when
    // it was accepted and filled `port`. False also when the page went away
    // during the run: then nothing of the page may be touched any more.
    bool runPortDialog(const ComPortSettings *loaded, ComPortSettings *port);
    // The host's registry, or, when the host set none, one of the page's own,
    // so that the page works, only without port-sharing refusals.
    CChannelUsedDevices *registry() const;

    Ui_CComChannelSettingsWidget *ui;
    // saveData() is const for the host, yet it brings the record's block size
    // up to date with the spin box.
    mutable CComPortsModel model;
    QShortcut *addShortcut;
    QShortcut *editShortcut;
    QShortcut *removeShortcut;
    mutable std::unique_ptr<CChannelUsedDevices> ownRegistry;
};
