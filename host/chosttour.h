#pragma once

#include <QObject>
#include <QStringList>
#include <QTextStream>

#include <functional>

class CAbonentDialog;
class CChannelPluginLibrary;
class CHostWindow;
class QAbstractButton;
class QDialog;
class QToolButton;

// The typical change played without a user, from the key on the channel page
// to the abonent that calls through the new port: each step is done as a
// person would do it in the window, checked, and reported on stdout.
class CHostTour : public QObject
{
    Q_OBJECT
public:
    CHostTour(CHostWindow *window, const CChannelPluginLibrary *library);

    // True when every step did what it should.
    bool run();

private:
    bool describePlugin();
    bool addPort();
    bool fillPortDialog(QDialog *dialog);
    bool applyChannel();
    bool addAbonent();
    bool fillAbonentDialog(CAbonentDialog *dialog);
    bool editAbonent();
    bool refuseSameNumber();
    bool fillSameNumberDialog(CAbonentDialog *dialog);
    void reportFiles();

    // Runs handle on the window that trigger opens, inside the trigger's own
    // event loop; false when find never saw one.
    bool whileOpen(const std::function<QWidget *()> &find, const std::function<void()> &trigger,
                   const std::function<void(QWidget *)> &handle);
    // Clicks the button; the text of the message box that the click raises,
    // answered at once, or an empty text.
    QString clickForMessage(QAbstractButton *button);
    // Chooses an entry of the ports menu that the button opens; the entries seen.
    QStringList chooseInMenu(QToolButton *button, const QString &entry);

    bool check(bool passed, const QString &what);
    void say(const QString &line);

    CHostWindow *window;
    const CChannelPluginLibrary *library;
    QTextStream out;
    QString portName;
    QString abonentName;
};
