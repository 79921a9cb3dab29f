#include "ui/grid_ctrl.h"

#include <algorithm>
#include <cstdlib>

#include "runtime/window_layout.h"
#include "ui/text_lines.h"

namespace ui {
namespace {

constexpr int kBoundarySlop = 3;
constexpr int32_t kInsertedRowHeight = 24;
constexpr size_t kMaxTitleUnits = 250;
// A row stacks its lines when they fit inside it by this much (the view keeps a pixel
// above and below a cell's text); a fitted row keeps this much around them.
constexpr int kRowTextInset = 2;
constexpr int32_t kRowTextPadding = 8;

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
  if (editing_ && editRow_ >= rows) EndEdit(EditEnd::Cancel, WideText());
  int32_t old = RowCount();
  rows_.resize(static_cast<size_t>(rows));
  heights_.resize(static_cast<size_t>(rows), std::max(settings_[kSettingRowHeight], MinimumSize()));
  for (int32_t r = old; r < rows; ++r) {
    auto& cells = rows_[static_cast<size_t>(r)];
    cells.clear();
    for (int32_t c = 0; c < ColumnCount(); ++c) cells.push_back(NewCell(r, c));
  }
  fixedRows_ = std::min(fixedRows_, rows);
  if (curRow_ >= rows) curRow_ = curColumn_ = -1;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
  return true;
}

bool CGridCtrl::SetColumnCount(int32_t columns) {
  if (columns <= 0) return false;
  if (editing_ && editColumn_ >= columns) EndEdit(EditEnd::Cancel, WideText());
  int32_t old = ColumnCount();
  size_t n = static_cast<size_t>(columns);
  widths_.assign(n, std::max(settings_[kSettingColumnWidth], MinimumSize()));
  columnTypes_.resize(n, kColumnTypeText);
  columnFormats_.resize(n, kFormatLeft);
  for (int32_t r = 0; r < RowCount(); ++r) {
    auto& cells = rows_[static_cast<size_t>(r)];
    cells.resize(std::min(cells.size(), n));
    for (int32_t c = old; c < columns; ++c) cells.push_back(NewCell(r, c));
  }
  fixedColumns_ = std::min(fixedColumns_, columns);
  if (curColumn_ >= columns) curRow_ = curColumn_ = -1;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
  return true;
}

void CGridCtrl::SetFixedRowCount(int32_t rows) {
  rows = std::max(rows, 0);
  if (rows > RowCount()) SetRowCount(rows);
  fixedRows_ = rows;
  RefreshFixedBits();
  if (curRow_ >= 0 && curRow_ < fixedRows_) curRow_ = curColumn_ = -1;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
}

void CGridCtrl::SetFixedColumnCount(int32_t columns) {
  columns = std::max(columns, 0);
  if (columns > ColumnCount()) SetColumnCount(columns);
  fixedColumns_ = columns;
  RefreshFixedBits();
  if (curColumn_ >= 0 && curColumn_ < fixedColumns_) curRow_ = curColumn_ = -1;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
}

void CGridCtrl::RefreshFixedBits() {
  for (int32_t r = 0; r < RowCount(); ++r) {
    for (int32_t c = 0; c < ColumnCount(); ++c) {
      CGridCell& cell = rows_[static_cast<size_t>(r)][static_cast<size_t>(c)];
      bool fixed = IsFixed(r, c);
      if (fixed != cell.Has(kCellFixed)) {
        cell.SetBits(kCellFixed, fixed);
        cell.ResetColours();
      }
    }
  }
}

int32_t CGridCtrl::RowHeight(int32_t row) const {
  return (row >= 0 && row < RowCount()) ? heights_[static_cast<size_t>(row)] : 0;
}

int32_t CGridCtrl::ColumnWidth(int32_t column) const {
  return (column >= 0 && column < ColumnCount()) ? widths_[static_cast<size_t>(column)] : 0;
}

void CGridCtrl::SetRowHeight(int32_t row, int32_t height) {
  SetRowHeightExact(row, std::max(height, MinimumSize()));
}

void CGridCtrl::SetColumnWidth(int32_t column, int32_t width) {
  SetColumnWidthExact(column, std::max(width, MinimumSize()));
}

void CGridCtrl::SetRowHeightExact(int32_t row, int32_t height) {
  if (row < 0 || row >= RowCount()) return;
  heights_[static_cast<size_t>(row)] = height;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
}

void CGridCtrl::SetColumnWidthExact(int32_t column, int32_t width) {
  if (column < 0 || column >= ColumnCount()) return;
  widths_[static_cast<size_t>(column)] = width;
  // A width the user or the program chose is where stretching starts from.
  if (column == stretchColumn_) stretchOwed_ = 0;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
}

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
  int wanted = widths_[static_cast<size_t>(stretchColumn_)] - stretchOwed_ + change;
  int kept = std::max(wanted, stretchMinimum_);
  stretchOwed_ = kept - wanted;
  widths_[static_cast<size_t>(stretchColumn_)] = kept;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
}

