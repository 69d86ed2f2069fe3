#include "ccomchannelsettingswidget.h"
#include "ui_ccomchannelsettingswidget.h"

#include "ccomportdialog.h"
#include "common/globalformat.h"
#include "common/globalpaths.h"
#include "common/logger.h"
#include "common/messagebox.h"
#include "interfaces/cchanneluseddevices.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QShortcut>

#include <algorithm>

namespace {

// The rows whose every column is selected, in column 0: the rows that
// QItemSelectionModel::selectedRows() gives, which compares each row with
// every selected range and takes seconds once thousands of rows were picked
// one by one.
QModelIndexList selectedRows(const QItemSelectionModel *selectionModel)
{
    QModelIndexList cells = selectionModel->selectedIndexes();
    std::sort(cells.begin(), cells.end());
    cells.erase(std::unique(cells.begin(), cells.end()), cells.end());

    const QAbstractItemModel *model = selectionModel->model();
    QVector<int> selectedColumns(model->rowCount(), 0);
    for (const QModelIndex &cell : qAsConst(cells))
        ++selectedColumns[cell.row()];

    QModelIndexList rows;
    for (int row = 0; row < selectedColumns.size(); ++row) {
        if (selectedColumns.at(row) == model->columnCount())
            rows << model->index(row, 0);
    }
    return rows;
}

} // namespace

CComChannelSettingsWidget::CComChannelSettingsWidget() : ui(new Ui_CComChannelSettingsWidget)
{
    TRACE_SCOPE();
    addShortcut = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_N), this, SLOT(on_pbnAdd_clicked()));
    editShortcut = new QShortcut(QKeySequence(Qt::Key_F2), this, SLOT(on_pbnEdit_clicked()));
    removeShortcut = new QShortcut(QKeySequence(Qt::Key_Delete), this, SLOT(on_pbnRemove_clicked()));

    ui->setupUi(this);
    ui->tvPorts->setModel(&model);
    // Port names and headers shown whole; the last column stretches (set in the form).
    ui->tvPorts->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    connect(&model, &CComPortsModel::dataChangedByUser, this, &CChannelSettingsWidget::dataChanged);
    connect(ui->tvPorts, &QAbstractItemView::doubleClicked, this, &CComChannelSettingsWidget::on_pbnEdit_clicked);
    connect(ui->sbxBlockSize, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &CChannelSettingsWidget::dataChanged);

    // The host embeds the page in a larger window: the keys belong to the page only.
    for (QShortcut *shortcut : {addShortcut, editShortcut, removeShortcut})
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
}

CComChannelSettingsWidget::~CComChannelSettingsWidget()
{
    TRACE_SCOPE();
    delete ui;
}

QString CComChannelSettingsWidget::saveData(QString *filePath, QByteArray *data) const
{
    TRACE_SCOPE();
    model.channelSettings.blockSize = ui->sbxBlockSize->value();
    *data = model.save(registry());
    *filePath = Global::channelComSettingsFilePath();
    return QString();
}

QString CComChannelSettingsWidget::loadData()
{
    TRACE_SCOPE();
    registry()->clear(ComChannelType);

    QFile file(Global::channelComSettingsFilePath());
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return tr("Не удалось открыть для чтения файл %1: %2").arg(file.fileName()).arg(file.errorString());
    const QByteArray content = file.readAll();
    file.close();

    const QString message = model.load(content, registry());
    ui->sbxBlockSize->setValue(model.channelSettings.blockSize);
    return message;
}

void CComChannelSettingsWidget::setDisplayExtendedSettings(bool display)
{
    model.beginResetModel();
    model.displayExtendedSettings = display;
    model.endResetModel();
    ui->lBlockSize->setVisible(display);
    ui->sbxBlockSize->setVisible(display);
}

QStringList CComChannelSettingsWidget::settings() const
{
    return {Global::settingsDir().relativeFilePath(Global::channelComSettingsFilePath())};
}

void CComChannelSettingsWidget::on_pbnAdd_clicked()
{
    TRACE_SCOPE();
    ComPortSettings port;
    if (!runPortDialog(nullptr, &port))
        return;
    model.add(port);
    emit dataChanged();
}

void CComChannelSettingsWidget::on_pbnEdit_clicked()
{
    TRACE_SCOPE();
    QModelIndex current = ui->tvPorts->currentIndex();
    if (!current.isValid()) {
        QApplication::beep();
        return;
    }
    ComPortSettings port;
    if (!runPortDialog(&model.channelSettings.ports.at(current.row()), &port))
        return;
    model.edit(current, port);
    emit dataChanged();
}

void CComChannelSettingsWidget::on_pbnRemove_clicked()
{
    TRACE_SCOPE();
    const QModelIndexList rows = selectedRows(ui->tvPorts->selectionModel());
    if (rows.isEmpty()) {
        QApplication::beep();
        return;
    }
    const int count = rows.size();
    const QString question = tr("Вы действительно хотите удалить %1 %2")
                                 .arg(count)
                                 .arg(Global::declension(count, tr("COM порт"), tr("COM порта"), tr("COM портов")));
    const QPointer<CComChannelSettingsWidget> alive(this);
    if (MessageBox::confirmation(this, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
            != QMessageBox::Yes
        || !alive)
        return;
    model.remove(rows, registry());
    emit dataChanged();
}

bool CComChannelSettingsWidget::runPortDialog(const ComPortSettings *loaded, ComPortSettings *port)
{
    // On the heap and watched: the host may delete this page, and the dialog
    // with it, while the dialog runs.
    const QPointer<CComPortDialog> dialog = new CComPortDialog(&model, registry(), this);
    if (loaded)
        dialog->load(*loaded);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return false;
    if (accepted)
        dialog->save(port);
    delete dialog;
    return accepted;
}

CChannelUsedDevices *CComChannelSettingsWidget::registry() const
{
    if (usedDevices)
        return usedDevices;
    if (!ownRegistry) {
        debug(QStringLiteral("CComChannelSettingsWidget"),
              tr("Реестр используемых устройств не задан: занятость COM портов другими каналами не проверяется"));
        ownRegistry.reset(new CChannelUsedDevices);
    }
    return ownRegistry.get();
}

// A translator installed or removed while the page is shown.
void CComChannelSettingsWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        model.retranslate();
    }
    CChannelSettingsWidget::changeEvent(event);
}
