// The second floor of the start-up row: the channel page's own form and images
// over a plain model of the rows the plug-in shows, with nothing of the plug-in
// (no settings store, tracing, records or registry). Against it shows what the
// plug-in costs beyond the form that its page must draw.

#include "ui_ccomchannelsettingswidget.h"

#include <QHeaderView>
#include <QStandardItemModel>

extern "C" Q_DECL_EXPORT QWidget *plainPage()
{
    auto *page = new QWidget;
    Ui_CComChannelSettingsWidget form;
    form.setupUi(page);

    // The simple view of the 3 ports the start-up row loads: name with its active box, speed.
    auto *model = new QStandardItemModel(3, 2, page);
    model->setHorizontalHeaderLabels({QStringLiteral("Порт"), QStringLiteral("Скорость")});
    for (int row = 0; row < model->rowCount(); ++row) {
        auto *port = new QStandardItem(QStringLiteral("ttyUSB%1").arg(row));
        port->setCheckable(true);
        port->setCheckState(Qt::Checked);
        model->setItem(row, 0, port);
        model->setItem(row, 1, new QStandardItem(QStringLiteral("115200")));
    }
    form.tvPorts->setModel(model);
    form.tvPorts->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return page;
}
