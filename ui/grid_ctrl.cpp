#include "ui/grid_ctrl.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

#include "runtime/window_layout.h"
#include "ui/text_lines.h"

namespace ui {
namespace {

constexpr int kBoundarySlop = 3;
constexpr int32_t kInsertedRowHeight = 24;
constexpr size_t kMaxTitleUnits = 250;
// A row stacks its lines when they fit inside it with this much above and below, as the
// view keeps it; a fitted row keeps this much around them (96-DPI numbers, as all here).
constexpr int kRowTextInset = 1;
constexpr int32_t kRowTextPadding = 8;
constexpr int32_t kFittedColumnRoom = 8;  // beside a fitted column's widest text

// The point's coordinate along `axis`.
int Coordinate(Axis axis, int x, int y) { return axis == Axis::kColumns ? x : y; }

uint32_t AlignmentFormat(int32_t alignment) {
  if (alignment == 2) return kFormatCentre;
  if (alignment == 3) return kFormatRight;
  return kFormatLeft;
}

// Splits clipboard text into rows of tab-separated fields.
std::vector<std::vector<WideText>> SplitTable(const WideText& text) {
  std::vector<std::vector<WideText>> rows(1, std::vector<WideText>(1));
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\t') {
      rows.back().emplace_back();
    } else if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      rows.emplace_back(1);
    } else {
      rows.back().back().push_back(c);
    }
  }
  if (rows.size() > 1 && rows.back().size() == 1 && rows.back()[0].empty()) rows.pop_back();
  return rows;
}

}  // namespace

CGridCtrl::CGridCtrl() {
  settings_[kSettingGridLineColour] = 0xC0C0C0;
  settings_[kSettingGridLines] = 3;
  settings_[kSettingRowResize] = 1;
  settings_[kSettingColumnResize] = 1;
  settings_[kSettingRowHeight] = 24;
  settings_[kSettingColumnWidth] = 60;
  settings_[kSettingRowCount] = 5;
  settings_[kSettingColumnCount] = 5;
  settings_[kSettingFixedRows] = 1;
  settings_[kSettingFixedColumns] = 1;
  settings_[kSettingEditable] = 1;
}

// ---- Shape --------------------------------------------------------------------------

CGridCell CGridCtrl::NewCell(int32_t row, int32_t column) const {
  CGridCell cell;
  if (column < static_cast<int32_t>(columnFormats_.size())) {
    cell.ApplyAlignment(columnFormats_[static_cast<size_t>(column)]);
  }
  if (IsFixed(row, column)) cell.SetBits(kCellFixed, true);
  return cell;
}

bool CGridCtrl::SetRowCount(int32_t rows) {
  if (rows <= 0) return false;
  history_.Clear();
  if (editing_ && editRow_ >= rows) EndEdit(EditEnd::Cancel, WideText());
  int32_t old = RowCount();
  cells_.resize(static_cast<size_t>(rows));
  rows_.sizes.resize(static_cast<size_t>(rows),
                     std::max(settings_[kSettingRowHeight], MinimumSize()));
  for (int32_t r = old; r < rows; ++r) {
    auto& cells = cells_[static_cast<size_t>(r)];
    cells.clear();
    for (int32_t c = 0; c < ColumnCount(); ++c) cells.push_back(NewCell(r, c));
  }
  rows_.fixed = std::min(rows_.fixed, rows);
  if (rows_.current >= rows) ClearCurrent();
  ShapeChanged();
  return true;
}

bool CGridCtrl::SetColumnCount(int32_t columns) {
  if (columns <= 0) return false;
  history_.Clear();
  if (editing_ && editColumn_ >= columns) EndEdit(EditEnd::Cancel, WideText());
  int32_t old = ColumnCount();
  size_t n = static_cast<size_t>(columns);
  columns_.sizes.assign(n, std::max(settings_[kSettingColumnWidth], MinimumSize()));
  columnTypes_.resize(n, kColumnTypeText);
  columnFormats_.resize(n, kFormatLeft);
  for (int32_t r = 0; r < RowCount(); ++r) {
    auto& cells = cells_[static_cast<size_t>(r)];
    cells.resize(std::min(cells.size(), n));
    for (int32_t c = old; c < columns; ++c) cells.push_back(NewCell(r, c));
  }
  columns_.fixed = std::min(columns_.fixed, columns);
  if (columns_.current >= columns) ClearCurrent();
  ShapeChanged();
  return true;
}

void CGridCtrl::SetFixedCount(Axis axis, int32_t count) {
  count = std::max(count, 0);
  history_.Clear();
  if (count > Count(axis)) {
    if (axis == Axis::kRows)
      SetRowCount(count);
    else
      SetColumnCount(count);
  }
  AxisState& state = State(axis);
  state.fixed = count;
  RefreshFixedBits();
  // A fixed cell is never current.
  if (state.current >= 0 && state.current < state.fixed) ClearCurrent();
  ShapeChanged();
}

void CGridCtrl::ShapeChanged() {
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
}

void CGridCtrl::RefreshFixedBits() {
  for (int32_t r = 0; r < RowCount(); ++r) {
    for (int32_t c = 0; c < ColumnCount(); ++c) {
      CGridCell& cell = cells_[static_cast<size_t>(r)][static_cast<size_t>(c)];
      bool fixed = IsFixed(r, c);
      if (fixed != cell.Has(kCellFixed)) {
        cell.SetBits(kCellFixed, fixed);
        cell.ResetColours();
      }
    }
  }
}

