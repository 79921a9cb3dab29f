// The table's Win32 window ("MYGridCtrl"): paints a CGridCtrl, turns mouse, keyboard
// and scroll messages into model calls, and hosts the in-place "Edit" box.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "ui/grid_view.h"

namespace ui {
namespace {

const wchar_t kClassName[] = L"MYGridCtrl";
constexpr int kTextGap = 2;  // pixels between a cell's edge and its text

// Owns one GDI object and deletes it.
class GdiObject {
 public:
  explicit GdiObject(HGDIOBJ object = nullptr) : object_(object) {}
  ~GdiObject() { Reset(nullptr); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  void Reset(HGDIOBJ object) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }
  HGDIOBJ Get() const { return object_; }

 private:
  HGDIOBJ object_;
};

// Selects an object into a DC for one scope.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window DC released at the end of the scope.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

const wchar_t* Wide(const WideText& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

WideText WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, &buffer[0], n + 1);
  return WideText(buffer.begin(), buffer.begin() + std::max(n, 0));
}

HFONT CreateMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    // Systems before Vista know the structure without its last field.
    metrics.cbSize = sizeof metrics - sizeof metrics.iPaddedBorderWidth;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
      return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
  }
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

COLORREF ColourOr(uint32_t colour, int sysColour) {
  return colour == kDefaultColour ? GetSysColor(sysColour) : static_cast<COLORREF>(colour);
}

class GridWindow : public GridView, public GridViewSink {
 public:
  GridWindow(CGridCtrl& grid, int wheelLines) : grid_(grid), wheelLines_(wheelLines) {}
  ~GridWindow() override {
    grid_.SetSink(nullptr);
    grid_.SetMeasure(nullptr, nullptr);
    if (hwnd_) DestroyWindow(hwnd_);
  }

  bool Create(HWND parent, const platform::Bounds& b, int controlId);

  // GridView
  void Move(const platform::Bounds& b) override {
    if (hwnd_) MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
  }
  void Show(bool visible) override {
    if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
  }
  void Enable(bool enabled) override {
    if (hwnd_) EnableWindow(hwnd_, enabled ? TRUE : FALSE);
  }
  void* NativeHandle() const override { return hwnd_; }

  // GridViewSink
  void Redraw() override {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
  }
  void RedrawCell(int32_t row, int32_t column) override;
  void RedrawRowsFrom(int32_t row) override;
  void ScrollChanged() override;
  void OpenEditor(const EditRequest& request) override;
  void CloseEditor() override;
  void CopyToClipboard(const WideText& text) override;
  WideText PasteFromClipboard() override;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp);

 private:
  using Handler = LRESULT (GridWindow::*)(WPARAM, LPARAM);
  struct Route {
    UINT message;
    Handler handler;
  };
  static const Route kRoutes[];

  LRESULT OnPaint(WPARAM, LPARAM);
  LRESULT OnEraseBackground(WPARAM, LPARAM) { return 1; }
  LRESULT OnSize(WPARAM, LPARAM lp);
  LRESULT OnTimer(WPARAM wp, LPARAM);
  LRESULT OnVScroll(WPARAM wp, LPARAM);
  LRESULT OnHScroll(WPARAM wp, LPARAM);
  LRESULT OnKeyDown(WPARAM wp, LPARAM lp);
  LRESULT OnChar(WPARAM wp, LPARAM lp);
  LRESULT OnLeftDown(WPARAM wp, LPARAM lp);
  LRESULT OnLeftUp(WPARAM wp, LPARAM lp);
  LRESULT OnLeftDoubleClick(WPARAM wp, LPARAM lp);
  LRESULT OnMouseMove(WPARAM wp, LPARAM lp);
  LRESULT OnSetCursor(WPARAM wp, LPARAM lp);
  LRESULT OnWheel(WPARAM wp, LPARAM lp);
  LRESULT OnFocus(WPARAM, LPARAM) {
    if (grid_.CurrentRow() >= 0) RedrawCell(grid_.CurrentRow(), grid_.CurrentColumn());
    return 0;
  }
  LRESULT OnGetDlgCode(WPARAM, LPARAM) { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS; }
  LRESULT OnCaptureChanged(WPARAM, LPARAM);

  void PaintCell(HDC dc, int32_t row, int32_t column, const RECT& rc);
  void InvertSizingLine();
  RECT EditorRect(int32_t row, int32_t column) const;
  void EndEditor(EditEnd how);
  void GrowEditor(bool newLine);
  LRESULT EditMessage(HWND edit, UINT message, WPARAM wp, LPARAM lp);
  static int MeasureText(void* context, const WideText& text);

  CGridCtrl& grid_;
  int wheelLines_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  GdiObject ownFont_;
  HWND edit_ = nullptr;
  int editLineHeight_ = 16;
  bool lineShown_ = false;
  int lineAt_ = 0;
  bool lineColumn_ = true;
  bool scrollBarsStale_ = false;
  GridCursor cursor_ = GridCursor::Arrow;
  static WNDPROC editBaseProc_;
};

