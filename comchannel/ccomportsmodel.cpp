#include "ccomportsmodel.h"

#include "common/logger.h"
#include "interfaces/cchanneluseddevices.h"

#include <algorithm>

namespace {

enum Column {
    ColumnPort,
    ColumnBaudRate,
    ColumnFlowControl,
    ColumnDataBits,
    ColumnParity,
    ColumnStopBits,
    ColumnInitString
};

constexpr int SimpleColumnCount = ColumnBaudRate + 1;
constexpr int ExtendedColumnCount = ColumnInitString + 1;

// Texts beyond any real port name or modem string are shown cut: laying out
// millions of characters to size and paint a cell would take seconds.
constexpr int ShownTextLimit = 256;

QString shown(const QString &text)
{
    return text.size() > ShownTextLimit ? text.left(ShownTextLimit) + QChar(0x2026) : text;
}

} // namespace

CComPortsModel::~CComPortsModel() = default;

QModelIndex CComPortsModel::index(int row, int column, const QModelIndex &parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex CComPortsModel::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int CComPortsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : channelSettings.ports.size();
}

int CComPortsModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return displayExtendedSettings ? ExtendedColumnCount : SimpleColumnCount;
}

QVariant CComPortsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= channelSettings.ports.size())
        return QVariant();
    const ComPortSettings &port = channelSettings.ports.at(index.row());

    if (role == Qt::CheckStateRole && index.column() == ColumnPort)
        return int(port.active ? Qt::Checked : Qt::Unchecked);
    if (role != Qt::DisplayRole)
        return QVariant();

    switch (index.column()) {
    case ColumnPort:
        return shown(port.portName);
    case ColumnBaudRate:
        return QString::number(port.baudRate);
    case ColumnFlowControl:
        switch (port.flowControl) {
        case 1:
            return tr("Аппаратное");
        case 2:
            return tr("Программное");
        default:
            return tr("Нет");
        }
    case ColumnDataBits:
        return QString::number(port.dataBits);
    case ColumnParity:
        switch (port.parity) {
        case 2:
            return tr("Чет");
        case 3:
            return tr("Нечет");
        case 4:
            return tr("Пробел");
        case 5:
            return tr("Маркер");
        default:
            return tr("Нет");
        }
    case ColumnStopBits:
        switch (port.stopBits) {
        case 2:
            return tr("2");
        case 3:
            return tr("1.5");
        default:
            return tr("1");
        }
    case ColumnInitString:
        return shown(port.initString);
    default:
        return QVariant();
    }
}

bool CComPortsModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (index.column() != ColumnPort || role != Qt::CheckStateRole || index.row() < 0
        || index.row() >= channelSettings.ports.size())
        return false;
    channelSettings.ports[index.row()].active = value.toBool();
    emit dataChanged(index, index);
    emit dataChangedByUser();
    return true;
}

QVariant CComPortsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case ColumnPort:
        return tr("Порт");
    case ColumnBaudRate:
        return tr("Скорость");
    case ColumnFlowControl:
        return tr("Управление потоком");
    case ColumnDataBits:
        return tr("Биты данных");
    case ColumnParity:
        return tr("Четность");
    case ColumnStopBits:
        return tr("Стоповые биты");
    case ColumnInitString:
        return tr("Строка инициализации");
    default:
        return QVariant();
    }
}

Qt::ItemFlags CComPortsModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags common = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return index.column() == ColumnPort ? common | Qt::ItemIsUserCheckable : common;
}

QString CComPortsModel::load(QByteArray const &data, CChannelUsedDevices *usedDevices)
{
    TRACE_SCOPE();
    beginResetModel();
    const QString message = channelSettings.fromByteArray(data);
    endResetModel();
    registerActivePorts(usedDevices);
    return message;
}

QByteArray CComPortsModel::save(CChannelUsedDevices *usedDevices) const
{
    TRACE_SCOPE();
    registerActivePorts(usedDevices);
    return channelSettings.toByteArray();
}

bool CComPortsModel::containsPort(QString const &portName) const
{
    TRACE_SCOPE();
    return std::any_of(channelSettings.ports.cbegin(), channelSettings.ports.cend(),
                       [&portName](const ComPortSettings &port) { return port.portName == portName; });
}

void CComPortsModel::add(ComPortSettings const &settings)
{
    TRACE_SCOPE();
    const int row = channelSettings.ports.size();
    beginInsertRows(QModelIndex(), row, row);
    channelSettings.ports.append(settings);
    endInsertRows();
}

void CComPortsModel::edit(QModelIndex &index, ComPortSettings const &settings)
{
    TRACE_SCOPE();
    channelSettings.ports[index.row()] = settings;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
}

void CComPortsModel::remove(QList<QModelIndex> indexes, CChannelUsedDevices *usedDevices)
{
    TRACE_SCOPE();
    std::sort(indexes.begin(), indexes.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() > b.row(); });

    beginResetModel();
    QList<ComPortSettings> &ports = channelSettings.ports;
    QVector<bool> removed(ports.size(), false);
    for (const QModelIndex &index : qAsConst(indexes)) {
        const int row = index.row();
        if (row < 0 || row >= ports.size())
            continue;
        usedDevices->remove(ComChannelType, ports.at(row).portName);
        removed[row] = true;
    }
    // The list is rebuilt once: erasing rows one by one would move the rest
    // of the list for every removed row.
    QList<ComPortSettings> kept;
    kept.reserve(ports.size());
    for (int row = 0; row < ports.size(); ++row) {
        if (!removed.at(row))
            kept.append(ports.at(row));
    }
    ports = kept;
    endResetModel();
}

void CComPortsModel::registerActivePorts(CChannelUsedDevices *usedDevices) const
{
    usedDevices->clear(ComChannelType);
    for (const ComPortSettings &port : channelSettings.ports) {
        if (port.active)
            usedDevices->add(ComChannelType, port.portName);
    }
}

void CComPortsModel::retranslate()
{
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (!channelSettings.ports.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}
