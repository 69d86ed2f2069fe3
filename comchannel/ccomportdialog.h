#pragma once

#include <QDialog>
#include <QString>

class CChannelUsedDevices;
class CComPortsModel;
class Ui_CComPortDialog;
struct ComPortSettings;

// The settings of one port of the channel, checked against the channel's other
// ports and against the ports that other channels use.
class CComPortDialog : public QDialog
{
    Q_OBJECT
public:
    CComPortDialog(const CComPortsModel *model, CChannelUsedDevices *usedDevices, QWidget *parent);
    ~CComPortDialog() override;

    void load(const ComPortSettings &port);
    void save(ComPortSettings *port);

protected:
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void on_chbxExtended_toggled(bool checked);
    void on_pbnApply_clicked();

private:
    QString refusal(const QString &portName) const;

    Ui_CComPortDialog *ui;
    const CComPortsModel *model;
    QString loadedPortName;
    CChannelUsedDevices *usedDevices;
};