WNDPROC GridWindow::editBaseProc_ = nullptr;

constexpr UINT_PTR kScrollBarTimer = 1;
constexpr UINT kScrollBarDelayMs = 15;

const GridWindow::Route GridWindow::kRoutes[] = {
    {WM_PAINT, &GridWindow::OnPaint},
    {WM_ERASEBKGND, &GridWindow::OnEraseBackground},
    {WM_SIZE, &GridWindow::OnSize},
    {WM_VSCROLL, &GridWindow::OnVScroll},
    {WM_HSCROLL, &GridWindow::OnHScroll},
    {WM_KEYDOWN, &GridWindow::OnKeyDown},
    {WM_CHAR, &GridWindow::OnChar},
    {WM_LBUTTONDOWN, &GridWindow::OnLeftDown},
    {WM_LBUTTONUP, &GridWindow::OnLeftUp},
    {WM_LBUTTONDBLCLK, &GridWindow::OnLeftDoubleClick},
    {WM_MOUSEMOVE, &GridWindow::OnMouseMove},
    {WM_SETCURSOR, &GridWindow::OnSetCursor},
    {WM_MOUSEWHEEL, &GridWindow::OnWheel},
    {WM_SETFOCUS, &GridWindow::OnFocus},
    {WM_KILLFOCUS, &GridWindow::OnFocus},
    {WM_GETDLGCODE, &GridWindow::OnGetDlgCode},
    {WM_CAPTURECHANGED, &GridWindow::OnCaptureChanged},
    {WM_TIMER, &GridWindow::OnTimer},
};

bool RegisterGridClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, kClassName, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = &GridWindow::WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

bool GridWindow::Create(HWND parent, const platform::Bounds& b, int controlId) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterGridClass(instance)) return false;
  // The interface's shared message font picks a face with Chinese glyphs on systems
  // whose message font has none; the table's own copy of the message font is the
  // fallback.
  font_ = static_cast<HFONT>(platform::UiFont());
  if (!font_) {
    ownFont_.Reset(CreateMessageFont());
    font_ = static_cast<HFONT>(ownFont_.Get());
  }
  CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                  WS_CHILD | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, b.left,
                  b.top, b.width, b.height, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, this);
  if (!hwnd_) return false;
  grid_.SetSink(this);
  grid_.SetMeasure(&GridWindow::MeasureText, this);
  RECT rc;
  GetClientRect(hwnd_, &rc);
  grid_.SetClientSize(rc.right, rc.bottom);
  return true;
}

LRESULT CALLBACK GridWindow::WindowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
    auto* self = static_cast<GridWindow*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return DefWindowProcW(hwnd, message, wp, lp);
  }
  auto* self = reinterpret_cast<GridWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, message, wp, lp);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->grid_.SetSink(nullptr);
    self->grid_.SetMeasure(nullptr, nullptr);
    self->hwnd_ = nullptr;
    self->edit_ = nullptr;
    return DefWindowProcW(hwnd, message, wp, lp);
  }
  for (const Route& route : kRoutes) {
    if (route.message != message) continue;
    try {
      return (self->*route.handler)(wp, lp);
    } catch (...) {
      return 0;  // nothing may unwind into the system's dispatcher
    }
  }
  return DefWindowProcW(hwnd, message, wp, lp);
}

