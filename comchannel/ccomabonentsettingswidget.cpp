#include "ccomabonentsettingswidget.h"
#include "ui_ccomabonentsettingswidget.h"

#include "comsettings.h"
#include "common/globalpaths.h"
#include "common/logger.h"

#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>

namespace {

// The channel's active ports as last read from channelCom.conf, shared by
// every abonent page of the process and created when the library is loaded.
QStringList availablePorts;
QDateTime lastModified;

// Costs one stat while the file keeps its modification time, so that opening
// abonent pages never re-reads an unchanged file.
void refreshAvailablePorts()
{
    const QFileInfo fileInfo(Global::channelComSettingsFilePath());
    if (!fileInfo.exists())
        return;
    const QDateTime modified = fileInfo.lastModified();
    if (!lastModified.isNull() && !(lastModified < modified))
        return;

    QFile file(fileInfo.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray content = file.readAll();
    file.close();
    // A damaged file is not read again until it changes once more.
    lastModified = modified;

    ChannelComSettings channel;
    if (!channel.fromByteArray(content).isEmpty())
        return;
    availablePorts.clear();
    for (const ComPortSettings &port : qAsConst(channel.ports)) {
        if (port.active)
            availablePorts.append(port.portName);
    }
}

} // namespace

CComAbonentSettingsWidget::CComAbonentSettingsWidget() : ui(new Ui_CComAbonentSettingsWidget)
{
    TRACE_SCOPE();
    ui->setupUi(this);
    ui->lHelp->installEventFilter(this);
    refreshAvailablePorts();
}

CComAbonentSettingsWidget::~CComAbonentSettingsWidget()
{
    TRACE_SCOPE();
    delete ui;
}

QByteArray CComAbonentSettingsWidget::saveData() const
{
    TRACE_SCOPE();
    AbonentComSettings abonent;
    abonent.phoneNumber = ui->leNumber->text();
    abonent.ports = selectedPorts;
    return abonent.toByteArray();
}

QString CComAbonentSettingsWidget::loadData(QByteArray const &data)
{
    TRACE_SCOPE();
    AbonentComSettings abonent;
    const QString message = abonent.fromByteArray(data);
    if (!message.isEmpty())
        return message;
    ui->leNumber->setText(abonent.phoneNumber);
    selectedPorts = abonent.ports;
    updatePorts();
    return QString();
}

QString CComAbonentSettingsWidget::canApply()
{
    TRACE_SCOPE();
    if (ui->leNumber->text().isEmpty())
        return tr("Укажите телефонный номер");
    if (!availablePorts.isEmpty() && ui->lePorts->text().isEmpty())
        return tr("Укажите COM порт");
    return QString();
}

QString CComAbonentSettingsWidget::prettySettings() const
{
    TRACE_SCOPE();
    return tr("Номер: %1, Порт: %2").arg(ui->leNumber->text()).arg(ui->lePorts->text());
}

bool CComAbonentSettingsWidget::isSameSettings(QByteArray const &a, QByteArray const &b)
{
    AbonentComSettings first;
    if (!first.fromByteArray(a).isEmpty())
        return false;
    AbonentComSettings second;
    if (!second.fromByteArray(b).isEmpty())
        return false;
    return first.phoneNumber == second.phoneNumber;
}

bool CComAbonentSettingsWidget::eventFilter(QObject *object, QEvent *event)
{
    // The help text should not wait for the hover delay once the user clicks.
    if (object == ui->lHelp && event->type() == QEvent::MouseButtonRelease) {
        const auto mouseEvent = static_cast<QMouseEvent *>(event);
        if (mouseEvent->button() == Qt::LeftButton) {
            QToolTip::showText(ui->lHelp->mapToGlobal(mouseEvent->pos()), ui->lHelp->toolTip(), ui->lHelp);
            return true;
        }
    }
    return CChannelAbonentSettingsWidget::eventFilter(object, event);
}

void CComAbonentSettingsWidget::on_tbnPorts_clicked()
{
    TRACE_SCOPE();
    QMenu menu;
    QAction *anyPort = menu.addAction(tr("Любой"));
    anyPort->setCheckable(true);
    anyPort->setChecked(selectedPorts.isEmpty());
    connect(anyPort, &QAction::triggered, this, &CComAbonentSettingsWidget::anyPortClicked);

    for (const QString &port : qAsConst(availablePorts)) {
        QAction *action = menu.addAction(port);
        action->setCheckable(true);
        action->setChecked(selectedPorts.contains(port));
        connect(action, &QAction::toggled, this, &CComAbonentSettingsWidget::portChecked);
    }

    // The host may delete the page while the menu is open: the menu goes with it.
    connect(this, &QObject::destroyed, &menu, &QMenu::close);
    menu.exec(ui->tbnPorts->mapToGlobal(ui->tbnPorts->rect().bottomRight()));
}

void CComAbonentSettingsWidget::portChecked(bool checked)
{
    TRACE_SCOPE();
    const auto action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    if (checked)
        selectedPorts.append(action->text());
    else
        selectedPorts.removeOne(action->text());
    updatePorts();
}

void CComAbonentSettingsWidget::anyPortClicked()
{
    selectedPorts.clear();
    updatePorts();
}

void CComAbonentSettingsWidget::updatePorts()
{
    TRACE_SCOPE();
    QString text;
    for (const QString &port : qAsConst(selectedPorts))
        text += QStringLiteral("%1; ").arg(port);
    if (selectedPorts.isEmpty())
        text = tr("Любой");
    ui->lePorts->setText(text);
}

// A translator installed or removed while the page is shown.
void CComAbonentSettingsWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        // An empty port field means that no record was loaded yet (canApply() refuses then).
        if (!ui->lePorts->text().isEmpty())
            updatePorts();
    }
    CChannelAbonentSettingsWidget::changeEvent(event);
}
