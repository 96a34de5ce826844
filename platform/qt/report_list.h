#pragma once
// The report list: rows of cells under column headers, one selected row at most.

#include <QTreeWidget>
#include <string>
#include <string_view>

#include "platform/form.h"

namespace qingyu::platform::qt {

QTreeWidget* make_report_list(const ControlSpec& design, QWidget* parent);

int report_row_count(const QTreeWidget* list);
void report_clear_rows(QTreeWidget* list);
int report_append_row(QTreeWidget* list);
std::string report_cell(const QTreeWidget* list, int row, int column);
void report_set_cell(QTreeWidget* list, int row, int column, std::string_view text);

int report_selected_row(const QTreeWidget* list);
void report_select_row(QTreeWidget* list, int row);  // -1 clears the selection

}  // namespace qingyu::platform::qt
