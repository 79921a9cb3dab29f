#include "app/table_time_shift.h"

#include <string>

#include "app/main_window.h"
#include "core/time_shift.h"
#include "core/timestamp.h"
#include "language/catalogue.h"

namespace app {
namespace {

constexpr auto kTimeColumn = static_cast<int32_t>(SubtitleColumn::kTimeRange);

}  // namespace

TableShift ShiftTableTimes(ui::CGridCtrl& grid, int64_t offsetUs, std::vector<int32_t> rows) {
  if (rows.empty()) {
    for (int32_t row = grid.FixedRowCount(); row < grid.RowCount(); ++row) rows.push_back(row);
  }
  std::vector<ui::TextEdit> edits;
  edits.reserve(rows.size());
  for (int32_t row : rows) {
    const ui::CGridCell* cell = grid.Cell(row, kTimeColumn);
    core::TimeSpan span;
    if (!cell ||
        !core::ParseTimeRange(ui::Utf16ToUtf8(cell->ShownText()), span.startUs, span.endUs)) {
      return {TableShift::Outcome::kNoTimeRange, row, 0};
    }
    span = core::ShiftTimeSpan(span, offsetUs);
    if (span.startUs < 0) return {TableShift::Outcome::kStartsBeforeZero, row, 0};
    edits.push_back(
        {row, kTimeColumn, ui::Utf8ToUtf16(core::TimeRangeText(span.startUs, span.endUs))});
  }
  grid.EditTexts(edits);
  return {TableShift::Outcome::kDone, 0, edits.size()};
}

ui::WideText ShiftTypedTimes(ui::CGridCtrl& grid, const ui::WideText& typed, bool selectedOnly) {
  int64_t offsetUs = 0;
  if (!core::ParseShiftSeconds(ui::Utf16ToUtf8(typed), offsetUs)) {
    return language::Text(language::TextId::kShiftNotSeconds, {typed});
  }
  std::vector<int32_t> rows;
  if (selectedOnly) rows = grid.SelectedRows();
  if (selectedOnly && rows.empty()) return {};
  TableShift shift = ShiftTableTimes(grid, offsetUs, rows);
  // Rows are named by their serial numbers, which count from the first data row.
  ui::WideText serial = ui::Utf8ToUtf16(std::to_string(shift.row - grid.FixedRowCount() + 1));
  switch (shift.outcome) {
    case TableShift::Outcome::kDone:
      return {};
    case TableShift::Outcome::kStartsBeforeZero:
      return language::Text(language::TextId::kShiftBeforeZero, {serial});
    case TableShift::Outcome::kNoTimeRange:
      return language::Text(language::TextId::kShiftNoTimeRange, {serial});
  }
  return {};
}

}  // namespace app