// ---- Painting -------------------------------------------------------------------------

void GridWindow::RedrawRowsFrom(int32_t row) {
  if (!hwnd_) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  CellRect cell = grid_.CellRectangle(row, grid_.FixedColumnCount() > 0 ? 0 : grid_.LeftColumn());
  // A row added below the visible part changes nothing on screen but the scroll bar.
  if (cell.top >= client.bottom) return;
  client.top = std::max<LONG>(client.top, cell.top);
  InvalidateRect(hwnd_, &client, FALSE);
}

void GridWindow::RedrawCell(int32_t row, int32_t column) {
  if (!hwnd_ || !grid_.CellShown(row, column)) return;
  CellRect c = grid_.CellRectangle(row, column);
  RECT rc = {c.left, c.top, c.right, c.bottom};
  InvalidateRect(hwnd_, &rc, FALSE);
}

LRESULT GridWindow::OnPaint(WPARAM, LPARAM) {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  // Painting into a bitmap first keeps scrolling and typing free of flicker.
  HDC dc = CreateCompatibleDC(target);
  GdiObject bitmap(CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1),
                                          std::max<LONG>(client.bottom, 1)));
  {
    SelectGuard keepBitmap(dc, bitmap.Get());
    SelectGuard keepFont(dc, font_);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    auto rows = grid_.ShownRows();
    auto columns = grid_.ShownColumns();
    for (auto [r, top] : rows) {
      for (auto [c, left] : columns) {
        RECT rc = {left, top, left + grid_.ColumnWidth(c), top + grid_.RowHeight(r)};
        RECT clip;
        if (IntersectRect(&clip, &rc, &ps.rcPaint)) PaintCell(dc, r, c, rc);
      }
    }
    BitBlt(target, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, dc, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  }
  DeleteDC(dc);
  EndPaint(hwnd_, &ps);
  if (lineShown_) {
    lineShown_ = false;
    InvertSizingLine();
  }
  return 0;
}

void GridWindow::PaintCell(HDC dc, int32_t row, int32_t column, const RECT& rc) {
  const CGridCell* cell = grid_.Cell(row, column);
  if (!cell) return;
  bool fixed = grid_.IsFixed(row, column);
  bool selected = cell->Has(kCellSelected) && !fixed;
  int lines = grid_.Setting(kSettingGridLines);
  RECT fill = rc;
  if (!fixed) {
    if (lines & 1) fill.bottom -= 1;
    if (lines & 2) fill.right -= 1;
  }
  COLORREF back = fixed ? ColourOr(cell->BackColour(), COLOR_BTNFACE)
                        : selected ? GetSysColor(COLOR_HIGHLIGHT)
                                   : ColourOr(cell->BackColour(), COLOR_WINDOW);
  COLORREF fore = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                           : ColourOr(cell->TextColour(), COLOR_WINDOWTEXT);
  GdiObject backBrush(CreateSolidBrush(back));
  FillRect(dc, &fill, static_cast<HBRUSH>(backBrush.Get()));

  if (fixed) {
    // A raised header: light top-left edge, shadowed bottom-right edge.
    GdiObject light(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)));
    GdiObject shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    SelectGuard keep(dc, light.Get());
    MoveToEx(dc, rc.left, rc.bottom - 1, nullptr);
    LineTo(dc, rc.left, rc.top);
    LineTo(dc, rc.right - 1, rc.top);
    SelectObject(dc, shadow.Get());
    MoveToEx(dc, rc.right - 1, rc.top, nullptr);
    LineTo(dc, rc.right - 1, rc.bottom - 1);
    LineTo(dc, rc.left - 1, rc.bottom - 1);
  } else if (lines) {
    GdiObject pen(CreatePen(PS_SOLID, 1, static_cast<COLORREF>(grid_.Setting(kSettingGridLineColour))));
    SelectGuard keep(dc, pen.Get());
    if (lines & 1) {
      MoveToEx(dc, rc.left, rc.bottom - 1, nullptr);
      LineTo(dc, rc.right, rc.bottom - 1);
    }
    if (lines & 2) {
      MoveToEx(dc, rc.right - 1, rc.top, nullptr);
      LineTo(dc, rc.right - 1, rc.bottom);
    }
  }

  WideText text = cell->ShownText();
  if (!text.empty()) {
    RECT textRect = {rc.left + kTextGap, rc.top + 1, rc.right - kTextGap, rc.bottom - 1};
    SetTextColor(dc, fore);
    // Without DT_NOCLIP the text stops at the cell's edge.
    UINT format = cell->Format() & ~static_cast<UINT>(DT_NOCLIP);
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &textRect, format);
  }
  if (row == grid_.CurrentRow() && column == grid_.CurrentColumn() && !fixed) {
    RECT focus = {rc.left + 1, rc.top + 1, rc.right - 2, rc.bottom - 2};
    if (GetFocus() == hwnd_) {
      DrawFocusRect(dc, &focus);
    } else {
      FrameRect(dc, &focus, GetSysColorBrush(COLOR_BTNSHADOW));
    }
  }
}

