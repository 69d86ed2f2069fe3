#pragma once

#include <QPointer>
#include <QPushButton>

class CChannelTab;
class CModemCheck;
class QProgressDialog;

// "Проверить модем" beside the channel page: checks the ports selected in the
// page's table, or else every active port, as they stand on the page (applied
// or not), without blocking the window, and shows what the modems answered.
class CModemCheckButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CModemCheckButton(CChannelTab *tab);

private:
    void startCheck();
    void showResults();

    CChannelTab *tab;
    QPointer<CModemCheck> check;
    QPointer<QProgressDialog> progress;
};
