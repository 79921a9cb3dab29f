// One direction of the table, its rows or its columns: what moving, scrolling, laying out
// and hit testing need to know about it, written once for both directions.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace ui {

// The table's two directions.
enum class Axis { kRows, kColumns };

// What the table keeps about one direction.
struct AxisState {
  std::vector<int32_t> sizes;  // pixels per row or column; 0 or less is hidden
  int32_t fixed = 0;           // how many lead as fixed ones
  int32_t first = 0;           // the first scrolled one shown
  int32_t current = -1;        // the current cell's row or column; -1 for none
  int extent = 0;              // the client area's size along the axis
};

// The rules of one direction, over its state.
struct GridAxis {
  const std::vector<int32_t>& sizes;  // pixels per row or column; 0 or less is hidden
  int32_t fixed;                      // how many lead as fixed ones
  int32_t first;                      // the first scrolled one shown
  int extent;                         // the client area's size along the axis
  // Scrolled to the end, the last one ends at the client's edge and the ones before
  // `first` fill what is left in front of it, partly hidden under the fixed ones.
  bool fillsToEnd;

  int32_t Count() const { return static_cast<int32_t>(sizes.size()); }
  // The shown size of one (0 when hidden or outside).
  int Size(int32_t i) const;
  int FixedExtent() const;
  // The next shown, non-fixed one from `from` in the direction of `step` (±1); -1 when none.
  int32_t Next(int32_t from, int step) const;
  // The largest `first`: from it on the rest fits (or it is the last, when that alone does not).
  int32_t MaxFirst() const;
  // How many fit whole after the fixed ones from `first` on (at least 1).
  int32_t Page() const;
  // Pixels between the fixed ones and `first` that the ones before it fill.
  int Lead() const;
  // Where one starts, in client coordinates (may lie outside the client area).
  int Start(int32_t i) const;
  // The ones drawn, fixed ones first, with their starts.
  std::vector<std::pair<int32_t, int>> Shown() const;
  // The one drawn at client position p; -1 when none. Fixed ones cover scrolled ones.
  int32_t At(int p) const;
  // The `first` that shows `target` whole, moving as little as possible.
  int32_t FirstShowing(int32_t target) const;
  // The one whose far edge lies within `slop` pixels of p, the closest; -1 when none.
  int32_t BoundaryAt(int p, int slop) const;
};

}  // namespace ui