// ---- Scrolling ------------------------------------------------------------------------

void GridWindow::ScrollChanged() {
  if (!hwnd_) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  int32_t rowsAtEnd = grid_.RowCount() - grid_.MaxTopRow();
  si.nMin = 0;
  si.nMax = std::max(grid_.MaxTopRow() - grid_.FixedRowCount() + rowsAtEnd - 1, 0);
  si.nPage = static_cast<UINT>(std::max(rowsAtEnd, 1));
  si.nPos = grid_.TopRow() - grid_.FixedRowCount();
  // The bars are drawn a moment later, once for a whole burst of changes: drawing them
  // at every appended row made filling a long table crawl.
  SetScrollInfo(hwnd_, SB_VERT, &si, FALSE);
  int32_t columnsAtEnd = grid_.ColumnCount() - grid_.MaxLeftColumn();
  si.nMax = std::max(grid_.MaxLeftColumn() - grid_.FixedColumnCount() + columnsAtEnd - 1, 0);
  si.nPage = static_cast<UINT>(std::max(columnsAtEnd, 1));
  si.nPos = grid_.LeftColumn() - grid_.FixedColumnCount();
  SetScrollInfo(hwnd_, SB_HORZ, &si, FALSE);
  if (!scrollBarsStale_) {
    scrollBarsStale_ = true;
    SetTimer(hwnd_, kScrollBarTimer, kScrollBarDelayMs, nullptr);
  }
  if (edit_) {
    RECT rc = EditorRect(grid_.EditRow(), grid_.EditColumn());
    RECT now;
    GetWindowRect(edit_, &now);
    MoveWindow(edit_, rc.left, rc.top, std::max<LONG>(now.right - now.left, rc.right - rc.left),
               std::max<LONG>(now.bottom - now.top, rc.bottom - rc.top), TRUE);
  }
}

LRESULT GridWindow::OnTimer(WPARAM wp, LPARAM) {
  if (wp != kScrollBarTimer) return 0;
  KillTimer(hwnd_, kScrollBarTimer);
  scrollBarsStale_ = false;
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
  return 0;
}

LRESULT GridWindow::OnSize(WPARAM, LPARAM lp) {
  grid_.SetClientSize(LOWORD(lp), HIWORD(lp));
  Redraw();
  return 0;
}

