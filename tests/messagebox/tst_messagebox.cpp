#include "common/messagebox.h"
#include "tests/support/modalanswer.h"

#include <QMap>
#include <QPushButton>
#include <QtTest>

#include <functional>

using Box = QMessageBox;
using Show = std::function<Box::StandardButton()>;
Q_DECLARE_METATYPE(Show)
Q_DECLARE_METATYPE(Box::StandardButton)

class TestMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void boxes_data()
    {
        QTest::addColumn<Show>("show");
        QTest::addColumn<QString>("title");
        QTest::addColumn<Box::Icon>("icon");
        QTest::addColumn<QStringList>("buttonTexts"); // in the order of the standard button codes
        QTest::addColumn<Box::StandardButton>("defaultButton");
        QTest::addColumn<Box::StandardButton>("press");

        QTest::newRow("confirmation")
            << Show([] { return MessageBox::confirmation(nullptr, "Текст", Box::Yes | Box::No); })
            << "Запрос подтверждения" << Box::Question << QStringList{"Да", "Нет"} << Box::Yes << Box::Yes;
        QTest::newRow("warning with fixed title") << Show([] { return MessageBox::warning(nullptr, "Текст", Box::Ok); })
                                                  << "Внимание" << Box::Warning << QStringList{"Ок"} << Box::NoButton
                                                  << Box::Ok;
        QTest::newRow("warning") << Show([] {
            return MessageBox::warning(nullptr, "Заголовок", "Текст", Box::Save | Box::Discard | Box::Cancel,
                                       Box::Save);
        }) << "Заголовок" << Box::Warning << QStringList{"Сохранить", "Отмена", "Отказаться"} << Box::Save
           << Box::Discard;
        QTest::newRow("critical") << Show([] {
            return MessageBox::critical(nullptr, "Сбой", "Текст", Box::Abort | Box::Retry | Box::Ignore, Box::Retry);
        }) << "Сбой" << Box::Critical << QStringList{"Прервать", "Повторить", "Игнорировать"} << Box::Retry
           << Box::Ignore;
        QTest::newRow("information") << Show([] {
            return MessageBox::information(nullptr, "Сведения", "Текст", Box::Ok | Box::Help, Box::Ok);
        }) << "Сведения" << Box::Information << QStringList{"Ок", "Помощь"} << Box::Ok << Box::Help;
        QTest::newRow("question") << Show([] {
            return MessageBox::question(nullptr, "Вопрос", "Текст", Box::YesToAll | Box::NoToAll, Box::NoToAll);
        }) << "Вопрос" << Box::Question << QStringList{"Да для всех", "Нет для всех"} << Box::NoToAll
           << Box::YesToAll;
        QTest::newRow("all eighteen") << Show([] {
            return MessageBox::messageBox(Box::NoIcon, nullptr, "Всё", "Текст", Box::StandardButtons(0x0FFFFC00));
        }) << "Всё" << Box::NoIcon
           << QStringList{"Ок", "Сохранить", "Сохранить все", "Открыть", "Да", "Да для всех", "Нет", "Нет для всех",
                          "Прервать", "Повторить", "Игнорировать", "Закрыть", "Отмена", "Отказаться", "Помощь",
                          "Применить", "Сбросить", "Восстановить умолчания"}
           << Box::NoButton << Box::RestoreDefaults;
    }

    void boxes()
    {
        QFETCH(Show, show);
        QFETCH(QString, title);
        QFETCH(Box::Icon, icon);
        QFETCH(QStringList, buttonTexts);
        QFETCH(Box::StandardButton, defaultButton);
        QFETCH(Box::StandardButton, press);

        TestSupport::SeenBox seen;
        QMap<int, QString> texts;
        Box::StandardButton seenDefault = Box::NoButton;
        TestSupport::ModalWatcher<Box> watcher([&](Box *box) {
            seen = TestSupport::describe(box);
            for (QAbstractButton *button : box->buttons())
                texts.insert(box->standardButton(button), button->text());
            seenDefault = box->standardButton(box->defaultButton());
            if (QAbstractButton *button = box->button(press))
                QTest::mouseClick(button, Qt::LeftButton);
            else
                box->reject();
        });
        QCOMPARE(show(), press);
        QVERIFY(watcher.fired());
        QCOMPARE(seen.title, title);
        QCOMPARE(seen.text, QStringLiteral("Текст"));
        QCOMPARE(seen.icon, icon);
        QCOMPARE(texts.values(), buttonTexts);
        if (defaultButton != Box::NoButton)
            QCOMPARE(seenDefault, defaultButton);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
