// The table view's model: rows and columns, cells, settings, the current cell, the
// scroll position, and what the keyboard and the mouse do to them. It draws nothing;
// a view (the Win32 window in the Windows build) paints it and tells it what happens.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/grid_axis.h"
#include "ui/grid_cell.h"
#include "ui/grid_history.h"
#include "ui/table_actions.h"
#include "ui/text_convert.h"

namespace ui {

// One column as given when the table is created.
struct ColumnDefinition {
  WideText title;
  int32_t width = -1;      // negative: the default width
  int32_t alignment = 0;   // 2 centre, 3 right, otherwise left
  int32_t type = 0;        // 0 and 1 text; 2 to 10 the other types
  int32_t dateFormat = 0;  // only for the date type
};

// Indices of the table's numbered settings (property id = 8 + index).
enum TableSetting : int32_t {
  kSettingGridLineColour = 0,
  kSettingGridLines = 4,  // 0 none, 1 between rows, 2 between columns, 3 both
  kSettingRowResize = 5,
  kSettingColumnResize = 6,
  kSettingRowHeight = 7,
  kSettingColumnWidth = 8,
  kSettingRowCount = 9,
  kSettingColumnCount = 10,
  kSettingFixedRows = 11,
  kSettingFixedColumns = 12,
  kSettingEditable = 13,
  kSettingSelectable = 15,
  kSettingEnterAction = 20,  // 0 nothing (Enter edits), 1 like Tab, 2 down, 3 default
  kSettingListMode = 22,
  kSettingNumberedRows = 23,  // 1: the first column counts the rows, renumbered as they go
  kSettingCount = 24,
};

// Column type codes.
constexpr int32_t kColumnTypeText = 101;

// Key codes the model understands (the Windows virtual-key numbers).
enum GridKey : int32_t {
  kKeyBack = 0x08,
  kKeyTab = 0x09,
  kKeyReturn = 0x0D,
  kKeyEscape = 0x1B,
  kKeySpace = 0x20,
  kKeyPageUp = 0x21,
  kKeyPageDown = 0x22,
  kKeyEnd = 0x23,
  kKeyHome = 0x24,
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
  kKeyInsert = 0x2D,
  kKeyDelete = 0x2E,
  kKeyF2 = 0x71,
};

// A new text for one cell.
struct TextEdit {
  int32_t row = 0;
  int32_t column = 0;
  WideText text;
};

// Where the caret goes when an edit box opens.
enum class EditCaret { AtEnd, SelectAll, SelectRange };

// What the view must show in a new edit box.
struct EditRequest {
  int32_t row = -1, column = -1;
  WideText text;  // the box's initial text
  EditCaret caret = EditCaret::AtEnd;
  bool wide = false;  // the cell holds wide text: the result is stored as wide text
  // For SelectRange: the units of the box's text to select; the keyboard focus stays
  // where it is (a find dialog keeps it).
  size_t selectStart = 0, selectEnd = 0;
};

// How an edit ended.
enum class EditEnd { Commit, Cancel, Tab, Return };

// The pointer's shape over the table.
enum class GridCursor { Arrow, SizeColumn, SizeRow };

struct CellRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// What the model asks of its view. Every call may be ignored by a view-less table.
class GridViewSink {
 public:
  virtual ~GridViewSink() = default;
  virtual void Redraw() = 0;  // the whole table
  virtual void RedrawCell(int32_t row, int32_t column) = 0;
  // Row `row` and everything below it (what moves when a row is inserted there).
  virtual void RedrawRowsFrom(int32_t row) {
    (void)row;
    Redraw();
  }
  virtual void ScrollChanged() = 0;  // scroll bars and position
  virtual void OpenEditor(const EditRequest& request) = 0;
  virtual void CloseEditor() = 0;
  // Ends an open box as leaving it does: its text goes to EndEdit.
  virtual void CommitEditor() {}
  virtual void CopyToClipboard(const WideText& text) = 0;
  virtual WideText PasteFromClipboard() = 0;
};

class CGridCtrl {
 public:
  CGridCtrl();
  CGridCtrl(const CGridCtrl&) = delete;
  CGridCtrl& operator=(const CGridCtrl&) = delete;

