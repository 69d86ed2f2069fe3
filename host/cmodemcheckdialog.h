#pragma once

#include "modemcheckresult.h"

#include <QDialog>
#include <QList>

class Ui_CModemCheckDialog;

// What the modem check found, one port a row: the verdict an operator acts on
// and the modem's answers with their times.
class CModemCheckDialog : public QDialog
{
    Q_OBJECT
public:
    CModemCheckDialog(const QList<ModemCheckResult> &results, QWidget *parent = nullptr);
    ~CModemCheckDialog() override;

private:
    Ui_CModemCheckDialog *ui;
};