int32_t CGridCtrl::Size(Axis axis, int32_t index) const {
  const AxisState& state = State(axis);
  return (index >= 0 && index < Count(axis)) ? state.sizes[static_cast<size_t>(index)] : 0;
}

void CGridCtrl::SetSize(Axis axis, int32_t index, int32_t size) {
  SetSizeExact(axis, index, std::max(size, MinimumSize()));
}

void CGridCtrl::SetSizeExact(Axis axis, int32_t index, int32_t size) {
  if (index < 0 || index >= Count(axis)) return;
  State(axis).sizes[static_cast<size_t>(index)] = size;
  // A width the user or the program chose is where stretching starts from.
  if (axis == Axis::kColumns && index == stretchColumn_) stretchOwed_ = 0;
  ShapeChanged();
}

int CGridCtrl::Px(int pixels) const { return rt::ScaleToDpi(pixels, dpi_); }

void CGridCtrl::SetStretchColumn(int32_t column, int32_t minimum) {
  stretchColumn_ = column;
  stretchMinimum_ = std::max(minimum, MinimumSize());
  stretchOwed_ = 0;
}

void CGridCtrl::SetOuterWidth(int width) {
  int change = outerWidth_ < 0 ? 0 : width - outerWidth_;
  outerWidth_ = width;
  if (change == 0 || stretchColumn_ < 0 || stretchColumn_ >= ColumnCount()) return;
  // Held at its minimum, the column owes what it could not give up; it pays that back
  // first when the table grows again, so that its width follows the table's exactly.
  int32_t& stretched = columns_.sizes[static_cast<size_t>(stretchColumn_)];
  int wanted = stretched - stretchOwed_ + change;
  int kept = std::max(wanted, stretchMinimum_);
  stretchOwed_ = kept - wanted;
  stretched = kept;
  ShapeChanged();
}

void CGridCtrl::ScaleSizes(int fromDpi, int toDpi) {
  dpi_ = toDpi;
  if (fromDpi == toDpi) return;
  auto scale = [&](int value) { return rt::Rescale(value, fromDpi, toDpi); };
  for (AxisState* state : {&rows_, &columns_})
    for (int32_t& size : state->sizes) size = scale(size);
  settings_[kSettingRowHeight] = scale(settings_[kSettingRowHeight]);
  settings_[kSettingColumnWidth] = scale(settings_[kSettingColumnWidth]);
  stretchMinimum_ = scale(stretchMinimum_);
  stretchOwed_ = scale(stretchOwed_);
  if (outerWidth_ >= 0) outerWidth_ = scale(outerWidth_);
  ShapeChanged();
}

void CGridCtrl::ApplyColumns(const std::vector<ColumnDefinition>& columns) {
  if (columns.empty()) return;
  SetColumnCount(static_cast<int32_t>(columns.size()));
  if (RowCount() <= 0) SetRowCount(1);
  SetFixedRowCount(1);
  for (size_t i = 0; i < columns.size(); ++i) {
    const ColumnDefinition& def = columns[i];
    int32_t c = static_cast<int32_t>(i);
    if (def.width >= 0) columns_.sizes[i] = def.width;
    columnTypes_[i] = (def.type >= 2 && def.type <= 10) ? 100 + def.type : kColumnTypeText;
    columnFormats_[i] = AlignmentFormat(def.alignment);
    for (auto& cells : cells_) cells[i].ApplyAlignment(columnFormats_[i]);
    if (def.title.size() < kMaxTitleUnits) Cell(0, c)->SetWideText(def.title);
  }
  ShapeChanged();
}

int32_t CGridCtrl::ColumnType(int32_t column) const {
  return (column >= 0 && column < ColumnCount()) ? columnTypes_[static_cast<size_t>(column)] : 0;
}

int32_t CGridCtrl::ColumnAlignmentFormat(int32_t column) const {
  return (column >= 0 && column < ColumnCount())
             ? static_cast<int32_t>(columnFormats_[static_cast<size_t>(column)])
             : 0;
}

// ---- Cells --------------------------------------------------------------------------

CGridCell* CGridCtrl::Cell(int32_t row, int32_t column) {
  return IsValid(row, column) ? &cells_[static_cast<size_t>(row)][static_cast<size_t>(column)]
                              : nullptr;
}

const CGridCell* CGridCtrl::Cell(int32_t row, int32_t column) const {
  return IsValid(row, column) ? &cells_[static_cast<size_t>(row)][static_cast<size_t>(column)]
                              : nullptr;
}

int32_t CGridCtrl::InsertRow(int32_t position, const std::string* heading) {
  if (cells_.empty() && rows_.fixed == 0 && columns_.fixed == 0) {
    SetFixedRowCount(1);
    SetFixedColumnCount(1);
  }
  if (position < rows_.fixed || position >= RowCount()) position = RowCount();
  // Rows the history names would move under it; appending moves none.
  if (position < RowCount()) history_.Clear();
  if (ColumnCount() == 0) SetColumnCount(1);
  int32_t height = cells_.empty() ? Px(kInsertedRowHeight) : rows_.sizes[0];
  std::vector<CGridCell> cells;
  cells.reserve(static_cast<size_t>(ColumnCount()));
  for (int32_t c = 0; c < ColumnCount(); ++c) cells.push_back(NewCell(position, c));
  if (heading) cells[0].SetNarrowText(*heading);
  cells_.insert(cells_.begin() + position, std::move(cells));
  rows_.sizes.insert(rows_.sizes.begin() + position, height);
  // An open edit box keeps editing the cell it was opened on, wherever it moved.
  if (editing_ && editRow_ >= position) ++editRow_;
  ClampScroll();
  if (sink_) {
    sink_->ScrollChanged();
    sink_->RedrawRowsFrom(position);
  }
  return position;
}

