#include "common/messagebox.h"
#include "tests/support/modalanswer.h"

#include <QMap>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(QMessageBox::StandardButton)

namespace {

enum Call { Critical, Information, Question, Warning, WarningWithFixedTitle, Confirmation, Generic };

QMessageBox::StandardButton callBox(int call, QString const &title, QString const &text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    switch (call) {
    case Critical:
        return MessageBox::critical(nullptr, title, text, buttons, defaultButton);
    case Information:
        return MessageBox::information(nullptr, title, text, buttons, defaultButton);
    case Question:
        return MessageBox::question(nullptr, title, text, buttons, defaultButton);
    case Warning:
        return MessageBox::warning(nullptr, title, text, buttons, defaultButton);
    case WarningWithFixedTitle:
        return MessageBox::warning(nullptr, text, buttons, defaultButton);
    case Confirmation:
        return MessageBox::confirmation(nullptr, text, buttons, defaultButton);
    default:
        return MessageBox::messageBox(QMessageBox::NoIcon, nullptr, title, text, buttons, defaultButton);
    }
}

// What the box showed, seen from inside its modal loop.
struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttonTexts; // in the order of the standard button codes
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Looks at the box, then presses `press` (or closes the box if that button is missing).
void inspectAndPress(QMessageBox *box, Seen *seen, QMessageBox::StandardButton press)
{
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    QMap<int, QString> texts;
    for (QAbstractButton *button : box->buttons())
        texts.insert(box->standardButton(button), button->text());
    seen->buttonTexts = texts.values();
    seen->defaultButton = box->standardButton(box->defaultButton());
    if (QAbstractButton *button = box->button(press))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        box->reject();
}

} // namespace

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void boxes_data();
    void boxes();
};

void TestMessageBox::boxes_data()
{
    QTest::addColumn<int>("call");
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    QTest::addColumn<QMessageBox::StandardButton>("press");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QStringList>("buttonTexts");

    QTest::newRow("confirmation") << int(Confirmation) << (QMessageBox::Yes | QMessageBox::No)
                                  << QMessageBox::Yes << QMessageBox::Yes << "Запрос подтверждения"
                                  << QMessageBox::Question << QStringList{"Да", "Нет"};
    QTest::newRow("confirmation refused") << int(Confirmation) << (QMessageBox::Yes | QMessageBox::No)
                                          << QMessageBox::Yes << QMessageBox::No << "Запрос подтверждения"
                                          << QMessageBox::Question << QStringList{"Да", "Нет"};
    QTest::newRow("warning with fixed title") << int(WarningWithFixedTitle) << QMessageBox::StandardButtons(QMessageBox::Ok)
                                              << QMessageBox::NoButton << QMessageBox::Ok << "Внимание"
                                              << QMessageBox::Warning << QStringList{"Ок"};
    QTest::newRow("warning") << int(Warning) << (QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel)
                             << QMessageBox::Save << QMessageBox::Discard << "Заголовок" << QMessageBox::Warning
                             << QStringList{"Сохранить", "Отмена", "Отказаться"};
    QTest::newRow("critical") << int(Critical) << (QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore)
                              << QMessageBox::Retry << QMessageBox::Ignore << "Сбой" << QMessageBox::Critical
                              << QStringList{"Прервать", "Повторить", "Игнорировать"};
    QTest::newRow("information") << int(Information) << (QMessageBox::Ok | QMessageBox::Help)
                                 << QMessageBox::Ok << QMessageBox::Help << "Сведения" << QMessageBox::Information
                                 << QStringList{"Ок", "Помощь"};
    QTest::newRow("question") << int(Question) << (QMessageBox::YesToAll | QMessageBox::NoToAll)
                              << QMessageBox::NoToAll << QMessageBox::YesToAll << "Вопрос" << QMessageBox::Question
                              << QStringList{"Да для всех", "Нет для всех"};

    const QMessageBox::StandardButtons all(0x0FFFFC00);
    QTest::newRow("all eighteen") << int(Generic) << all << QMessageBox::NoButton << QMessageBox::RestoreDefaults
                                  << "Всё" << QMessageBox::NoIcon
                                  << QStringList{"Ок", "Сохранить", "Сохранить все", "Открыть", "Да",
                                                 "Да для всех", "Нет", "Нет для всех", "Прервать", "Повторить",
                                                 "Игнорировать", "Закрыть", "Отмена", "Отказаться", "Помощь",
                                                 "Применить", "Сбросить", "Восстановить умолчания"};
}

void TestMessageBox::boxes()
{
    QFETCH(int, call);
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    QFETCH(QMessageBox::StandardButton, press);
    QFETCH(QString, title);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QStringList, buttonTexts);

    Seen seen;
    TestSupport::ModalWatcher<QMessageBox> watcher(
        [&seen, press](QMessageBox *box) { inspectAndPress(box, &seen, press); });
    const QMessageBox::StandardButton pressed = callBox(call, title, QStringLiteral("Текст"), buttons, defaultButton);

    QVERIFY(watcher.fired());
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, QStringLiteral("Текст"));
    QCOMPARE(seen.icon, icon);
    QCOMPARE(seen.buttonTexts, buttonTexts);
    if (defaultButton != QMessageBox::NoButton)
        QCOMPARE(seen.defaultButton, defaultButton);
    QCOMPARE(pressed, press);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
