// The table's edit history: what each change to the cells' contents altered, so that
// it can be undone and done again. A step keeps only what it changed: for texts, the
// one text each cell does not hold now (its old text while the step is done, the new
// one once it is undone), exchanged with the cell's on every undo and redo; for rows
// taken out, the rows themselves while they are out. So the table and its history
// together hold each text at most twice, and undoing touches only what changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/grid_cell.h"

namespace ui {

// A cell whose text a step changed, with the text that the cell does not hold now.
struct CellChange {
  int32_t row = 0;
  int32_t column = 0;
  CellText text;
};

// A row that a step took out: where it was, its height, and (while out) its cells.
struct RemovedRow {
  int32_t row = 0;
  int32_t height = 0;
  std::vector<CGridCell> cells;
};

// One change as the user sees it: an edit, a paste, a cut or Delete, a replacement of
// many texts, or the removal of rows (ascending by their index before the removal).
struct GridStep {
  std::vector<CellChange> cells;
  std::vector<RemovedRow> rows;
  bool Empty() const { return cells.empty() && rows.empty(); }
};

class GridHistory {
 public:
  // Forgets every step; the table counts as modified afterwards as it did before.
  void Clear();
  // Adds a step that has just been done; the steps that could have been redone go.
  // May throw std::bad_alloc; the step is then lost.
  void Push(GridStep step);
  // The step to undo (the position moves back over it), or null when none.
  GridStep* StepBack();
  // The step to redo (the position moves forward over it), or null when none.
  GridStep* StepForward();
  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }
  size_t StepCount() const { return steps_.size(); }

  // Does the table differ from its state when last marked saved (filled or exported)?
  bool Modified() const { return !savedReachable_ || saved_ != done_; }
  void MarkSaved() {
    saved_ = done_;
    savedReachable_ = true;
  }
  // The saved state can no longer be reached by undoing or redoing.
  void MarkUnsaved() { savedReachable_ = false; }

 private:
  std::vector<GridStep> steps_;
  size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
  size_t saved_ = 0;
  bool savedReachable_ = true;
};

}  // namespace ui