bool CGridCtrl::Editable(int32_t row, int32_t column) const {
  const CGridCell* cell = Cell(row, column);
  return cell && settings_[kSettingEditable] != 0 && !IsFixed(row, column) &&
         !cell->Has(kCellReadOnly);
}

// ---- Settings -----------------------------------------------------------------------

int32_t CGridCtrl::Setting(int32_t index) const {
  switch (index) {
    case kSettingRowCount:
      return RowCount();
    case kSettingColumnCount:
      return ColumnCount();
    case kSettingFixedRows:
      return rows_.fixed;
    case kSettingFixedColumns:
      return columns_.fixed;
    default:
      return (index >= 0 && index < kSettingCount) ? settings_[index] : 0;
  }
}

void CGridCtrl::SetSetting(int32_t index, int32_t value) {
  if (index < 0 || index >= kSettingCount) return;
  switch (index) {
    case kSettingGridLines:
      settings_[index] = std::clamp(value, 0, 3);
      break;
    case kSettingRowHeight:
      settings_[index] = std::max(value, MinimumSize());
      for (int32_t& height : rows_.sizes) height = settings_[index];
      ClampScroll();
      if (sink_) sink_->ScrollChanged();
      break;
    case kSettingRowCount:
      if (SetRowCount(value)) settings_[index] = value;
      return;
    case kSettingColumnCount:
      if (SetColumnCount(value)) settings_[index] = value;
      return;
    case kSettingFixedRows:
    case kSettingFixedColumns: {
      Axis axis = index == kSettingFixedRows ? Axis::kRows : Axis::kColumns;
      SetFixedCount(axis, value);
      settings_[index] = FixedCount(axis);
      return;
    }
    case kSettingSelectable: {
      int32_t v = settings_[kSettingListMode] ? 1 : value;
      if (v != settings_[index]) ClearSelection();
      settings_[index] = v;
      break;
    }
    case kSettingListMode:
      settings_[index] = value;
      if (value) settings_[kSettingSelectable] = 1;
      break;
    default:
      settings_[index] = value;
      break;
  }
  Redraw();
}

// ---- Viewport -----------------------------------------------------------------------

void CGridCtrl::SetClientSize(int width, int height) {
  columns_.extent = width;
  rows_.extent = height;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
}

void CGridCtrl::ClampScroll() {
  for (Axis axis : {Axis::kRows, Axis::kColumns}) {
    AxisState& state = State(axis);
    state.first =
        std::clamp(state.first, state.fixed, std::max(state.fixed, MaxScrollPosition(axis)));
  }
}

int32_t CGridCtrl::ScrollTo(Axis axis, int32_t first) {
  AxisState& state = State(axis);
  int32_t old = state.first;
  state.first = first;
  ClampScroll();
  if (state.first != old) {
    if (sink_) sink_->ScrollChanged();
    Redraw();
  }
  return std::abs(state.first - old);
}

CellRect CGridCtrl::CellRectangle(int32_t row, int32_t column) const {
  CellRect rc;
  rc.left = Along(Axis::kColumns).Start(column);
  rc.top = Along(Axis::kRows).Start(row);
  rc.right = rc.left + std::max(ColumnWidth(column), 0);
  rc.bottom = rc.top + std::max(RowHeight(row), 0);
  return rc;
}

bool CGridCtrl::CellShown(int32_t row, int32_t column) const {
  if (!IsValid(row, column)) return false;
  CellRect rc = CellRectangle(row, column);
  // A scrolled cell shows only past the fixed ones.
  int top = row < rows_.fixed ? 0 : FixedHeight();
  int left = column < columns_.fixed ? 0 : FixedWidth();
  return rc.top < rows_.extent && rc.left < columns_.extent && rc.bottom > std::max(rc.top, top) &&
         rc.right > std::max(rc.left, left);
}

bool CGridCtrl::HitTest(int x, int y, int32_t* row, int32_t* column) const {
  int32_t hitRow = Along(Axis::kRows).At(y), hitColumn = Along(Axis::kColumns).At(x);
  if (hitRow < 0 || hitColumn < 0) return false;
  *row = hitRow;
  *column = hitColumn;
  return true;
}

void CGridCtrl::EnsureVisible(int32_t row, int32_t column) {
  if (!IsValid(row, column)) return;
  const std::pair<Axis, int32_t> targets[] = {{Axis::kRows, row}, {Axis::kColumns, column}};
  for (auto [axis, index] : targets) {
    const AxisState& state = State(axis);
    if (state.extent > 0 && index >= state.fixed) ScrollTo(axis, Along(axis).FirstShowing(index));
  }
}

// ---- Current cell and movement ------------------------------------------------------

void CGridCtrl::SetCurrentCell(int32_t row, int32_t column) {
  if (row == -1 && column == -1) {
    int32_t oldRow = rows_.current, oldColumn = columns_.current;
    ClearCurrent();
    RedrawCurrentAt(oldRow, oldColumn);
    return;
  }
  MoveTo(row, column);
}

