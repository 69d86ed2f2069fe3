#include "messagebox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QPointer>

namespace {

struct ButtonText {
    QMessageBox::StandardButton button;
    const char *text;
};

// The toolkit's own texts follow its language; these are Russian whatever it is set to.
const ButtonText buttonTexts[] = {
    {QMessageBox::Ok, QT_TRANSLATE_NOOP("MessageBox", "Ок")},
    {QMessageBox::Save, QT_TRANSLATE_NOOP("MessageBox", "Сохранить")},
    {QMessageBox::SaveAll, QT_TRANSLATE_NOOP("MessageBox", "Сохранить все")},
    {QMessageBox::Open, QT_TRANSLATE_NOOP("MessageBox", "Открыть")},
    {QMessageBox::Yes, QT_TRANSLATE_NOOP("MessageBox", "Да")},
    {QMessageBox::YesToAll, QT_TRANSLATE_NOOP("MessageBox", "Да для всех")},
    {QMessageBox::No, QT_TRANSLATE_NOOP("MessageBox", "Нет")},
    {QMessageBox::NoToAll, QT_TRANSLATE_NOOP("MessageBox", "Нет для всех")},
    {QMessageBox::Abort, QT_TRANSLATE_NOOP("MessageBox", "Прервать")},
    {QMessageBox::Retry, QT_TRANSLATE_NOOP("MessageBox", "Повторить")},
    {QMessageBox::Ignore, QT_TRANSLATE_NOOP("MessageBox", "Игнорировать")},
    {QMessageBox::Close, QT_TRANSLATE_NOOP("MessageBox", "Закрыть")},
    {QMessageBox::Cancel, QT_TRANSLATE_NOOP("MessageBox", "Отмена")},
    {QMessageBox::Discard, QT_TRANSLATE_NOOP("MessageBox", "Отказаться")},
    {QMessageBox::Help, QT_TRANSLATE_NOOP("MessageBox", "Помощь")},
    {QMessageBox::Apply, QT_TRANSLATE_NOOP("MessageBox", "Применить")},
    {QMessageBox::Reset, QT_TRANSLATE_NOOP("MessageBox", "Сбросить")},
    {QMessageBox::RestoreDefaults, QT_TRANSLATE_NOOP("MessageBox", "Восстановить умолчания")},
};

QString tr(const char *text)
{
    return QCoreApplication::translate("MessageBox", text);
}

} // namespace

QMessageBox::StandardButton MessageBox::messageBox(QMessageBox::Icon icon, QWidget *parent, QString const &title,
                                                   QString const &text, QFlags<QMessageBox::StandardButton> buttons,
                                                   QMessageBox::StandardButton defaultButton)
{
    // On the heap and watched: the parent may be deleted, and the box with it,
    // while the box runs; then no button was pressed.
    const QPointer<QMessageBox> box = new QMessageBox(icon, title, text, buttons, parent);
    // The toolkit ignores a default that is not among the buttons.
    box->setDefaultButton(defaultButton);
    for (ButtonText const &buttonText : buttonTexts) {
        if (QAbstractButton *button = box->button(buttonText.button))
            button->setText(tr(buttonText.text));
    }
    box->exec();
    if (!box)
        return QMessageBox::NoButton;
    const QMessageBox::StandardButton pressed = box->standardButton(box->clickedButton());
    delete box;
    return pressed;
}

QMessageBox::StandardButton MessageBox::critical(QWidget *parent, QString const &title, QString const &text,
                                                 QFlags<QMessageBox::StandardButton> buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    return messageBox(QMessageBox::Critical, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::information(QWidget *parent, QString const &title, QString const &text,
                                                    QFlags<QMessageBox::StandardButton> buttons,
                                                    QMessageBox::StandardButton defaultButton)
{
    return messageBox(QMessageBox::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::question(QWidget *parent, QString const &title, QString const &text,
                                                 QFlags<QMessageBox::StandardButton> buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    return messageBox(QMessageBox::Question, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::warning(QWidget *parent, QString const &title, QString const &text,
                                                QFlags<QMessageBox::StandardButton> buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    return messageBox(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::warning(QWidget *parent, QString const &text,
                                                QFlags<QMessageBox::StandardButton> buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    return messageBox(QMessageBox::Warning, parent, tr("Внимание"), text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::confirmation(QWidget *parent, QString const &text,
                                                     QFlags<QMessageBox::StandardButton> buttons,
                                                     QMessageBox::StandardButton defaultButton)
{
    return messageBox(QMessageBox::Question, parent, tr("Запрос подтверждения"), text, buttons, defaultButton);
}