  void SetSink(GridViewSink* sink) { sink_ = sink; }
  // What the owner offers beyond editing cells; the view's keys and menu read it.
  void SetActions(const TableActions& actions) { actions_ = actions; }
  const TableActions& Actions() const { return actions_; }

  // ---- Shape ---------------------------------------------------------------------
  // How many rows or columns there are, and how many of them lead as fixed ones.
  int32_t Count(Axis axis) const { return static_cast<int32_t>(State(axis).sizes.size()); }
  int32_t FixedCount(Axis axis) const { return State(axis).fixed; }
  int32_t RowCount() const { return Count(Axis::kRows); }
  int32_t ColumnCount() const { return Count(Axis::kColumns); }
  int32_t FixedRowCount() const { return FixedCount(Axis::kRows); }
  int32_t FixedColumnCount() const { return FixedCount(Axis::kColumns); }
  // Each of these repaints; counts of 0 or less are refused (false) by the first two.
  bool SetRowCount(int32_t rows);
  bool SetColumnCount(int32_t columns);
  // Makes the first `count` rows or columns fixed, creating those that do not yet exist.
  void SetFixedCount(Axis axis, int32_t count);
  void SetFixedRowCount(int32_t rows) { SetFixedCount(Axis::kRows, rows); }
  void SetFixedColumnCount(int32_t columns) { SetFixedCount(Axis::kColumns, columns); }

  // A row's height or a column's width; 0 outside the table.
  int32_t Size(Axis axis, int32_t index) const;
  int32_t RowHeight(int32_t row) const { return Size(Axis::kRows, row); }
  int32_t ColumnWidth(int32_t column) const { return Size(Axis::kColumns, column); }
  // Raised to the cell margin + 6 at least.
  void SetSize(Axis axis, int32_t index, int32_t size);
  void SetRowHeight(int32_t row, int32_t height) { SetSize(Axis::kRows, row, height); }
  void SetColumnWidth(int32_t column, int32_t width) { SetSize(Axis::kColumns, column, width); }
  // Exactly as given: 0 or less hides the row or column.
  void SetSizeExact(Axis axis, int32_t index, int32_t size);
  void SetColumnWidthExact(int32_t column, int32_t width) {
    SetSizeExact(Axis::kColumns, column, width);
  }
  void SetRowHeightExact(int32_t row, int32_t height) { SetSizeExact(Axis::kRows, row, height); }
  int32_t MinimumSize() const { return cellMargin_ + 6; }

  // The column that takes what the table gains or loses in width, never narrower than
  // `minimum` pixels; -1 for none.
  void SetStretchColumn(int32_t column, int32_t minimum);
  // The table's outer width is now `width` pixels: the stretch column takes the change
  // since the last call (the first call only records it).
  void SetOuterWidth(int width);
  // Scales every row height and column width, and the default sizes, from pixels at one
  // DPI to pixels at another.
  void ScaleSizes(int fromDpi, int toDpi);

  // Applies column definitions as table creation does.
  void ApplyColumns(const std::vector<ColumnDefinition>& columns);
  int32_t ColumnType(int32_t column) const;
  int32_t ColumnAlignmentFormat(int32_t column) const;

  // ---- Cells ---------------------------------------------------------------------
  bool IsValid(int32_t row, int32_t column) const {
    return row >= 0 && column >= 0 && row < RowCount() && column < ColumnCount();
  }
  bool IsFixed(int32_t row, int32_t column) const {
    return row < rows_.fixed || column < columns_.fixed;
  }
  // Null outside the table.
  CGridCell* Cell(int32_t row, int32_t column);
  const CGridCell* Cell(int32_t row, int32_t column) const;
  // Inserts one row of default cells at `position` (appends when outside the
  // non-fixed rows); the heading, if any, goes to column 0. Returns the new row.
  int32_t InsertRow(int32_t position, const std::string* heading);
  bool Editable(int32_t row, int32_t column) const;

  // ---- Settings ------------------------------------------------------------------
  int32_t Setting(int32_t index) const;
  // Stores a setting with its side effects; unknown indices are ignored.
  void SetSetting(int32_t index, int32_t value);
  // Do the cells differ from when the flag was last cleared (the table filled or
  // exported), through the user's changes (an edit, a paste, a delete, a replacement,
  // removed rows)? Undoing back to that state clears it again. Cells written by the
  // program leave it alone.
  bool Modified() const { return history_.Modified(); }
  void SetModified(bool modified) {
    if (modified)
      history_.MarkUnsaved();
    else
      history_.MarkSaved();
  }