void CGridCtrl::ScaleSizes(int fromDpi, int toDpi) {
  if (fromDpi == toDpi) return;
  auto scale = [&](int value) { return rt::Rescale(value, fromDpi, toDpi); };
  for (int32_t& height : heights_) height = scale(height);
  for (int32_t& width : widths_) width = scale(width);
  settings_[kSettingRowHeight] = scale(settings_[kSettingRowHeight]);
  settings_[kSettingColumnWidth] = scale(settings_[kSettingColumnWidth]);
  stretchMinimum_ = scale(stretchMinimum_);
  stretchOwed_ = scale(stretchOwed_);
  if (outerWidth_ >= 0) outerWidth_ = scale(outerWidth_);
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
}

void CGridCtrl::ApplyColumns(const std::vector<ColumnDefinition>& columns) {
  if (columns.empty()) return;
  SetColumnCount(static_cast<int32_t>(columns.size()));
  if (RowCount() <= 0) SetRowCount(1);
  SetFixedRowCount(1);
  for (size_t i = 0; i < columns.size(); ++i) {
    const ColumnDefinition& def = columns[i];
    int32_t c = static_cast<int32_t>(i);
    if (def.width >= 0) widths_[i] = def.width;
    columnTypes_[i] = (def.type >= 2 && def.type <= 10) ? 100 + def.type : kColumnTypeText;
    columnFormats_[i] = AlignmentFormat(def.alignment);
    for (auto& cells : rows_) cells[i].ApplyAlignment(columnFormats_[i]);
    if (def.title.size() < kMaxTitleUnits) Cell(0, c)->SetWideText(def.title);
  }
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
  Redraw();
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
  return IsValid(row, column) ? &rows_[static_cast<size_t>(row)][static_cast<size_t>(column)]
                              : nullptr;
}

const CGridCell* CGridCtrl::Cell(int32_t row, int32_t column) const {
  return IsValid(row, column) ? &rows_[static_cast<size_t>(row)][static_cast<size_t>(column)]
                              : nullptr;
}

int32_t CGridCtrl::InsertRow(int32_t position, const std::string* heading) {
  if (rows_.empty() && fixedRows_ == 0 && fixedColumns_ == 0) {
    SetFixedRowCount(1);
    SetFixedColumnCount(1);
  }
  if (position < fixedRows_ || position >= RowCount()) position = RowCount();
  if (ColumnCount() == 0) SetColumnCount(1);
  int32_t height = rows_.empty() ? kInsertedRowHeight : heights_[0];
  std::vector<CGridCell> cells;
  cells.reserve(static_cast<size_t>(ColumnCount()));
  for (int32_t c = 0; c < ColumnCount(); ++c) cells.push_back(NewCell(position, c));
  if (heading) cells[0].SetNarrowText(*heading);
  rows_.insert(rows_.begin() + position, std::move(cells));
  heights_.insert(heights_.begin() + position, height);
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
    case kSettingRowCount: return RowCount();
    case kSettingColumnCount: return ColumnCount();
    case kSettingFixedRows: return fixedRows_;
    case kSettingFixedColumns: return fixedColumns_;
    default: return (index >= 0 && index < kSettingCount) ? settings_[index] : 0;
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
      for (int32_t r = 0; r < RowCount(); ++r) heights_[static_cast<size_t>(r)] = settings_[index];
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
      SetFixedRowCount(value);
      settings_[index] = fixedRows_;
      return;
    case kSettingFixedColumns:
      SetFixedColumnCount(value);
      settings_[index] = fixedColumns_;
      return;
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
  clientWidth_ = width;
  clientHeight_ = height;
  ClampScroll();
  if (sink_) sink_->ScrollChanged();
}

