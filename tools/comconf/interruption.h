#pragma once

#include <QObject>

class QSocketNotifier;

// Ctrl+C and SIGTERM turned into a signal of the event loop, so that a check
// under way hangs up and releases its ports before the tool exits.
class CInterruption : public QObject
{
    Q_OBJECT
public:
    CInterruption();
    ~CInterruption() override;

signals:
    void interrupted();

private:
    QSocketNotifier *notifier = nullptr;
};
