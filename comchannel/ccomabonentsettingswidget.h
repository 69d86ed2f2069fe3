#pragma once

#include "interfaces/cchannelabonentsettingswidget.h"

#include <QStringList>

class Ui_CComAbonentSettingsWidget;

// How one abonent is called over the switched channel: the phone number and
// the channel's COM ports to call through.
class CComAbonentSettingsWidget : public CChannelAbonentSettingsWidget
{
    Q_OBJECT
public:
    CComAbonentSettingsWidget();
    ~CComAbonentSettingsWidget() override;

    QByteArray saveData() const override;
    QString loadData(QByteArray const &data) override;
    QString canApply() override;
    QString prettySettings() const override;

    // Two stored abonent records name the same abonent when their phone
    // numbers are equal.
    static bool isSameSettings(QByteArray const &a, QByteArray const &b);

    bool eventFilter(QObject *object, QEvent *event) override;

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void on_tbnPorts_clicked();
    void portChecked(bool checked);
    void anyPortClicked();

private:
    void updatePorts();

    Ui_CComAbonentSettingsWidget *ui;
    QStringList selectedPorts;
};