void CGridCtrl::ClampScroll() {
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, MaxTopRow()));
  leftColumn_ = std::clamp(leftColumn_, fixedColumns_, std::max(fixedColumns_, MaxLeftColumn()));
}

int32_t CGridCtrl::ScrollToRow(int32_t top) {
  int32_t old = topRow_;
  topRow_ = top;
  ClampScroll();
  if (topRow_ != old) {
    if (sink_) sink_->ScrollChanged();
    Redraw();
  }
  return std::abs(topRow_ - old);
}

int32_t CGridCtrl::ScrollToColumn(int32_t left) {
  int32_t old = leftColumn_;
  leftColumn_ = left;
  ClampScroll();
  if (leftColumn_ != old) {
    if (sink_) sink_->ScrollChanged();
    Redraw();
  }
  return std::abs(leftColumn_ - old);
}

CellRect CGridCtrl::CellRectangle(int32_t row, int32_t column) const {
  CellRect rc;
  rc.left = Columns().Start(column);
  rc.top = Rows().Start(row);
  rc.right = rc.left + std::max(ColumnWidth(column), 0);
  rc.bottom = rc.top + std::max(RowHeight(row), 0);
  return rc;
}

bool CGridCtrl::CellShown(int32_t row, int32_t column) const {
  if (!IsValid(row, column)) return false;
  CellRect rc = CellRectangle(row, column);
  // A scrolled cell shows only past the fixed ones.
  int top = row < fixedRows_ ? 0 : FixedHeight();
  int left = column < fixedColumns_ ? 0 : FixedWidth();
  return rc.top < clientHeight_ && rc.left < clientWidth_ && rc.bottom > std::max(rc.top, top) &&
         rc.right > std::max(rc.left, left);
}

bool CGridCtrl::HitTest(int x, int y, int32_t* row, int32_t* column) const {
  int32_t hitRow = Rows().At(y), hitColumn = Columns().At(x);
  if (hitRow < 0 || hitColumn < 0) return false;
  *row = hitRow;
  *column = hitColumn;
  return true;
}

void CGridCtrl::EnsureVisible(int32_t row, int32_t column) {
  if (!IsValid(row, column)) return;
  if (clientHeight_ > 0 && row >= fixedRows_) ScrollToRow(Rows().FirstShowing(row));
  if (clientWidth_ > 0 && column >= fixedColumns_) ScrollToColumn(Columns().FirstShowing(column));
}

// ---- Current cell and movement ------------------------------------------------------

void CGridCtrl::SetCurrentCell(int32_t row, int32_t column) {
  if (row == -1 && column == -1) {
    int32_t oldRow = curRow_, oldColumn = curColumn_;
    curRow_ = curColumn_ = -1;
    RedrawCurrentAt(oldRow, oldColumn);
    return;
  }
  MoveTo(row, column);
}

void CGridCtrl::RedrawCurrentAt(int32_t row, int32_t column) {
  if (!sink_ || row < 0) return;
  sink_->RedrawCell(row, column);
  for (int32_t c = 0; c < fixedColumns_ && c < ColumnCount(); ++c) sink_->RedrawCell(row, c);
}

void CGridCtrl::MoveTo(int32_t row, int32_t column) {
  if (!IsValid(row, column)) return;
  int32_t oldRow = curRow_, oldColumn = curColumn_;
  curRow_ = row;
  curColumn_ = column;
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
  for (auto& cells : rows_) {
    for (auto& cell : cells) {
      if (cell.Has(kCellSelected)) {
        cell.SetBits(kCellSelected, false);
        any = true;
      }
    }
  }
  if (any) Redraw();
}

int32_t CGridCtrl::FirstRow() const { return NextRow(fixedRows_ - 1, 1); }
int32_t CGridCtrl::LastRow() const { return NextRow(RowCount(), -1); }
int32_t CGridCtrl::FirstColumn() const { return NextColumn(fixedColumns_ - 1, 1); }
int32_t CGridCtrl::LastColumn() const { return NextColumn(ColumnCount(), -1); }