LRESULT GridWindow::OnVScroll(WPARAM wp, LPARAM) {
  int32_t top = grid_.TopRow();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd_, SB_VERT, &si);
  switch (LOWORD(wp)) {
    case SB_LINEUP: --top; break;
    case SB_LINEDOWN: ++top; break;
    case SB_PAGEUP: top -= grid_.PageRows(); break;
    case SB_PAGEDOWN: top += grid_.PageRows(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: top = si.nTrackPos + grid_.FixedRowCount(); break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = grid_.RowCount(); break;
    default: return 0;
  }
  grid_.ScrollToRow(top);
  return 0;
}

LRESULT GridWindow::OnHScroll(WPARAM wp, LPARAM) {
  int32_t left = grid_.LeftColumn();
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd_, SB_HORZ, &si);
  switch (LOWORD(wp)) {
    case SB_LINELEFT: --left; break;
    case SB_LINERIGHT: ++left; break;
    case SB_PAGELEFT: left -= grid_.PageColumns(); break;
    case SB_PAGERIGHT: left += grid_.PageColumns(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: left = si.nTrackPos + grid_.FixedColumnCount(); break;
    case SB_LEFT: left = 0; break;
    case SB_RIGHT: left = grid_.ColumnCount(); break;
    default: return 0;
  }
  grid_.ScrollToColumn(left);
  return 0;
}

LRESULT GridWindow::OnWheel(WPARAM wp, LPARAM) {
  grid_.OnWheel(GET_WHEEL_DELTA_WPARAM(wp), wheelLines_);
  return 0;
}

// ---- Keyboard and mouse ---------------------------------------------------------------

LRESULT GridWindow::OnKeyDown(WPARAM wp, LPARAM lp) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  bool shift = GetKeyState(VK_SHIFT) < 0;
  if (grid_.OnKeyDown(static_cast<int32_t>(wp), ctrl, shift)) return 0;
  return DefWindowProcW(hwnd_, WM_KEYDOWN, wp, lp);
}

LRESULT GridWindow::OnChar(WPARAM wp, LPARAM lp) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (grid_.OnChar(static_cast<char16_t>(wp), ctrl)) return 0;
  return DefWindowProcW(hwnd_, WM_CHAR, wp, lp);
}

void GridWindow::InvertSizingLine() {
  RECT client;
  GetClientRect(hwnd_, &client);
  RECT line = lineColumn_ ? RECT{lineAt_ - 1, 0, lineAt_ + 1, client.bottom}
                          : RECT{0, lineAt_ - 1, client.right, lineAt_ + 1};
  WindowDc dc(hwnd_);
  InvertRect(dc.Get(), &line);
  lineShown_ = !lineShown_;
}

LRESULT GridWindow::OnLeftDown(WPARAM wp, LPARAM lp) {
  // Taking the focus ends an open edit (the box commits when it loses the focus).
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  SetCapture(hwnd_);
  grid_.OnLeftDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), (wp & MK_CONTROL) != 0,
                   (wp & MK_SHIFT) != 0);
  if (grid_.Sizing()) {
    lineColumn_ = grid_.SizingColumn();
    lineAt_ = grid_.SizingLine();
    InvertSizingLine();
  }
  return 0;
}

LRESULT GridWindow::OnLeftUp(WPARAM, LPARAM lp) {
  if (lineShown_) InvertSizingLine();
  if (GetCapture() == hwnd_) ReleaseCapture();
  grid_.OnLeftUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
  return 0;
}

LRESULT GridWindow::OnLeftDoubleClick(WPARAM, LPARAM lp) {
  if (lineShown_) InvertSizingLine();
  grid_.OnLeftDoubleClick(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
  return 0;
}

LRESULT GridWindow::OnMouseMove(WPARAM wp, LPARAM lp) {
  bool held = (wp & MK_LBUTTON) != 0;
  bool wasSizing = grid_.Sizing();
  cursor_ = grid_.OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), held);
  if (wasSizing && grid_.Sizing() && grid_.SizingLine() != lineAt_) {
    if (lineShown_) InvertSizingLine();
    lineAt_ = grid_.SizingLine();
    InvertSizingLine();
  }
  OnSetCursor(reinterpret_cast<WPARAM>(hwnd_), HTCLIENT);
  return 0;
}