void CGridCtrl::RedrawCurrentAt(int32_t row, int32_t column) {
  if (!sink_ || row < 0) return;
  sink_->RedrawCell(row, column);
  for (int32_t c = 0; c < columns_.fixed && c < ColumnCount(); ++c) sink_->RedrawCell(row, c);
}

void CGridCtrl::MoveTo(int32_t row, int32_t column) {
  if (!IsValid(row, column)) return;
  int32_t oldRow = rows_.current, oldColumn = columns_.current;
  rows_.current = row;
  columns_.current = column;
  EnsureVisible(row, column);
  if (sink_) {
    if (settings_[kSettingListMode]) {
      Redraw();
    } else {
      RedrawCurrentAt(oldRow, oldColumn);
      RedrawCurrentAt(row, column);
    }
  }
}

void CGridCtrl::ClearSelection() {
  bool any = false;
  for (auto& cells : cells_) {
    for (auto& cell : cells) {
      if (cell.Has(kCellSelected)) {
        cell.SetBits(kCellSelected, false);
        any = true;
      }
    }
  }
  if (any) Redraw();
}

bool CGridCtrl::MoveTab(bool back) {
  if (settings_[kSettingListMode] || rows_.current < 0) return false;
  int32_t c = Next(Axis::kColumns, columns_.current, back ? -1 : 1);
  if (c >= 0) {
    MoveTo(rows_.current, c);
    return true;
  }
  int32_t r = Next(Axis::kRows, rows_.current, back ? -1 : 1);
  c = back ? LastMovable(Axis::kColumns) : FirstMovable(Axis::kColumns);
  if (r < 0 || c < 0) return false;
  MoveTo(r, c);
  return true;
}

bool CGridCtrl::OnKeyDown(int32_t key, bool ctrl, bool shift) {
  if (editing_) return false;
  if (ctrl && key == 'Z') {
    if (shift)
      Redo();
    else
      Undo();
    return true;
  }
  if (ctrl && key == 'Y') {
    Redo();
    return true;
  }
  if (ctrl && key == kKeyDelete) {
    if (!settings_[kSettingListMode]) DeleteRows(SelectedRows());
    return true;
  }
  if (OnClipboardKey(key, ctrl, shift)) return true;
  switch (key) {
    case kKeyUp:
    case kKeyDown:
      MoveByArrow(Axis::kRows, key == kKeyUp ? -1 : 1);
      return true;
    case kKeyLeft:
    case kKeyRight:
      MoveByArrow(Axis::kColumns, key == kKeyLeft ? -1 : 1);
      return true;
    case kKeyTab:
      MoveTab(shift);
      return true;
    case kKeyPageDown:
    case kKeyPageUp:
      MoveByPage(key == kKeyPageDown);
      return true;
    case kKeyHome:
    case kKeyEnd:
      MoveToEnd(key == kKeyHome, ctrl);
      return true;
    case kKeyDelete:
      if (!settings_[kSettingListMode]) DeleteCells();
      return true;
    case kKeyF2:
      if (HasCurrent()) BeginEdit(rows_.current, columns_.current, EditCaret::AtEnd, nullptr);
      return true;
    default:
      return false;
  }
}

bool CGridCtrl::OnClipboardKey(int32_t key, bool ctrl, bool shift) {
  if (ctrl && (key == 'C' || key == kKeyInsert)) {
    if (sink_) sink_->CopyToClipboard(CopyText());
    return true;
  }
  if (ctrl && key == 'X') {
    if (sink_) sink_->CopyToClipboard(CopyText());
    DeleteCells();
    return true;
  }
  if ((ctrl && key == 'V') || (shift && key == kKeyInsert)) {
    if (sink_) Paste(sink_->PasteFromClipboard());
    return true;
  }
  if (ctrl && key == 'A') {
    SelectAll();
    return true;
  }
  return false;
}

void CGridCtrl::MoveAlong(Axis axis, int32_t index) {
  if (axis == Axis::kRows)
    MoveTo(index, columns_.current);
  else
    MoveTo(rows_.current, index);
}

void CGridCtrl::MoveByArrow(Axis axis, int step) {
  // Without a current cell any arrow starts at the first cell.
  if (!HasCurrent()) {
    MoveTo(FirstMovable(Axis::kRows), FirstMovable(Axis::kColumns));
    return;
  }
  // A list moves by whole rows only.
  if (axis == Axis::kColumns && settings_[kSettingListMode]) return;
  int32_t next = Next(axis, State(axis).current, step);
  if (next >= 0) MoveAlong(axis, next);
}

void CGridCtrl::MoveByPage(bool down) {
  bool none = !HasCurrent();
  int32_t page = Page(Axis::kRows);
  int32_t moved = ScrollTo(Axis::kRows, rows_.first + (down ? page : -page));
  // The current row moves as far as the rows did; where they could not move, to the end.
  int32_t target;
  if (none || moved == 0) {
    target = down ? LastMovable(Axis::kRows) : FirstMovable(Axis::kRows);
  } else {
    target = down ? std::min(rows_.current + moved, RowCount() - 1)
                  : std::max(rows_.current - moved, rows_.fixed);
  }
  int32_t column = none ? FirstMovable(Axis::kColumns) : columns_.current;
  if (target >= 0 && column >= 0) MoveTo(target, column);
}