bool CGridCtrl::MoveTab(bool back) {
  if (settings_[kSettingListMode] || curRow_ < 0) return false;
  int32_t c = NextColumn(curColumn_, back ? -1 : 1);
  if (c >= 0) {
    MoveTo(curRow_, c);
    return true;
  }
  int32_t r = NextRow(curRow_, back ? -1 : 1);
  c = back ? LastColumn() : FirstColumn();
  if (r < 0 || c < 0) return false;
  MoveTo(r, c);
  return true;
}

bool CGridCtrl::OnKeyDown(int32_t key, bool ctrl, bool shift) {
  if (editing_) return false;
  bool listMode = settings_[kSettingListMode] != 0;
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
  bool none = curRow_ < 0 || curColumn_ < 0;
  switch (key) {
    case kKeyUp:
    case kKeyDown:
    case kKeyLeft:
    case kKeyRight: {
      if (none) {
        MoveTo(FirstRow(), FirstColumn());
        return true;
      }
      if (key == kKeyUp || key == kKeyDown) {
        int32_t r = NextRow(curRow_, key == kKeyUp ? -1 : 1);
        if (r >= 0) MoveTo(r, curColumn_);
      } else if (!listMode) {
        int32_t c = NextColumn(curColumn_, key == kKeyLeft ? -1 : 1);
        if (c >= 0) MoveTo(curRow_, c);
      }
      return true;
    }
    case kKeyTab:
      MoveTab(shift);
      return true;
    case kKeyPageDown:
    case kKeyPageUp: {
      bool down = key == kKeyPageDown;
      int32_t moved = ScrollToRow(topRow_ + (down ? PageRows() : -PageRows()));
      int32_t target;
      if (none) {
        target = down ? LastRow() : FirstRow();
      } else if (moved == 0) {
        target = down ? LastRow() : FirstRow();
      } else {
        target = down ? std::min(curRow_ + moved, RowCount() - 1)
                      : std::max(curRow_ - moved, fixedRows_);
      }
      int32_t column = none ? FirstColumn() : curColumn_;
      if (target >= 0 && column >= 0) MoveTo(target, column);
      return true;
    }
    case kKeyHome:
    case kKeyEnd: {
      bool home = key == kKeyHome;
      ScrollToColumn(home ? fixedColumns_ : MaxLeftColumn());
      int32_t column = home ? FirstColumn() : LastColumn();
      int32_t row = curRow_;
      if (ctrl || none) {
        ScrollToRow(home ? fixedRows_ : MaxTopRow());
        row = home ? FirstRow() : LastRow();
      }
      if (row >= 0 && column >= 0) MoveTo(row, column);
      return true;
    }
    case kKeyDelete:
      if (!listMode) DeleteCells();
      return true;
    case kKeyF2:
      if (!none) BeginEdit(curRow_, curColumn_, EditCaret::AtEnd, nullptr);
      return true;
    default:
      return false;
  }
}

bool CGridCtrl::OnChar(char16_t ch, bool ctrl) {
  if (editing_ || ctrl || dragging_ || curRow_ < 0 || curColumn_ < 0) return false;
  switch (ch) {
    case u'\x1b':
    case u'\t':
      return false;
    case u'\r':
    case u'\n':
      switch (settings_[kSettingEnterAction]) {
        case 0: return BeginEdit(curRow_, curColumn_, EditCaret::AtEnd, nullptr);
        case 1: MoveTab(false); return true;
        case 2: OnKeyDown(kKeyDown, false, false); return true;
        default: return false;
      }
    case u'\b': {
      const CGridCell* cell = Cell(curRow_, curColumn_);
      if (!cell) return false;
      WideText text = cell->ShownText();
      if (!text.empty()) {
        bool pair = text.size() >= 2 && (text.back() & 0xFC00) == 0xDC00 &&
                    (text[text.size() - 2] & 0xFC00) == 0xD800;
        text.resize(text.size() - (pair ? 2 : 1));
      }
      return BeginEdit(curRow_, curColumn_, EditCaret::AtEnd, &text);
    }
    case u' ':
      return BeginEdit(curRow_, curColumn_, EditCaret::SelectAll, nullptr);
    default: {
      if (ch < 0x20) return false;
      WideText text(1, ch);
      return BeginEdit(curRow_, curColumn_, EditCaret::AtEnd, &text);
    }
  }
}

