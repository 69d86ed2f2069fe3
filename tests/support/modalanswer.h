#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <functional>

// A modal run (a dialog's exec(), a message box, a pop-up menu) blocks the
// test until answered: this answers the next one of type T from the event
// loop that runs it, as a user or the host would.
namespace TestSupport {

template<typename T>
class ModalWatcher
{
public:
    explicit ModalWatcher(std::function<void(T *)> answer)
    {
        auto current = [] { return qobject_cast<T *>(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget()); };
        QObject::connect(&timer, &QTimer::timeout, [=, ignored = QPointer<T>(current())] {
            T *modal = current();
            if (modal && modal != ignored) {
                timer.stop();
                seen = true;
                answer(modal);
            }
        });
        timer.start(5);
    }
    bool fired() const { return seen; }

private:
    QTimer timer;
    bool seen = false;
};

} // namespace TestSupport