void CGridCtrl::MoveToEnd(bool home, bool ctrl) {
  bool none = !HasCurrent();
  auto scrollToEnd = [&](Axis axis) {
    ScrollTo(axis, home ? State(axis).fixed : MaxScrollPosition(axis));
    return home ? FirstMovable(axis) : LastMovable(axis);
  };
  int32_t column = scrollToEnd(Axis::kColumns);
  // Ctrl goes to the first or last row as well.
  int32_t row = (ctrl || none) ? scrollToEnd(Axis::kRows) : rows_.current;
  if (row >= 0 && column >= 0) MoveTo(row, column);
}

bool CGridCtrl::OnChar(char16_t ch, bool ctrl) {
  if (editing_ || ctrl || dragging_ || rows_.current < 0 || columns_.current < 0) return false;
  switch (ch) {
    case u'\x1b':
    case u'\t':
      return false;
    case u'\r':
    case u'\n':
      switch (settings_[kSettingEnterAction]) {
        case 0:
          return BeginEdit(rows_.current, columns_.current, EditCaret::AtEnd, nullptr);
        case 1:
          MoveTab(false);
          return true;
        case 2:
          OnKeyDown(kKeyDown, false, false);
          return true;
        default:
          return false;
      }
    case u'\b': {
      const CGridCell* cell = Cell(rows_.current, columns_.current);
      if (!cell) return false;
      WideText text = cell->ShownText();
      if (!text.empty()) {
        bool pair = text.size() >= 2 && (text.back() & 0xFC00) == 0xDC00 &&
                    (text[text.size() - 2] & 0xFC00) == 0xD800;
        text.resize(text.size() - (pair ? 2 : 1));
      }
      return BeginEdit(rows_.current, columns_.current, EditCaret::AtEnd, &text);
    }
    case u' ':
      return BeginEdit(rows_.current, columns_.current, EditCaret::SelectAll, nullptr);
    default: {
      if (ch < 0x20) return false;
      WideText text(1, ch);
      return BeginEdit(rows_.current, columns_.current, EditCaret::AtEnd, &text);
    }
  }
}

void CGridCtrl::DeleteCells() {
  GridStep step;
  try {
    for (int32_t r = 0; r < RowCount(); ++r) {
      for (int32_t c = 0; c < ColumnCount(); ++c) {
        CGridCell& cell = cells_[static_cast<size_t>(r)][static_cast<size_t>(c)];
        bool target = (r == rows_.current && c == columns_.current) || cell.Has(kCellSelected);
        if (!target || !Editable(r, c) || cell.ShownText().empty()) continue;
        ChangeText(step, r, c, cell.TextOf(WideText()));
        if (sink_) sink_->RedrawCell(r, c);
      }
    }
  } catch (const std::bad_alloc&) {
    Revert(step);
    return;
  }
  Record(std::move(step));
}

bool CGridCtrl::CanClearCells() const {
  if (settings_[kSettingListMode]) return false;
  for (int32_t r = rows_.fixed; r < RowCount(); ++r) {
    for (int32_t c = columns_.fixed; c < ColumnCount(); ++c) {
      const CGridCell& cell = cells_[static_cast<size_t>(r)][static_cast<size_t>(c)];
      bool target = (r == rows_.current && c == columns_.current) || cell.Has(kCellSelected);
      if (target && Editable(r, c) && !cell.ShownText().empty()) return true;
    }
  }
  return false;
}

void CGridCtrl::SelectAll() {
  if (!settings_[kSettingSelectable]) return;
  for (int32_t r = rows_.fixed; r < RowCount(); ++r) {
    for (int32_t c = columns_.fixed; c < ColumnCount(); ++c) {
      cells_[static_cast<size_t>(r)][static_cast<size_t>(c)].SetBits(kCellSelected, true);
    }
  }
  Redraw();
}

WideText CGridCtrl::CopyText() const {
  int32_t top = RowCount(), left = ColumnCount(), bottom = -1, right = -1;
  for (int32_t r = 0; r < RowCount(); ++r) {
    for (int32_t c = 0; c < ColumnCount(); ++c) {
      if (Cell(r, c)->Has(kCellSelected)) {
        top = std::min(top, r);
        bottom = std::max(bottom, r);
        left = std::min(left, c);
        right = std::max(right, c);
      }
    }
  }
  if (bottom < 0) {
    const CGridCell* cell = Cell(rows_.current, columns_.current);
    return cell ? cell->ShownText() : WideText();
  }
  WideText out;
  for (int32_t r = top; r <= bottom; ++r) {
    for (int32_t c = left; c <= right; ++c) {
      if (c > left) out += u'\t';
      out += Cell(r, c)->ShownText();
    }
    out += u"\r\n";
  }
  return out;
}

// The clipboard's text keeps every character; a cell that holds code page 936 text
// stays such a cell, as after an edit.
void CGridCtrl::Paste(const WideText& text) {
  if (rows_.current < 0 || text.empty()) return;
  auto table = SplitTable(text);
  std::vector<TextEdit> edits;
  for (size_t i = 0; i < table.size(); ++i) {
    for (size_t j = 0; j < table[i].size(); ++j) {
      edits.push_back({rows_.current + static_cast<int32_t>(i),
                       columns_.current + static_cast<int32_t>(j), std::move(table[i][j])});
    }
  }
  if (EditTexts(edits) > 0) Redraw();
}