void CGridCtrl::DeleteCells() {
  bool changed = false;
  for (int32_t r = 0; r < RowCount(); ++r) {
    for (int32_t c = 0; c < ColumnCount(); ++c) {
      CGridCell& cell = rows_[static_cast<size_t>(r)][static_cast<size_t>(c)];
      bool target = (r == curRow_ && c == curColumn_) || cell.Has(kCellSelected);
      if (target && Editable(r, c)) {
        cell.ClearText();
        changed = true;
        if (sink_) sink_->RedrawCell(r, c);
      }
    }
  }
  if (changed) modified_ = true;
}

void CGridCtrl::SelectAll() {
  if (!settings_[kSettingSelectable]) return;
  for (int32_t r = fixedRows_; r < RowCount(); ++r) {
    for (int32_t c = fixedColumns_; c < ColumnCount(); ++c) {
      rows_[static_cast<size_t>(r)][static_cast<size_t>(c)].SetBits(kCellSelected, true);
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
    const CGridCell* cell = Cell(curRow_, curColumn_);
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
  if (curRow_ < 0 || text.empty()) return;
  auto table = SplitTable(text);
  bool changed = false;
  for (size_t i = 0; i < table.size(); ++i) {
    for (size_t j = 0; j < table[i].size(); ++j) {
      int32_t r = curRow_ + static_cast<int32_t>(i), c = curColumn_ + static_cast<int32_t>(j);
      if (!Editable(r, c)) continue;
      CGridCell* cell = Cell(r, c);
      if (cell->HasWideText()) {
        cell->SetWideText(table[i][j]);
      } else {
        cell->SetNarrowText(Utf16ToCp936(table[i][j]));
      }
      changed = true;
    }
  }
  if (changed) {
    modified_ = true;
    Redraw();
  }
}

// ---- Mouse --------------------------------------------------------------------------

int32_t CGridCtrl::ColumnBoundaryAt(int x, int y) const {
  if (!settings_[kSettingColumnResize] || y < 0 || y >= FixedHeight()) return -1;
  return Columns().BoundaryAt(x, kBoundarySlop);
}

int32_t CGridCtrl::RowBoundaryAt(int x, int y) const {
  if (!settings_[kSettingRowResize] || x < 0 || x >= FixedWidth()) return -1;
  return Rows().BoundaryAt(y, kBoundarySlop);
}

void CGridCtrl::OnLeftDown(int x, int y, bool ctrl, bool shift) {
  (void)ctrl;
  (void)shift;
  editPending_ = false;
  int32_t boundary = ColumnBoundaryAt(x, y);
  if (boundary >= 0) {
    sizing_ = SizeDrag::Column;
    sizingIndex_ = boundary;
    sizingLine_ = x;
    return;
  }
  boundary = RowBoundaryAt(x, y);
  if (boundary >= 0) {
    sizing_ = SizeDrag::Row;
    sizingIndex_ = boundary;
    sizingLine_ = y;
    return;
  }
  int32_t row, column;
  if (!HitTest(x, y, &row, &column) || IsFixed(row, column)) return;
  dragging_ = true;
  if (row == curRow_ && column == curColumn_) {
    editPending_ = true;
    return;
  }
  if (settings_[kSettingSelectable]) {
    ClearSelection();
    int32_t from = settings_[kSettingListMode] ? fixedColumns_ : column;
    int32_t to = settings_[kSettingListMode] ? ColumnCount() - 1 : column;
    for (int32_t c = from; c <= to; ++c) Cell(row, c)->SetBits(kCellSelected, true);
  }
  MoveTo(row, column);
}

void CGridCtrl::OnLeftUp(int x, int y) {
  dragging_ = false;
  if (sizing_ != SizeDrag::None) {
    CellRect rc = CellRectangle(sizing_ == SizeDrag::Column ? 0 : sizingIndex_,
                                sizing_ == SizeDrag::Column ? sizingIndex_ : 0);
    if (sizing_ == SizeDrag::Column) {
      SetColumnWidth(sizingIndex_, x - rc.left);
    } else {
      SetRowHeight(sizingIndex_, y - rc.top);
    }
    sizing_ = SizeDrag::None;
    sizingIndex_ = -1;
    Redraw();
    return;
  }
  if (!editPending_) return;
  editPending_ = false;
  int32_t row, column;
  if (HitTest(x, y, &row, &column) && row == curRow_ && column == curColumn_) {
    BeginEdit(row, column, EditCaret::AtEnd, nullptr);
  }
}

void CGridCtrl::OnLeftDoubleClick(int x, int y) {
  editPending_ = false;
  sizing_ = SizeDrag::None;
  int32_t boundary = ColumnBoundaryAt(x, y);
  if (boundary >= 0) {
    FitColumn(boundary);
    return;
  }
  boundary = RowBoundaryAt(x, y);
  if (boundary >= 0) {
    FitRow(boundary);
    return;
  }
  int32_t row, column;
  if (!HitTest(x, y, &row, &column) || IsFixed(row, column)) return;
  MoveTo(row, column);
  BeginEdit(row, column, EditCaret::AtEnd, nullptr);
}

GridCursor CGridCtrl::OnMouseMove(int x, int y, bool leftHeld) {
  if (sizing_ != SizeDrag::None && leftHeld) {
    CellRect rc = CellRectangle(sizing_ == SizeDrag::Column ? 0 : sizingIndex_,
                                sizing_ == SizeDrag::Column ? sizingIndex_ : 0);
    if (sizing_ == SizeDrag::Column) {
      sizingLine_ = std::max(x, rc.left + MinimumSize());
      return GridCursor::SizeColumn;
    }
    sizingLine_ = std::max(y, rc.top + MinimumSize());
    return GridCursor::SizeRow;
  }
  if (!leftHeld) {
    sizing_ = SizeDrag::None;
    dragging_ = false;
  }
  if (ColumnBoundaryAt(x, y) >= 0) return GridCursor::SizeColumn;
  if (RowBoundaryAt(x, y) >= 0) return GridCursor::SizeRow;
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
  SetColumnWidth(column, widest + 2 * cellMargin_ + 8);
}

bool CGridCtrl::StacksLines(int32_t row, int32_t column) const {
  const CGridCell* cell = Cell(row, column);
  if (!cell) return false;
  size_t lines = SplitLines(cell->ShownText()).size();
  return lines > 1 && static_cast<int>(lines) * lineHeight_ <= RowHeight(row) - kRowTextInset;
}

int32_t CGridCtrl::FittedRowHeight(int32_t row) const {
  size_t lines = 1;
  for (int32_t c = 0; c < ColumnCount(); ++c) {
    if (const CGridCell* cell = Cell(row, c)) {
      lines = std::max(lines, SplitLines(cell->ShownText()).size());
    }
  }
  int32_t fitted = lines > 1 ? static_cast<int32_t>(lines) * lineHeight_ + kRowTextPadding : 0;
  return std::max({fitted, settings_[kSettingRowHeight], MinimumSize()});
}

void CGridCtrl::FitRow(int32_t row) { SetRowHeight(row, FittedRowHeight(row)); }

void CGridCtrl::OnWheel(int delta, int linesPerNotch) {
  wheelRemainder_ += delta;
  int notches = wheelRemainder_ / 120;
  if (linesPerNotch == -1) {
    if (notches == 0) return;
    wheelRemainder_ -= notches * 120;
    ScrollToRow(topRow_ - notches * PageRows());
    return;
  }
  int steps = (wheelRemainder_ * linesPerNotch) / 120;
  if (steps == 0) return;
  wheelRemainder_ -= steps * 120 / std::max(linesPerNotch, 1);
  ScrollToRow(topRow_ - steps);
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
    sink_->OpenEditor(request);
  }
  return true;
}

void CGridCtrl::EndEdit(EditEnd how, const WideText& boxText) {
  if (!editing_) return;
  editing_ = false;
  if (sink_) sink_->CloseEditor();
  CGridCell* cell = Cell(editRow_, editColumn_);
  // A box that still shows the original leaves the cell alone, even where the box wrote
  // its line breaks differently.
  if (cell && how != EditEnd::Cancel && boxText != editShown_ && boxText != editOriginal_) {
    if (editWide_) {
      cell->SetWideText(boxText);
    } else {
      cell->SetNarrowText(Utf16ToCp936(boxText));
    }
    modified_ = true;
    if (sink_) sink_->RedrawCell(editRow_, editColumn_);
  }
  if (how == EditEnd::Tab && curRow_ == editRow_ && curColumn_ == editColumn_ &&
      MoveTab(false)) {
    BeginEdit(curRow_, curColumn_, EditCaret::SelectAll, nullptr);
  }
}

}  // namespace ui