LRESULT GridWindow::OnSetCursor(WPARAM wp, LPARAM lp) {
  if (reinterpret_cast<HWND>(wp) != hwnd_ || LOWORD(lp) != HTCLIENT) {
    return DefWindowProcW(hwnd_, WM_SETCURSOR, wp, lp);
  }
  LPCWSTR shape = cursor_ == GridCursor::SizeColumn ? IDC_SIZEWE
                  : cursor_ == GridCursor::SizeRow  ? IDC_SIZENS
                                                    : IDC_ARROW;
  SetCursor(LoadCursorW(nullptr, shape));
  return TRUE;
}

LRESULT GridWindow::OnCaptureChanged(WPARAM, LPARAM) {
  if (lineShown_) InvertSizingLine();
  return 0;
}

int GridWindow::MeasureText(void* context, const WideText& text) {
  auto* self = static_cast<GridWindow*>(context);
  if (!self->hwnd_ || text.empty()) return 0;
  WindowDc dc(self->hwnd_);
  SelectGuard keep(dc.Get(), self->font_);
  SIZE size{};
  GetTextExtentPoint32W(dc.Get(), Wide(text), static_cast<int>(text.size()), &size);
  return size.cx + 2 * kTextGap;
}

// ---- Clipboard ------------------------------------------------------------------------

void GridWindow::CopyToClipboard(const WideText& wide) {
  if (!hwnd_ || !OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (block) {
    auto* p = static_cast<wchar_t*>(GlobalLock(block));
    std::copy(wide.begin(), wide.end(), p);
    p[wide.size()] = L'\0';
    GlobalUnlock(block);
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
  }
  CloseClipboard();
}

WideText GridWindow::PasteFromClipboard() {
  WideText out;
  if (!hwnd_ || !OpenClipboard(hwnd_)) return out;
  if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(block))) {
      std::wstring w(p);
      out.assign(w.begin(), w.end());
      GlobalUnlock(block);
    }
  }
  CloseClipboard();
  return out;
}

// ---- In-place editing -----------------------------------------------------------------

RECT GridWindow::EditorRect(int32_t row, int32_t column) const {
  CellRect c = grid_.CellRectangle(row, column);
  RECT client;
  GetClientRect(hwnd_, &client);
  RECT rc = {c.left, c.top, std::min<LONG>(c.right, client.right),
             std::min<LONG>(c.bottom, client.bottom)};
  return rc;
}

void GridWindow::OpenEditor(const EditRequest& request) {
  if (!hwnd_) return;
  if (edit_) CloseEditor();
  RECT rc = EditorRect(request.row, request.column);
  HWND edit = CreateWindowExW(0, L"Edit", L"",
                              WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_WANTRETURN |
                                  ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                              rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hwnd_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!edit) {
    grid_.EndEdit(EditEnd::Cancel, WideText());
    return;
  }
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetWindowTextW(edit, Wide(request.text));
  {
    WindowDc dc(edit);
    SelectGuard keep(dc.Get(), font_);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.Get(), &tm);
    editLineHeight_ = tm.tmHeight;
  }
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  WNDPROC base = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GridWindow::EditProc)));
  if (!editBaseProc_) editBaseProc_ = base;
  edit_ = edit;
  int length = static_cast<int>(request.text.size());
  if (request.caret == EditCaret::SelectAll) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
  } else {
    SendMessageW(edit, EM_SETSEL, length, length);
  }
  SetFocus(edit);
  GrowEditor(false);
}

void GridWindow::CloseEditor() {
  HWND edit = edit_;
  if (!edit) return;
  edit_ = nullptr;
  if (GetFocus() == edit) SetFocus(hwnd_);
  DestroyWindow(edit);
  Redraw();
}

void GridWindow::EndEditor(EditEnd how) {
  if (!edit_) return;
  WideText text = WindowText(edit_);
  grid_.EndEdit(how, text);
  if (!grid_.Editing() && edit_) CloseEditor();
}

