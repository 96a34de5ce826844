#include "platform/qt/report_list.h"

#include <QHeaderView>
#include <QStringList>

#include "platform/qt/qt_text.h"

namespace qingyu::platform::qt {

namespace {
QTreeWidgetItem* row_item(const QTreeWidget* list, int row) {
    if (row < 0 || row >= list->topLevelItemCount()) return nullptr;
    return list->topLevelItem(row);
}
}  // namespace

QTreeWidget* make_report_list(const ControlSpec& design, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->setColumnCount(static_cast<int>(design.columns.size()));
    QStringList headers;
    for (const auto& column : design.columns) headers << from_gbk(column.caption);
    list->setHeaderLabels(headers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    for (int i = 0; i < static_cast<int>(design.columns.size()); ++i) {
        list->setColumnWidth(i, design.columns[i].width);
    }
    return list;
}

int report_row_count(const QTreeWidget* list) {
    return list->topLevelItemCount();
}

void report_clear_rows(QTreeWidget* list) {
    list->clear();
}

int report_append_row(QTreeWidget* list) {
    list->addTopLevelItem(new QTreeWidgetItem());
    return list->topLevelItemCount() - 1;
}

std::string report_cell(const QTreeWidget* list, int row, int column) {
    const QTreeWidgetItem* item = row_item(list, row);
    if (item == nullptr || column < 0 || column >= list->columnCount()) return {};
    return to_gbk(item->text(column));
}

void report_set_cell(QTreeWidget* list, int row, int column, std::string_view text) {
    QTreeWidgetItem* item = row_item(list, row);
    if (item == nullptr || column < 0 || column >= list->columnCount()) return;
    item->setText(column, from_gbk(text));
}

int report_selected_row(const QTreeWidget* list) {
    const auto selected = list->selectedItems();
    if (selected.isEmpty()) return -1;
    return list->indexOfTopLevelItem(selected.first());
}

void report_select_row(QTreeWidget* list, int row) {
    QTreeWidgetItem* item = row_item(list, row);
    if (item == nullptr) {
        list->clearSelection();
        return;
    }
    list->setCurrentItem(item);
    list->scrollToItem(item);
}

}  // namespace qingyu::platform::qt
