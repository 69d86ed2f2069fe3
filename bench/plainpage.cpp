// The floor of the start-up row: a library whose only work is a plain page,
// a widget with a 3x2 table view, made as the plug-in makes its channel page.

#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>

extern "C" Q_DECL_EXPORT QWidget *plainPage()
{
    auto *page = new QWidget;
    auto *view = new QTableView(page);
    view->setModel(new QStandardItemModel(3, 2, page));
    (new QVBoxLayout(page))->addWidget(view);
    return page;
}
