#pragma once

#include "hostabonents.h"

#include <QWidget>

class CChannelSettingsPlugin;
class Ui_CAbonentsTab;

// The host's address book: every change is written at once to the abonents
// file of the settings directory.
class CAbonentsTab : public QWidget
{
    Q_OBJECT
public:
    explicit CAbonentsTab(const CChannelSettingsPlugin *plugin);
    ~CAbonentsTab() override;

    QString load();
    const QList<HostAbonent> &abonents() const;
    // The abonent's name and the plug-in's one-line summary of its record.
    QString describe(const HostAbonent &abonent) const;

private slots:
    void on_pbnAdd_clicked();
    void on_pbnEdit_clicked();
    void on_pbnRemove_clicked();

private:
    void store();
    void showAbonents();

    Ui_CAbonentsTab *ui;
    const CChannelSettingsPlugin *plugin;
    HostAbonents book;
};
