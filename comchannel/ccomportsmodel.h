#pragma once

#include "comsettings.h"

#include <QAbstractTableModel>

class CChannelUsedDevices;

// The channel page's table of ports: one row per port of the channel record,
// with the active flag as a check box in the first column.
class CComPortsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    CComPortsModel() = default;
    ~CComPortsModel() override;

    using QObject::parent;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    QString load(QByteArray const &data, CChannelUsedDevices *usedDevices);
    QByteArray save(CChannelUsedDevices *usedDevices) const;
    bool containsPort(QString const &portName) const;
    void add(ComPortSettings const &settings);
    void edit(QModelIndex &index, ComPortSettings const &settings);
    void remove(QList<QModelIndex> indexes, CChannelUsedDevices *usedDevices);
    // Tells the views that every header and cell text changed its language.
    void retranslate();

    ChannelComSettings channelSettings;
    bool displayExtendedSettings = false;

signals:
    void dataChangedByUser();

private:
    // The page switches displayExtendedSettings inside a reset of this model.
    friend class CComChannelSettingsWidget;

    void registerActivePorts(CChannelUsedDevices *usedDevices) const;
};