void GridWindow::GrowEditor(bool newLine) {
  if (!edit_) return;
  RECT box, client;
  GetWindowRect(edit_, &box);
  MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&box), 2);
  GetClientRect(hwnd_, &client);
  WideText text = WindowText(edit_);
  int widest = 0;
  {
    WindowDc dc(edit_);
    SelectGuard keep(dc.Get(), font_);
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find(u'\n', start);
      if (end == WideText::npos) end = text.size();
      size_t lineEnd = (end > start && text[end - 1] == u'\r') ? end - 1 : end;
      SIZE size{};
      GetTextExtentPoint32W(dc.Get(), Wide(text) + start, static_cast<int>(lineEnd - start), &size);
      widest = std::max<int>(widest, size.cx);
      start = end + 1;
    }
  }
  LONG width = std::max<LONG>(box.right - box.left, widest + 4 + 2 * GetSystemMetrics(SM_CXBORDER) + 4);
  width = std::min<LONG>(width, client.right - box.left);
  LONG height = box.bottom - box.top;
  if (newLine) height = std::min<LONG>(height + editLineHeight_, client.bottom - box.top);
  if (width != box.right - box.left || height != box.bottom - box.top) {
    SetWindowPos(edit_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  }
}

LRESULT CALLBACK GridWindow::EditProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<GridWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self || self->edit_ != hwnd) return CallWindowProcW(editBaseProc_, hwnd, message, wp, lp);
  try {
    return self->EditMessage(hwnd, message, wp, lp);
  } catch (...) {
    return 0;
  }
}

LRESULT GridWindow::EditMessage(HWND edit, UINT message, WPARAM wp, LPARAM lp) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | CallWindowProcW(editBaseProc_, edit, message, wp, lp);
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) {
        EndEditor(EditEnd::Cancel);
        return 0;
      }
      if (wp == VK_TAB) {
        EndEditor(EditEnd::Tab);
        return 0;
      }
      if (wp == VK_RETURN && !ctrl) {
        EndEditor(EditEnd::Return);
        return 0;
      }
      if (wp == VK_RETURN && ctrl) {
        // The box grows first: a multi-line edit refuses a line that it cannot show.
        GrowEditor(true);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\n"));
        return 0;
      }
      break;
    case WM_CHAR:
      // Return, line feed, Tab and Escape were handled as keys.
      if (wp == L'\r' || wp == L'\n' || wp == L'\t' || wp == 0x1B) return 0;
      {
        LRESULT r = CallWindowProcW(editBaseProc_, edit, message, wp, lp);
        GrowEditor(false);
        return r;
      }
    case WM_KILLFOCUS: {
      LRESULT r = CallWindowProcW(editBaseProc_, edit, message, wp, lp);
      EndEditor(EditEnd::Commit);
      return r;
    }
    default:
      break;
  }
  return CallWindowProcW(editBaseProc_, edit, message, wp, lp);
}

}  // namespace

std::unique_ptr<GridView> CreateGridView(void* parentNative, const platform::Bounds& bounds,
                                         CGridCtrl& grid, int controlId) {
  if (!parentNative) return nullptr;
  auto view = std::make_unique<GridWindow>(grid, WheelScrollLines());
  if (!view->Create(static_cast<HWND>(parentNative), bounds, controlId)) return nullptr;
  return view;
}

int WheelScrollLines() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return 3;
  }
  int lines = 3;
  wchar_t data[32] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key, L"WheelScrollLines", nullptr, &type, reinterpret_cast<BYTE*>(data),
                       &size) == ERROR_SUCCESS) {
    if (type == REG_DWORD && size == sizeof(DWORD)) {
      DWORD value;
      std::memcpy(&value, data, sizeof value);
      lines = static_cast<int>(value);
    } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
      wchar_t* end = nullptr;
      long v = wcstol(data, &end, 10);
      if (end != data) lines = static_cast<int>(v);
    }
  }
  RegCloseKey(key);
  return lines;
}

}  // namespace ui