  // ---- Edit history --------------------------------------------------------------
  // Each change by the user is one step, however many cells it touched. The program's
  // changes to the table's shape (row or column counts, fixed counts, a row inserted
  // among others) forget every step.
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  // Undoes or redoes one step, ending an edit in progress first (its text counts as a
  // step); the first cell it changed becomes current. False when there is none.
  bool Undo();
  bool Redo();
  const GridHistory& History() const { return history_; }
  // Gives cells new texts as one step, skipping cells that may not be edited or already
  // show the text; returns how many changed.
  size_t EditTexts(const std::vector<TextEdit>& edits);
  // Takes the non-fixed rows `rows` out as one step; with kSettingNumberedRows the rows
  // after them are renumbered. Returns how many went.
  size_t DeleteRows(std::vector<int32_t> rows);
  // The rows that hold a selected cell, ascending, or else the current row; empty when
  // there is neither.
  std::vector<int32_t> SelectedRows() const;
  // Would Delete or Cut change a cell (the current or a selected one that may be edited
  // and is not empty)?
  bool CanClearCells() const;
  // Would Copy and Paste have a cell to act on?
  bool HasCurrentCell() const { return HasCurrent(); }

  // ---- Viewport ------------------------------------------------------------------
  void SetClientSize(int width, int height);
  int ClientWidth() const { return columns_.extent; }
  int ClientHeight() const { return rows_.extent; }
  // The first scrolled row or column shown after the fixed ones, and the last it can be.
  int32_t ScrollPosition(Axis axis) const { return State(axis).first; }
  int32_t MaxScrollPosition(Axis axis) const { return Along(axis).MaxFirst(); }
  int32_t TopRow() const { return rows_.first; }
  int32_t LeftColumn() const { return columns_.first; }
  int32_t MaxTopRow() const { return MaxScrollPosition(Axis::kRows); }
  int32_t MaxLeftColumn() const { return MaxScrollPosition(Axis::kColumns); }
  // Sets the scroll position (clamped); returns how many rows or columns it moved.
  int32_t ScrollTo(Axis axis, int32_t first);
  int32_t ScrollToRow(int32_t top) { return ScrollTo(Axis::kRows, top); }
  int32_t ScrollToColumn(int32_t left) { return ScrollTo(Axis::kColumns, left); }
  // How many fit after the fixed ones from the scroll position on (at least 1).
  int32_t Page(Axis axis) const { return Along(axis).Page(); }
  int32_t PageRows() const { return Page(Axis::kRows); }
  int32_t PageColumns() const { return Page(Axis::kColumns); }
  void EnsureVisible(int32_t row, int32_t column);
  int FixedExtent(Axis axis) const { return Along(axis).FixedExtent(); }
  int FixedHeight() const { return FixedExtent(Axis::kRows); }
  int FixedWidth() const { return FixedExtent(Axis::kColumns); }
  // The cell's rectangle in client coordinates (may lie outside the client area).
  CellRect CellRectangle(int32_t row, int32_t column) const;
  // Is any part of the cell in the client area?
  bool CellShown(int32_t row, int32_t column) const;
  // The cell under a client point, false when none.
  bool HitTest(int x, int y, int32_t* row, int32_t* column) const;
  // Rows and columns drawn, in order, with their left or top edges.
  // Scrolled to the right end, the last column ends at the client's right edge and the
  // columns before the left column fill the space in front of it: the first of them
  // may start under the fixed columns.
  std::vector<std::pair<int32_t, int>> ShownRows() const { return Along(Axis::kRows).Shown(); }
  std::vector<std::pair<int32_t, int>> ShownColumns() const {
    return Along(Axis::kColumns).Shown();
  }

  // ---- Current cell and selection ------------------------------------------------
  int32_t CurrentRow() const { return rows_.current; }
  int32_t CurrentColumn() const { return columns_.current; }
  // Makes a cell current (or none with -1, -1), scrolls it into view and repaints.
  void SetCurrentCell(int32_t row, int32_t column);
  void ClearSelection();
  // Repaints the current cell and its row's fixed cells, which show where it is.
  void RedrawCurrent() { RedrawCurrentAt(rows_.current, columns_.current); }
  // Repaints one cell after its contents changed.
  void RedrawCell(int32_t row, int32_t column) {
    if (sink_) sink_->RedrawCell(row, column);
  }

