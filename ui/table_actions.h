// What a table's owner adds to the table's keys and context menu beyond editing cells:
// the column that Find and Replace search, and the time shift.
#pragma once

#include <cstdint>

#include "ui/text_convert.h"

namespace ui {

class CGridCtrl;

// Moves the times of every row, or of the selected rows only, by the shift typed in the
// shift dialog, as one step of the table's history. Returns an empty text when done,
// else the message to show (UTF-16), the table unchanged.
using TimeShiftAction = WideText (*)(CGridCtrl& grid, const WideText& typed, bool selectedOnly);

struct TableActions {
  int32_t findColumn = -1;               // -1: Find and Replace are not offered
  TimeShiftAction shiftTimes = nullptr;  // null: Ctrl+T and the menu item are not offered
};

}  // namespace ui
