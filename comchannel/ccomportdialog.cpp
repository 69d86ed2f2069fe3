#include "ccomportdialog.h"
#include "ui_ccomportdialog.h"

#include "ccomportsmodel.h"
#include "comsettings.h"
#include "common/globalpaths.h"
#include "common/logger.h"
#include "common/messagebox.h"
#include "interfaces/cchanneluseddevices.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QSerialPortInfo>
#include <QSettings>

#include <algorithm>
#include <iterator>
#include <limits>

namespace {

// Positions of cbxParity and cbxStopBits, listed by the QSerialPort code each stands for.
const int ParityCodes[] = {0, 2, 3, 4, 5};
const int StopBitsCodes[] = {1, 3, 2};

template<size_t N>
int codeOfIndex(const int (&codes)[N], int index)
{
    return index >= 0 && index < int(N) ? codes[index] : codes[0];
}

// -1 when the code has no item.
template<size_t N>
int indexOfCode(const int (&codes)[N], int code)
{
    const auto found = std::find(std::begin(codes), std::end(codes), code);
    return found == std::end(codes) ? -1 : int(found - std::begin(codes));
}

constexpr int LowestDataBits = 5;

} // namespace

CComPortDialog::CComPortDialog(const CComPortsModel *model, CChannelUsedDevices *usedDevices, QWidget *parent)
    : QDialog(parent), ui(new Ui_CComPortDialog), model(model), usedDevices(usedDevices)
{
    TRACE_SCOPE();
    ui->setupUi(this);
    setWindowFlags(windowFlags()
                   & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
    connect(ui->pbnCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A stored name longer than a line edit's default limit comes back whole.
    ui->cbxPort->lineEdit()->setMaxLength(std::numeric_limits<int>::max());

    const QList<QSerialPortInfo> systemPorts = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &systemPort : systemPorts)
        ui->cbxPort->addItem(systemPort.systemLocation());

    on_chbxExtended_toggled(false);
}

CComPortDialog::~CComPortDialog()
{
    TRACE_SCOPE();
    delete ui;
}

void CComPortDialog::load(const ComPortSettings &port)
{
    TRACE_SCOPE();
    ui->chbxActive->setChecked(port.active);

    const int portIndex = ui->cbxPort->findText(port.portName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (portIndex >= 0)
        ui->cbxPort->setCurrentIndex(portIndex);
    else
        ui->cbxPort->setEditText(port.portName);
    loadedPortName = port.portName;

    const int baudRateIndex = ui->cbxBaudRate->findText(QString::number(port.baudRate), Qt::MatchExactly);
    ui->cbxBaudRate->setCurrentIndex(baudRateIndex >= 0 ? baudRateIndex : ui->cbxBaudRate->count() - 1);

    ui->cbxFlowControl->setCurrentIndex(port.flowControl);
    ui->cbxDataBits->setCurrentIndex(port.dataBits - LowestDataBits);

    const int parityIndex = indexOfCode(ParityCodes, port.parity);
    if (parityIndex >= 0)
        ui->cbxParity->setCurrentIndex(parityIndex);
    const int stopBitsIndex = indexOfCode(StopBitsCodes, port.stopBits);
    if (stopBitsIndex >= 0)
        ui->cbxStopBits->setCurrentIndex(stopBitsIndex);

    ui->leInitString->setText(port.initString);
}

void CComPortDialog::save(ComPortSettings *port)
{
    TRACE_SCOPE();
    port->active = ui->chbxActive->isChecked();
    port->portName = ui->cbxPort->currentText();
    port->initString = ui->leInitString->text();
    port->baudRate = ui->cbxBaudRate->currentText().toInt();
    port->flowControl = ui->cbxFlowControl->currentIndex();
    port->dataBits = ui->cbxDataBits->currentText().toInt();
    port->parity = codeOfIndex(ParityCodes, ui->cbxParity->currentIndex());
    port->stopBits = codeOfIndex(StopBitsCodes, ui->cbxStopBits->currentIndex());
}

void CComPortDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        // Read afresh each time: the host may change the setting while the dialog is open.
        const QSettings generalSettings(Global::generalSettingsFilePath(), QSettings::IniFormat);
        if (!generalSettings.value(QStringLiteral("closeChildWindows"), false).toBool()) {
            event->ignore();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void CComPortDialog::on_chbxExtended_toggled(bool checked)
{
    TRACE_SCOPE();
    const QList<QWidget *> extendedWidgets = {ui->lDataBits, ui->cbxDataBits, ui->lFlowControl, ui->cbxFlowControl,
                                              ui->lParity,   ui->cbxParity,   ui->lStopBits,    ui->cbxStopBits,
                                              ui->lInitString, ui->leInitString};
    for (QWidget *widget : extendedWidgets)
        widget->setVisible(checked);
}

void CComPortDialog::on_pbnApply_clicked()
{
    TRACE_SCOPE();
    const QString portName = ui->cbxPort->currentText();
    const QString message = refusal(portName);
    if (!message.isEmpty()) {
        // The host may delete the page, and this dialog with it, while the warning is open.
        const QPointer<CComPortDialog> alive(this);
        MessageBox::warning(this, message, QMessageBox::Ok, QMessageBox::NoButton);
        if (alive)
            ui->cbxPort->setFocus();
        return;
    }
    usedDevices->remove(ComChannelType, loadedPortName);
    if (ui->chbxActive->isChecked())
        usedDevices->add(ComChannelType, portName);
    accept();
}

QString CComPortDialog::refusal(const QString &portName) const
{
    if (portName.isEmpty())
        return tr("Укажите COM порт");
    // A port that keeps its name would otherwise collide with itself.
    if (portName != loadedPortName && model->containsPort(portName))
        return tr("Данный COM порт уже используется");
    QList<int> otherTypes = usedDevices->channelTypes(portName);
    otherTypes.removeAll(ComChannelType);
    // An inactive port may share its device with other channels.
    if (ui->chbxActive->isChecked() && !otherTypes.isEmpty())
        return tr("Данный COM порт уже используется в другом канале");
    return QString();
}

// A translator installed or removed while the dialog is open.
void CComPortDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}
