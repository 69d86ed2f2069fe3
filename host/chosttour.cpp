#include "chosttour.h"

#include "cabonentdialog.h"
#include "cabonentstab.h"
#include "cchannelpluginlibrary.h"
#include "cchanneltab.h"
#include "chostwindow.h"
#include "comchannel/comsettings.h"
#include "common/globalpaths.h"
#include "common/logger.h"
#include "interfaces/cchannelabonentsettingswidget.h"
#include "interfaces/cchannelsettingswidget.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <cstdlib>

namespace {

// A port that serial hardware has on most machines, typed when the system reports none.
const QString fallbackPortName = QStringLiteral("/dev/ttyS0");
const QString phoneNumber = QStringLiteral("T123456");
// A step that waits longer than this for a window has hung.
const int watchdogMs = 60000;

template <typename T>
QWidget *activeModal()
{
    return qobject_cast<T *>(QApplication::activeModalWidget());
}

QWidget *activeMenu()
{
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

template <typename T>
T *child(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

} // namespace

CHostTour::CHostTour(CHostWindow *window, const CChannelPluginLibrary *library)
    : window(window), library(library), out(stdout)
{
    out.setCodec("UTF-8");
}

bool CHostTour::run()
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [this] {
        say(tr("Сценарий остановлен: окно не закрылось за %1 с").arg(watchdogMs / 1000));
        std::_Exit(EXIT_FAILURE);
    });
    watchdog.start(watchdogMs);

    window->show();
    QApplication::setActiveWindow(window);

    const bool passed = describePlugin() && addPort() && applyChannel() && addAbonent() && editAbonent()
        && refuseSameNumber();
    reportFiles();
    say(passed ? tr("Итог: все шаги выполнены") : tr("Итог: сценарий не пройден"));
    return passed;
}

bool CHostTour::describePlugin()
{
    const CChannelSettingsPlugin *plugin = library->plugin();
    say(tr("Библиотека %1 загружена, версия интерфейса %2").arg(library->fileName()).arg(ChannelSettingsPluginApiVersion));
    say(tr("Канал %1 «%2»").arg(plugin->channelType()).arg(plugin->channelName()));
    return check(plugin->channelType() == ComChannelType, tr("тип канала 2"))
        && check(!plugin->canPing(), tr("проверка связи не предлагается"));
}

bool CHostTour::addPort()
{
    say(tr("Страница канала: Ctrl+N"));
    window->setCurrentWidget(window->channelTab());
    CChannelSettingsWidget *page = window->channelTab()->page();
    page->setFocus();

    int changes = 0;
    const QMetaObject::Connection counting =
        connect(page, &CChannelSettingsWidget::dataChanged, this, [&changes] { ++changes; });
    bool accepted = false;
    const bool opened = whileOpen(
        activeModal<QDialog>,
        [page] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier);
            QCoreApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : page, &press);
        },
        [&](QWidget *dialog) { accepted = fillPortDialog(static_cast<QDialog *>(dialog)); });
    disconnect(counting);

    if (!opened)
        return check(false, tr("Ctrl+N открыл диалог COM порта"));
    if (!accepted)
        return false;
    if (!check(changes == 1, tr("страница сообщила об изменении один раз")))
        return false;

    child<QCheckBox>(window->channelTab(), "chbxExtended")->setChecked(true);
    const QAbstractItemView *table = page->findChild<QAbstractItemView *>();
    const bool extended = check(table && table->model()->columnCount() == 7,
                                tr("расширенные настройки показывают все семь столбцов"));
    return extended;
}

bool CHostTour::fillPortDialog(QDialog *dialog)
{
    say(tr("Открыт диалог «%1»").arg(dialog->windowTitle()));
    auto port = child<QComboBox>(dialog, "cbxPort");
    auto speed = child<QComboBox>(dialog, "cbxBaudRate");
    auto active = child<QCheckBox>(dialog, "chbxActive");
    auto apply = child<QPushButton>(dialog, "pbnApply");
    if (!check(port && speed && active && apply, tr("в диалоге есть порт, скорость, флаг активности и кнопка применения"))) {
        dialog->reject();
        return false;
    }

    if (port->count() > 0)
        port->setCurrentIndex(0);
    else
        port->setEditText(fallbackPortName);
    portName = port->currentText();
    speed->setCurrentIndex(speed->findText(QStringLiteral("9600")));
    say(tr("Выбран порт %1, скорость %2 бит/с").arg(portName, speed->currentText()));
    bool passed = check(active->isChecked(), tr("диалог предлагает активный порт"));

    const QString refusal = clickForMessage(apply);
    passed = check(refusal.isEmpty() && !dialog->isVisible(), tr("диалог принял порт")) && passed;
    if (dialog->isVisible())
        dialog->reject();
    return passed;
}