// ---- Edit history -------------------------------------------------------------------

void CGridCtrl::ChangeText(GridStep& step, int32_t row, int32_t column, CellText text) {
  step.cells.push_back({row, column, std::move(text)});
  cells_[static_cast<size_t>(row)][static_cast<size_t>(column)].SwapText(step.cells.back().text);
}

void CGridCtrl::Revert(GridStep& step) {
  SwapTexts(step);
  step.cells.clear();
}

void CGridCtrl::Record(GridStep step) {
  if (step.Empty()) return;
  try {
    history_.Push(std::move(step));
  } catch (const std::bad_alloc&) {
    // The change stands; only the way back is lost.
    history_.Clear();
    history_.MarkUnsaved();
  }
}

size_t CGridCtrl::EditTexts(const std::vector<TextEdit>& edits) {
  CommitOpenEdit();
  GridStep step;
  try {
    step.cells.reserve(edits.size());
    for (const TextEdit& edit : edits) {
      if (!Editable(edit.row, edit.column)) continue;
      const CGridCell& cell = *Cell(edit.row, edit.column);
      CellText text = cell.TextOf(edit.text);
      if (text.narrow == cell.NarrowText() && text.wide.has_value() == cell.HasWideText() &&
          (!text.wide || *text.wide == cell.WideTextValue())) {
        continue;
      }
      ChangeText(step, edit.row, edit.column, std::move(text));
      if (sink_) sink_->RedrawCell(edit.row, edit.column);
    }
  } catch (const std::bad_alloc&) {
    Revert(step);
    return 0;
  }
  size_t changed = step.cells.size();
  Record(std::move(step));
  return changed;
}

void CGridCtrl::SwapTexts(GridStep& step) {
  for (auto it = step.cells.rbegin(); it != step.cells.rend(); ++it) {
    if (!IsValid(it->row, it->column)) continue;
    cells_[static_cast<size_t>(it->row)][static_cast<size_t>(it->column)].SwapText(it->text);
    if (sink_) sink_->RedrawCell(it->row, it->column);
  }
}