  // ---- Keyboard and mouse (return true when handled) ----------------------------
  bool OnKeyDown(int32_t key, bool ctrl, bool shift);
  // A typed character (UTF-16 unit); `ctrl` when Ctrl is held.
  bool OnChar(char16_t ch, bool ctrl);
  // Ctrl adds the cell to the selection or takes it out; Shift selects the cells
  // between the last plainly clicked cell and this one.
  void OnLeftDown(int x, int y, bool ctrl, bool shift);
  // A right click makes the cell under the pointer current unless it is selected.
  void OnRightDown(int x, int y);
  void OnLeftUp(int x, int y);
  void OnLeftDoubleClick(int x, int y);
  // With the button held, a drag: returns the pointer shape for (x, y).
  GridCursor OnMouseMove(int x, int y, bool leftHeld);
  // Wheel delta in 120ths of a notch; `linesPerNotch` -1 pages.
  void OnWheel(int delta, int linesPerNotch);
  // True while a row or column boundary is dragged; the line's position in client
  // coordinates (x for a column, y for a row).
  bool Sizing() const { return sizing_; }
  bool SizingColumn() const { return sizing_ && sizingAxis_ == Axis::kColumns; }
  int SizingLine() const { return sizingLine_; }
  // The width in pixels of a text drawn on one line, measured by the view.
  using Measure = int (*)(void* context, const WideText& text);
  void SetMeasure(Measure measure, void* context) {
    measure_ = measure;
    measureContext_ = context;
  }
  // The height of one line of the cells' font, given by the view.
  void SetLineHeight(int height) { lineHeight_ = std::max(height, 1); }
  int LineHeight() const { return lineHeight_; }
  // Does the cell show its lines one below the other? Only when its row is tall enough
  // for all of them; otherwise the view draws them on one line with a mark between.
  bool StacksLines(int32_t row, int32_t column) const;
  // The height that fits the row's tallest text: all its lines, and never less than the
  // default row height.
  int32_t FittedRowHeight(int32_t row) const;

  // ---- In-place editing ----------------------------------------------------------
  bool Editing() const { return editing_; }
  int32_t EditRow() const { return editRow_; }
  int32_t EditColumn() const { return editColumn_; }
  // Starts editing a cell; false when the cell may not be edited.
  bool BeginEdit(int32_t row, int32_t column, EditCaret caret, const WideText* initial);
  // Makes the cell current and opens its box with units [start, end) of the box's text
  // selected, ending any other edit first; false when the cell may not be edited.
  bool ShowInEditor(int32_t row, int32_t column, size_t start, size_t end);
  // Ends the edit with the box's text (ignored for Cancel). Tab moves on and edits there.
  void EndEdit(EditEnd how, const WideText& boxText);
  // The text the cell had when editing began.
  const WideText& EditOriginal() const { return editOriginal_; }

  // Moves like the keys do; exposed for the view and for tests.
  bool MoveTab(bool back);

