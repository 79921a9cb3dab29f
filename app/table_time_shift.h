// Moving the times in the subtitle table, with the core's shift rule: every row or the
// selected rows only, as one step of the table's history.
#pragma once

#include <cstdint>

#include "ui/grid_ctrl.h"

namespace app {

struct TableShift {
  enum class Outcome { kDone, kStartsBeforeZero, kNoTimeRange } outcome = Outcome::kDone;
  int32_t row = 0;   // the first row that refused the shift
  size_t moved = 0;  // how many rows moved
};

// Moves the time cells of `rows` (all data rows when empty) by `offsetUs`. Nothing
// changes when a row's time cell holds no time range or its start would fall before 0:
// the first such row is named.
TableShift ShiftTableTimes(ui::CGridCtrl& grid, int64_t offsetUs, std::vector<int32_t> rows);

// The table's time-shift action (ui::TimeShiftAction): reads the typed seconds and
// moves the rows, answering with the message to show when it cannot.
ui::WideText ShiftTypedTimes(ui::CGridCtrl& grid, const ui::WideText& typed, bool selectedOnly);

}  // namespace app
