#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>

// Modal windows (dialogs run with exec(), message boxes) block the test until
// answered; these helpers answer them from the event loop that runs them.
namespace TestSupport {

// Watches for the next modal window of type T and hands it to `answer`.
// fired() tells afterwards whether one appeared at all.
template<typename T>
class ModalWatcher
{
public:
    explicit ModalWatcher(std::function<void(T *)> answer)
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this, answer] {
            T *modal = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!modal || modal == ignored)
                return;
            timer.stop();
            seen = true;
            answer(modal);
        });
        ignored = qobject_cast<T *>(QApplication::activeModalWidget());
        timer.start();
    }

    bool fired() const { return seen; }

private:
    QTimer timer;
    QPointer<T> ignored;
    bool seen = false;
};

// What a message box showed.
struct SeenBox {
    QString title;
    QString text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

inline SeenBox describe(const QMessageBox *box)
{
    SeenBox seen{box->windowTitle(), box->text(), {}, box->icon()};
    const QList<QAbstractButton *> buttons = box->buttons();
    for (const QAbstractButton *button : buttons)
        seen.buttons << button->text();
    seen.buttons.sort();
    return seen;
}

// Answers the next message box by clicking the button with this text and
// keeps what the box showed in `seen`.
class MessageBoxAnswer : public ModalWatcher<QMessageBox>
{
public:
    MessageBoxAnswer(const QString &buttonText, SeenBox *seen)
        : ModalWatcher<QMessageBox>([buttonText, seen](QMessageBox *box) {
              *seen = describe(box);
              const QList<QAbstractButton *> buttons = box->buttons();
              for (QAbstractButton *button : buttons) {
                  if (button->text() == buttonText) {
                      QTest::mouseClick(button, Qt::LeftButton);
                      return;
                  }
              }
              box->reject();
          })
    {
    }
};

} // namespace TestSupport