 private:
  const AxisState& State(Axis axis) const { return axis == Axis::kRows ? rows_ : columns_; }
  AxisState& State(Axis axis) { return axis == Axis::kRows ? rows_ : columns_; }
  // The rules of one direction; scrolled to the end, the columns fill the view to its
  // right edge.
  GridAxis Along(Axis axis) const {
    const AxisState& s = State(axis);
    return {s.sizes, s.fixed, s.first, s.extent, axis == Axis::kColumns};
  }
  void RefreshFixedBits();
  CGridCell NewCell(int32_t row, int32_t column) const;
  // The next shown, non-fixed row or column from `from` in the direction of `step`.
  int32_t Next(Axis axis, int32_t from, int step) const { return Along(axis).Next(from, step); }
  // The first and last rows or columns that can be current; -1 when none.
  int32_t FirstMovable(Axis axis) const { return Next(axis, State(axis).fixed - 1, 1); }
  int32_t LastMovable(Axis axis) const { return Next(axis, Count(axis), -1); }
  void RedrawCurrentAt(int32_t row, int32_t column);
  void MoveTo(int32_t row, int32_t column);
  // Moves the current cell to `index` along `axis`, keeping it on the other.
  void MoveAlong(Axis axis, int32_t index);
  bool HasCurrent() const { return rows_.current >= 0 && columns_.current >= 0; }
  // What the keys do: copy, cut, paste and select all (false for other keys); the
  // arrows; Page Up and Down; Home and End (with Ctrl, to the first or last row too).
  bool OnClipboardKey(int32_t key, bool ctrl, bool shift);
  void MoveByArrow(Axis axis, int step);
  void MoveByPage(bool down);
  void MoveToEnd(bool home, bool ctrl);
  void ClearCurrent() { rows_.current = columns_.current = -1; }
  void ClampScroll();
  // After the sizes, counts or extent of an axis changed: scroll bars and a repaint.
  void ShapeChanged();
  void DeleteCells();
  // Applies a step's cell changes, exchanging each text with the cell's (undo and redo
  // alike), and repaints them.
  void SwapTexts(GridStep& step);
  // Takes a step's rows out of the table, or puts them back.
  void RemoveRows(GridStep& step);
  void RestoreRows(GridStep& step);
  // After rows moved: the numbers from `row` on, the current cell and the repaint.
  void RowsMoved(int32_t row);
  // Adds a done step to the history; if there is no memory for it, the history is
  // forgotten and the table counts as modified.
  void Record(GridStep step);
  // Exchanges `text` with the cell's, keeping the cell's old text in the step. If the
  // step cannot grow, the cell keeps its text and std::bad_alloc leaves.
  void ChangeText(GridStep& step, int32_t row, int32_t column, CellText text);
  // Undoes a step that could not be finished.
  void Revert(GridStep& step);
  void SelectRange(int32_t row, int32_t column);
  // Ends an open edit, keeping what its box holds.
  void CommitOpenEdit();
  void SelectAll();
  WideText CopyText() const;
  void Paste(const WideText& text);
  // The row or column boundary within 3 px of `along`, inside the band of fixed cells
  // that lies across it (`across` from the band's start); -1 when none or not allowed.
  int32_t BoundaryAt(Axis axis, int along, int across) const;
  // The boundary under a client point, columns first; false when none.
  bool BoundaryUnder(int x, int y, Axis* axis, int32_t* index) const;
  // The size a sizing drag gives at the pointer's position along its axis.
  int32_t DraggedSize(int along) const;
  void FitColumn(int32_t column);
  void FitRow(int32_t row);
  void Redraw() {
    if (sink_) sink_->Redraw();
  }

  std::vector<std::vector<CGridCell>> cells_;  // by row, then column
  AxisState rows_, columns_;
  std::vector<int32_t> columnTypes_;
  std::vector<uint32_t> columnFormats_;
  int32_t settings_[kSettingCount] = {};
  int32_t cellMargin_ = 0;
  GridHistory history_;
  TableActions actions_;
  int32_t anchorRow_ = -1, anchorColumn_ = -1;  // where a Shift+click range starts

  // The DPI the sizes are pixels for; the model's own spacings follow it.
  int dpi_ = 96;
  int Px(int pixels) const;

  int32_t stretchColumn_ = -1;
  int32_t stretchMinimum_ = 0;
  int outerWidth_ = -1;  // the last outer width, -1 before the first
  int stretchOwed_ = 0;  // how much narrower the stretch column would be without its minimum

  int wheelRemainder_ = 0;

  bool editPending_ = false;  // the button went down on the current cell
  bool dragging_ = false;

  bool sizing_ = false;
  Axis sizingAxis_ = Axis::kColumns;
  int32_t sizingIndex_ = -1;
  int sizingLine_ = 0;

  bool editing_ = false;
  bool editWide_ = false;
  int32_t editRow_ = -1, editColumn_ = -1;
  WideText editOriginal_;
  WideText editShown_;  // the original with its line breaks as the box shows them
  size_t selectStart_ = 0, selectEnd_ = 0;  // what ShowInEditor's box selects

  int lineHeight_ = 16;

  Measure measure_ = nullptr;
  void* measureContext_ = nullptr;
  GridViewSink* sink_ = nullptr;
};

}  // namespace ui