bool CHostTour::applyChannel()
{
    say(tr("Применение настроек канала"));
    QString filePath;
    QByteArray data;
    const QMetaObject::Connection saving =
        connect(window->channelTab(), &CChannelTab::saved, this, [&](const QString &path, const QByteArray &record) {
            filePath = path;
            data = record;
        });
    const QString refusal =
        clickForMessage(window->channelTab()->findChild<QPushButton *>(QStringLiteral("pbnApply"), Qt::FindDirectChildrenOnly));
    disconnect(saving);
    if (!check(refusal.isEmpty() && !filePath.isEmpty(), tr("saveData записан через Global::safeSaving")))
        return false;

    QFile file(filePath);
    const bool read = file.open(QIODevice::ReadOnly);
    const QByteArray content = file.readAll();
    say(tr("Файл %1, %2 байт: %3").arg(filePath).arg(content.size()).arg(QString::fromLatin1(content.toHex(' ').toUpper())));
    ChannelComSettings channel;
    const QString message = channel.fromByteArray(content);
    const ComPortSettings port = channel.ports.value(0);
    return check(filePath == Global::channelComSettingsFilePath(), tr("файл — channelCom.conf каталога настроек"))
        && check(read && content == data, tr("в файле ровно запись, которую вернул saveData"))
        && check(message.isEmpty() && channel.ports.size() == 1 && port.active && port.portName == portName
                     && port.baudRate == 9600,
                 tr("запись версии 3 с одним активным портом %1 на 9600 бит/с").arg(portName));
}

bool CHostTour::addAbonent()
{
    say(tr("Новый абонент"));
    window->setCurrentWidget(window->abonentsTab());
    abonentName = tr("Иванов Иван");
    bool accepted = false;
    const bool opened = whileOpen(
        activeModal<CAbonentDialog>, [this] { child<QPushButton>(window->abonentsTab(), "pbnAdd")->click(); },
        [&](QWidget *dialog) { accepted = fillAbonentDialog(static_cast<CAbonentDialog *>(dialog)); });
    if (!opened)
        return check(false, tr("открыт диалог абонента"));
    if (!accepted)
        return false;

    const QList<HostAbonent> &abonents = window->abonentsTab()->abonents();
    HostAbonents stored;
    const bool loaded = stored.load(Global::abonentsSettingsFilePath()).isEmpty();
    const QString description = abonents.isEmpty() ? QString() : window->abonentsTab()->describe(abonents.first());
    say(tr("Абонент: %1").arg(description));
    return check(abonents.size() == 1, tr("в списке один абонент"))
        && check(loaded && stored.list.size() == 1 && stored.list.first().comSettings == abonents.first().comSettings,
                 tr("абонент записан в %1").arg(Global::abonentsSettingsFilePath()))
        && check(description.endsWith(tr("Номер: %1, Порт: %2; ").arg(phoneNumber, portName)),
                 tr("prettySettings описывает номер и порт"));
}

bool CHostTour::fillAbonentDialog(CAbonentDialog *dialog)
{
    say(tr("Открыт диалог «%1»").arg(dialog->windowTitle()));
    CChannelAbonentSettingsWidget *page = dialog->page();
    auto name = child<QLineEdit>(dialog, "leName");
    auto number = child<QLineEdit>(page, "leNumber");
    auto ports = child<QLineEdit>(page, "lePorts");
    auto choose = child<QToolButton>(page, "tbnPorts");
    auto ok = child<QPushButton>(dialog, "pbnOk");
    if (!check(name && number && ports && choose && ok, tr("на странице абонента есть номер и выбор портов"))) {
        dialog->reject();
        return false;
    }

    name->setText(QStringLiteral("  "));
    bool passed = check(clickForMessage(ok) == tr("Укажите имя абонента"), tr("имя из одних пробелов не принято"));
    name->setText(abonentName);
    QString expected = page->canApply();
    passed = check(clickForMessage(ok) == expected && !expected.isEmpty(), tr("без номера отказ с текстом canApply"))
        && passed;
    number->setText(phoneNumber);
    expected = page->canApply();
    passed = check(clickForMessage(ok) == expected && !expected.isEmpty(),
                   tr("без порта отказ с текстом canApply"))
        && passed;

    const QStringList entries = chooseInMenu(choose, portName);
    say(tr("Меню портов: %1").arg(entries.join(QStringLiteral(", "))));
    passed = check(entries == QStringList({tr("Любой"), portName}), tr("новая страница видит новый порт в меню")) && passed;
    passed = check(ports->text() == portName + QStringLiteral("; "), tr("выбран порт %1").arg(portName)) && passed;

    passed = check(clickForMessage(ok).isEmpty() && !dialog->isVisible(), tr("абонент принят")) && passed;
    if (dialog->isVisible())
        dialog->reject();
    return passed;
}

