// How a table is built from the settings of its window-template entry.
//
// Keys (all optional; numbers in decimal or 0x-hex):
//   "gridLineColour" (setting 0), "gridLines" (4), "rowResize" (5), "columnResize" (6),
//   "rowHeight" (7), "columnWidth" (8), "rows" (9), "cols" (10), "fixedRows" (11),
//   "fixedCols" (12), "editable" (13), "selectable" (15), "enterAction" (20),
//   "listMode" (22), and "setting<N>" for any other numbered setting N;
//   "column0", "column1", ...: one column definition each, "title,width,align,type"
//   with the title in code page 936 (it may itself hold commas), e.g. "序号,50,2,0";
//   "stretchColumn", "stretchMinimum": the column that takes what the table gains or
//   loses in width, and the least width it keeps (96-DPI numbers).
// Absent counts take the defaults 5 rows, 5 columns, 1 fixed row, 1 fixed column.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "runtime/window_layout.h"
#include "ui/grid_ctrl.h"

namespace ui {

using SettingsMap = std::map<std::string, std::string>;

// The column definitions among `settings`, in column order (stops at the first gap).
std::vector<ColumnDefinition> ParseColumnDefinitions(const SettingsMap& settings);
struct StretchSetting {
  int32_t column = -1;  // none
  int32_t minimum = 0;
};
StretchSetting ParseStretch(const SettingsMap& settings);

// The least size (96-DPI numbers) that shows every column title: the columns at their
// widths, the stretch column at its minimum, the fixed rows and one more, and the edges
// and scroll bars around them.
rt::ClientSize TableMinimumSize(const SettingsMap& settings);

// Sets the stored settings, then the counts, then applies the column definitions.
void ConfigureTable(CGridCtrl& grid, const SettingsMap& settings);

}  // namespace ui
