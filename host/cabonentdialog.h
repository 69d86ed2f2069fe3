#pragma once

#include "hostabonents.h"

#include <QDialog>

class CChannelAbonentSettingsWidget;
class CChannelSettingsPlugin;
class Ui_CAbonentDialog;

// Adds or edits one abonent: its name and, on the plug-in's abonent page, how
// the channel reaches it. Refuses what the page cannot apply and a number
// that another abonent already has.
class CAbonentDialog : public QDialog
{
    Q_OBJECT
public:
    // others: the abonents besides the one edited here.
    CAbonentDialog(const CChannelSettingsPlugin *plugin, const QList<HostAbonent> &others, QWidget *parent);
    ~CAbonentDialog() override;

    QString load(const HostAbonent &abonent);
    HostAbonent abonent() const;
    CChannelAbonentSettingsWidget *page() const;

private slots:
    void on_pbnOk_clicked();

private:
    QString refusal() const;

    Ui_CAbonentDialog *ui;
    const CChannelSettingsPlugin *plugin;
    const QList<HostAbonent> others;
    CChannelAbonentSettingsWidget *abonentPage;
};