bool CHostTour::editAbonent()
{
    say(tr("Тот же абонент, открытый и принятый без изменений"));
    child<QListWidget>(window->abonentsTab(), "lwAbonents")->setCurrentRow(0);
    QString refusal = QStringLiteral("-");
    const bool opened = whileOpen(
        activeModal<CAbonentDialog>, [this] { child<QPushButton>(window->abonentsTab(), "pbnEdit")->click(); },
        [&](QWidget *dialog) {
            refusal = clickForMessage(child<QPushButton>(dialog, "pbnOk"));
            if (dialog->isVisible())
                static_cast<QDialog *>(dialog)->reject();
        });
    return check(opened && refusal.isEmpty(), tr("абонент не спорит сам с собой о номере"))
        && check(window->abonentsTab()->abonents().size() == 1, tr("в списке по-прежнему один абонент"));
}

bool CHostTour::refuseSameNumber()
{
    say(tr("Второй абонент с тем же номером"));
    bool refused = false;
    const bool opened = whileOpen(
        activeModal<CAbonentDialog>, [this] { child<QPushButton>(window->abonentsTab(), "pbnAdd")->click(); },
        [&](QWidget *dialog) { refused = fillSameNumberDialog(static_cast<CAbonentDialog *>(dialog)); });
    if (!opened)
        return check(false, tr("открыт диалог абонента"));
    return refused
        && check(window->abonentsTab()->abonents().size() == 1, tr("в списке по-прежнему один абонент"));
}

bool CHostTour::fillSameNumberDialog(CAbonentDialog *dialog)
{
    say(tr("Открыт диалог «%1»").arg(dialog->windowTitle()));
    child<QLineEdit>(dialog, "leName")->setText(tr("Петров Петр"));
    child<QLineEdit>(dialog->page(), "leNumber")->setText(phoneNumber);
    chooseInMenu(child<QToolButton>(dialog->page(), "tbnPorts"), tr("Любой"));
    const QString refusal = clickForMessage(child<QPushButton>(dialog, "pbnOk"));
    dialog->reject();
    return check(refusal == tr("Абонент с таким номером уже есть: %1").arg(abonentName),
                 tr("isSameAbonentSettings не пустил второго абонента с тем же номером"));
}

void CHostTour::reportFiles()
{
    const QFileInfoList logs = Global::logDir(Global::currentSecrecy())
                                   .entryInfoList({QStringLiteral("*.log")}, QDir::Files, QDir::Time);
    say(tr("Журнал: %1").arg(logs.isEmpty() ? tr("нет") : logs.first().absoluteFilePath()));
}

bool CHostTour::whileOpen(const std::function<QWidget *()> &find, const std::function<void()> &trigger,
                          const std::function<void(QWidget *)> &handle)
{
    bool opened = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget *widget = find();
        if (!widget)
            return;
        poll.stop();
        opened = true;
        handle(widget);
    });
    poll.start();
    trigger();
    poll.stop();
    return opened;
}

QString CHostTour::clickForMessage(QAbstractButton *button)
{
    QString message;
    whileOpen(activeModal<QMessageBox>, [button] { button->click(); }, [&](QWidget *widget) {
        const auto box = static_cast<QMessageBox *>(widget);
        message = box->text();
        say(tr("Сообщение: %1").arg(message));
        box->buttons().constFirst()->click();
    });
    return message;
}

QStringList CHostTour::chooseInMenu(QToolButton *button, const QString &entry)
{
    QStringList entries;
    whileOpen(activeMenu, [button] { button->click(); }, [&](QWidget *widget) {
        const auto menu = static_cast<QMenu *>(widget);
        for (QAction *action : menu->actions()) {
            entries.append(action->text());
            if (action->text() == entry)
                action->trigger();
        }
        menu->close();
    });
    return entries;
}

bool CHostTour::check(bool passed, const QString &what)
{
    say(QStringLiteral("  [%1] %2").arg(passed ? tr("да") : tr("НЕТ"), what));
    return passed;
}

void CHostTour::say(const QString &line)
{
    out << line << '\n';
    out.flush();
    debug(QStringLiteral("CHostTour"), line);
}