size_t CGridCtrl::DeleteRows(std::vector<int32_t> rows) {
  CommitOpenEdit();
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  GridStep step;
  try {
    for (int32_t row : rows) {
      if (row >= rows_.fixed && row < RowCount()) step.rows.push_back({row, 0, {}});
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (step.rows.empty()) return 0;
  RemoveRows(step);
  size_t removed = step.rows.size();
  ClearSelection();
  RowsMoved(step.rows.front().row);
  Record(std::move(step));
  return removed;
}

void CGridCtrl::RemoveRows(GridStep& step) {
  for (auto it = step.rows.rbegin(); it != step.rows.rend(); ++it) {
    auto index = static_cast<size_t>(it->row);
    it->cells = std::move(cells_[index]);
    it->height = rows_.sizes[index];
    cells_.erase(cells_.begin() + it->row);
    rows_.sizes.erase(rows_.sizes.begin() + it->row);
  }
}

void CGridCtrl::RestoreRows(GridStep& step) {
  for (RemovedRow& removed : step.rows) {
    cells_.insert(cells_.begin() + removed.row, std::move(removed.cells));
    rows_.sizes.insert(rows_.sizes.begin() + removed.row, removed.height);
    removed.cells.clear();
  }
}

void CGridCtrl::RowsMoved(int32_t row) {
  if (settings_[kSettingNumberedRows] && columns_.fixed > 0) {
    for (int32_t r = std::max(row, rows_.fixed); r < RowCount(); ++r) {
      cells_[static_cast<size_t>(r)][0].SetNarrowText(std::to_string(r - rows_.fixed + 1));
    }
  }
  if (rows_.current >= RowCount()) rows_.current = RowCount() - 1;
  if (rows_.current < rows_.fixed) ClearCurrent();
  anchorRow_ = anchorColumn_ = -1;
  ShapeChanged();
}

bool CGridCtrl::Undo() {
  CommitOpenEdit();
  GridStep* step = history_.StepBack();
  if (!step) return false;
  if (!step->rows.empty()) {
    RestoreRows(*step);
    RowsMoved(step->rows.front().row);
    MoveTo(step->rows.front().row, HasCurrent() ? columns_.current : FirstMovable(Axis::kColumns));
    return true;
  }
  SwapTexts(*step);
  MoveTo(step->cells.front().row, step->cells.front().column);
  return true;
}

bool CGridCtrl::Redo() {
  CommitOpenEdit();
  GridStep* step = history_.StepForward();
  if (!step) return false;
  if (!step->rows.empty()) {
    RemoveRows(*step);
    ClearSelection();
    RowsMoved(step->rows.front().row);
    return true;
  }
  SwapTexts(*step);
  MoveTo(step->cells.front().row, step->cells.front().column);
  return true;
}

std::vector<int32_t> CGridCtrl::SelectedRows() const {
  std::vector<int32_t> rows;
  for (int32_t r = rows_.fixed; r < RowCount(); ++r) {
    for (const CGridCell& cell : cells_[static_cast<size_t>(r)]) {
      if (cell.Has(kCellSelected)) {
        rows.push_back(r);
        break;
      }
    }
  }
  if (rows.empty() && HasCurrent() && rows_.current >= rows_.fixed) rows.push_back(rows_.current);
  return rows;
}

// ---- Mouse --------------------------------------------------------------------------

int32_t CGridCtrl::BoundaryAt(Axis axis, int along, int across) const {
  bool allowed = settings_[axis == Axis::kColumns ? kSettingColumnResize : kSettingRowResize] != 0;
  // Column boundaries are grabbed among the title cells, row boundaries among the
  // fixed cells that start each row.
  Axis other = axis == Axis::kColumns ? Axis::kRows : Axis::kColumns;
  if (!allowed || across < 0 || across >= FixedExtent(other)) return -1;
  return Along(axis).BoundaryAt(along, Px(kBoundarySlop));
}

bool CGridCtrl::BoundaryUnder(int x, int y, Axis* axis, int32_t* index) const {
  for (Axis a : {Axis::kColumns, Axis::kRows}) {
    int32_t found = BoundaryAt(a, Coordinate(a, x, y), Coordinate(a, y, x));
    if (found >= 0) {
      *axis = a;
      *index = found;
      return true;
    }
  }
  return false;
}

int32_t CGridCtrl::DraggedSize(int along) const {
  return along - Along(sizingAxis_).Start(sizingIndex_);
}

void CGridCtrl::OnLeftDown(int x, int y, bool ctrl, bool shift) {
  (void)ctrl;
  (void)shift;
  editPending_ = false;
  Axis axis;
  int32_t boundary;
  if (BoundaryUnder(x, y, &axis, &boundary)) {
    sizing_ = true;
    sizingAxis_ = axis;
    sizingIndex_ = boundary;
    sizingLine_ = Coordinate(axis, x, y);
    return;
  }
  int32_t row, column;
  if (!HitTest(x, y, &row, &column) || IsFixed(row, column)) return;
  dragging_ = true;
  if (row == rows_.current && column == columns_.current) {
    editPending_ = true;
    return;
  }
  if (settings_[kSettingSelectable]) {
    if (shift && anchorRow_ >= 0 && IsValid(anchorRow_, anchorColumn_)) {
      SelectRange(row, column);
      MoveTo(row, column);
      return;
    }
    if (ctrl) {
      CGridCell* cell = Cell(row, column);
      cell->SetBits(kCellSelected, !cell->Has(kCellSelected));
      Redraw();
      MoveTo(row, column);
      return;
    }
    ClearSelection();
    int32_t from = settings_[kSettingListMode] ? columns_.fixed : column;
    int32_t to = settings_[kSettingListMode] ? ColumnCount() - 1 : column;
    for (int32_t c = from; c <= to; ++c) Cell(row, c)->SetBits(kCellSelected, true);
  }
  anchorRow_ = row;
  anchorColumn_ = column;
  MoveTo(row, column);
}

void CGridCtrl::SelectRange(int32_t row, int32_t column) {
  ClearSelection();
  bool list = settings_[kSettingListMode] != 0;
  int32_t top = std::min(row, anchorRow_), bottom = std::max(row, anchorRow_);
  int32_t left = list ? columns_.fixed : std::min(column, anchorColumn_);
  int32_t right = list ? ColumnCount() - 1 : std::max(column, anchorColumn_);
  for (int32_t r = top; r <= bottom; ++r) {
    for (int32_t c = left; c <= right; ++c) Cell(r, c)->SetBits(kCellSelected, true);
  }
  Redraw();
}

void CGridCtrl::OnRightDown(int x, int y) {
  int32_t row, column;
  if (editing_ || !HitTest(x, y, &row, &column) || IsFixed(row, column)) return;
  if (Cell(row, column)->Has(kCellSelected) ||
      (row == rows_.current && column == columns_.current)) {
    return;
  }
  ClearSelection();
  if (settings_[kSettingSelectable]) Cell(row, column)->SetBits(kCellSelected, true);
  anchorRow_ = row;
  anchorColumn_ = column;
  MoveTo(row, column);
}

void CGridCtrl::OnLeftUp(int x, int y) {
  dragging_ = false;
  if (sizing_) {
    SetSize(sizingAxis_, sizingIndex_, DraggedSize(Coordinate(sizingAxis_, x, y)));
    sizing_ = false;
    sizingIndex_ = -1;
    Redraw();
    return;
  }
  if (!editPending_) return;
  editPending_ = false;
  int32_t row, column;
  if (HitTest(x, y, &row, &column) && row == rows_.current && column == columns_.current) {
    BeginEdit(row, column, EditCaret::AtEnd, nullptr);
  }
}

void CGridCtrl::OnLeftDoubleClick(int x, int y) {
  editPending_ = false;
  sizing_ = false;
  Axis axis;
  int32_t boundary;
  if (BoundaryUnder(x, y, &axis, &boundary)) {
    if (axis == Axis::kColumns)
      FitColumn(boundary);
    else
      FitRow(boundary);
    return;
  }
  int32_t row, column;
  if (!HitTest(x, y, &row, &column) || IsFixed(row, column)) return;
  MoveTo(row, column);
  BeginEdit(row, column, EditCaret::AtEnd, nullptr);
}

GridCursor CGridCtrl::OnMouseMove(int x, int y, bool leftHeld) {
  auto cursorFor = [](Axis axis) {
    return axis == Axis::kColumns ? GridCursor::SizeColumn : GridCursor::SizeRow;
  };
  if (sizing_ && leftHeld) {
    sizingLine_ = std::max(Coordinate(sizingAxis_, x, y),
                           Along(sizingAxis_).Start(sizingIndex_) + MinimumSize());
    return cursorFor(sizingAxis_);
  }
  if (!leftHeld) {
    sizing_ = false;
    dragging_ = false;
  }
  Axis axis;
  int32_t boundary;
  if (BoundaryUnder(x, y, &axis, &boundary)) return cursorFor(axis);
  return GridCursor::Arrow;
}

void CGridCtrl::FitColumn(int32_t column) {
  auto measure = [this](const WideText& text) {
    return measure_ ? measure_(measureContext_, text) : static_cast<int>(text.size()) * 8;
  };
  int widest = 0;
  for (int32_t r = 0; r < RowCount(); ++r) {
    WideText text = Cell(r, column)->ShownText();
    if (StacksLines(r, column)) {
      for (const WideText& line : SplitLines(text)) widest = std::max(widest, measure(line));
    } else {
      widest = std::max(widest, measure(text));
    }
  }
  SetColumnWidth(column, widest + 2 * cellMargin_ + Px(kFittedColumnRoom));
}

bool CGridCtrl::StacksLines(int32_t row, int32_t column) const {
  const CGridCell* cell = Cell(row, column);
  if (!cell) return false;
  size_t lines = SplitLines(cell->ShownText()).size();
  return lines > 1 &&
         static_cast<int>(lines) * lineHeight_ <= RowHeight(row) - 2 * Px(kRowTextInset);
}

int32_t CGridCtrl::FittedRowHeight(int32_t row) const {
  size_t lines = 1;
  for (int32_t c = 0; c < ColumnCount(); ++c) {
    if (const CGridCell* cell = Cell(row, c)) {
      lines = std::max(lines, SplitLines(cell->ShownText()).size());
    }
  }
  int32_t fitted = lines > 1 ? static_cast<int32_t>(lines) * lineHeight_ + Px(kRowTextPadding) : 0;
  return std::max({fitted, settings_[kSettingRowHeight], MinimumSize()});
}

void CGridCtrl::FitRow(int32_t row) { SetRowHeight(row, FittedRowHeight(row)); }

void CGridCtrl::OnWheel(int delta, int linesPerNotch) {
  wheelRemainder_ += delta;
  int notches = wheelRemainder_ / 120;
  if (linesPerNotch == -1) {
    if (notches == 0) return;
    wheelRemainder_ -= notches * 120;
    ScrollToRow(rows_.first - notches * PageRows());
    return;
  }
  int steps = (wheelRemainder_ * linesPerNotch) / 120;
  if (steps == 0) return;
  wheelRemainder_ -= steps * 120 / std::max(linesPerNotch, 1);
  ScrollToRow(rows_.first - steps);
}

// ---- Editing ------------------------------------------------------------------------

bool CGridCtrl::BeginEdit(int32_t row, int32_t column, EditCaret caret, const WideText* initial) {
  if (editing_ || !Editable(row, column)) return false;
  EnsureVisible(row, column);
  const CGridCell* cell = Cell(row, column);
  editing_ = true;
  editRow_ = row;
  editColumn_ = column;
  editWide_ = cell->HasWideText();
  editOriginal_ = cell->ShownText();
  editShown_ = JoinLines(SplitLines(editOriginal_), u"\r\n");
  if (sink_) {
    EditRequest request;
    request.row = row;
    request.column = column;
    request.text = initial ? *initial : editShown_;
    request.caret = caret;
    request.wide = editWide_;
    request.selectStart = selectStart_;
    request.selectEnd = selectEnd_;
    sink_->OpenEditor(request);
  }
  return true;
}

void CGridCtrl::CommitOpenEdit() {
  if (editing_ && sink_) sink_->CommitEditor();
  // Without a view that could say what its box holds, the cell keeps its text.
  if (editing_) EndEdit(EditEnd::Commit, editShown_);
}

bool CGridCtrl::ShowInEditor(int32_t row, int32_t column, size_t start, size_t end) {
  CommitOpenEdit();
  if (!Editable(row, column)) return false;
  ClearSelection();
  MoveTo(row, column);
  selectStart_ = start;
  selectEnd_ = end;
  bool opened = BeginEdit(row, column, EditCaret::SelectRange, nullptr);
  selectStart_ = selectEnd_ = 0;
  return opened;
}

void CGridCtrl::EndEdit(EditEnd how, const WideText& boxText) {
  if (!editing_) return;
  editing_ = false;
  if (sink_) sink_->CloseEditor();
  CGridCell* cell = Cell(editRow_, editColumn_);
  // A box that still shows the original leaves the cell alone, even where the box wrote
  // its line breaks differently.
  if (cell && how != EditEnd::Cancel && boxText != editShown_ && boxText != editOriginal_) {
    CellText text = editWide_ ? CellText{cell->NarrowText(), boxText}
                              : CellText{Utf16ToCp936(boxText), std::nullopt};
    GridStep step;
    try {
      ChangeText(step, editRow_, editColumn_, std::move(text));
    } catch (const std::bad_alloc&) {
      return;
    }
    Record(std::move(step));
    if (sink_) sink_->RedrawCell(editRow_, editColumn_);
  }
  if (how == EditEnd::Tab && rows_.current == editRow_ && columns_.current == editColumn_ &&
      MoveTab(false)) {
    BeginEdit(rows_.current, columns_.current, EditCaret::SelectAll, nullptr);
  }
}

}  // namespace ui
