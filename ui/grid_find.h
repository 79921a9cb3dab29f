// Finding and replacing text in one column of the table, on the characters its cells
// show. A query holds no line break, so a match never spans one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ui/grid_ctrl.h"

namespace ui {

struct FindQuery {
  WideText what;
  bool matchCase = false;
  // Only where no letter or digit touches either end (each Chinese character counts
  // as a word of its own).
  bool wholeWord = false;
};

// A match, or where a search starts: the cell, and the units of its shown text.
struct TextMatch {
  int32_t row = -1;
  int32_t column = -1;
  size_t start = 0;
  size_t length = 0;
  bool Found() const { return row >= 0; }
};

// Where `query` matches `text` first at or after `from`; npos when it does not.
size_t FindInText(const WideText& text, const FindQuery& query, size_t from);

// The next match in `column` going down (after `from`'s end) or up (starting before
// `from`'s start), wrapping round the table's rows; not Found() when there is none.
TextMatch FindInColumn(const CGridCtrl& grid, int32_t column, const FindQuery& query,
                       const TextMatch& from, bool down);

// `text` with every match (left to right, not overlapping) replaced; `count` says how
// many.
WideText ReplaceInText(const WideText& text, const FindQuery& query, const WideText& replacement,
                       size_t& count);

// Every match in `column` replaced, as one step of the history; returns how many.
size_t ReplaceAllInColumn(CGridCtrl& grid, int32_t column, const FindQuery& query,
                          const WideText& replacement);

// The unit in the edit box (which shows every line break as CR LF) that stands at unit
// `offset` of a cell's shown text.
size_t EditBoxOffset(const WideText& text, size_t offset);

}  // namespace ui
