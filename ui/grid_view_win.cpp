// The table's Win32 window ("MYGridCtrl"): paints a CGridCtrl, turns mouse, keyboard
// and scroll messages into model calls, and hosts the in-place "Edit" box.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "language/catalogue.h"
#include "ui/font_choice_win.h"
#include "ui/grid_find.h"
#include "ui/grid_view.h"
#include "ui/shaped_line_win.h"
#include "ui/table_dialogs_win.h"
#include "ui/text_direction.h"
#include "ui/text_lines.h"

namespace ui {
namespace {

const wchar_t kClassName[] = L"MYGridCtrl";
constexpr int kTextGap = 2;       // pixels between a cell's edge and its text
constexpr int kTextInset = 1;     // pixels between a cell's top or bottom and its text
constexpr int kCaretRoom = 4;     // pixels the edit box keeps after its longest line
constexpr int kEditBoxInset = 4;  // what the edit box's border takes below its lines

// Drawn between the lines of a text that a cell shows on one line. Faces tried, in
// order, when the table's font has no glyph for the arrow; without any, a slash.
const wchar_t kBreakArrow[] = L" \u21B5 ";
const wchar_t kBreakSlash[] = L" / ";
const wchar_t* const kArrowFaces[] = {L"Segoe UI Symbol",     L"Segoe UI",
                                      L"Microsoft YaHei",     L"Arial Unicode MS",
                                      L"Lucida Sans Unicode", L"DejaVu Sans"};

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

int ScrollBarOf(Axis axis) { return axis == Axis::kRows ? SB_VERT : SB_HORZ; }

const wchar_t* Wide(const WideText& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

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

// `share` 256ths of `a`, the rest of `b`.
COLORREF Blend(COLORREF a, COLORREF b, int share) {
  auto mix = [share](int x, int y) { return (x * share + y * (256 - share)) / 256; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

// Faces tried, in order, for an edit box whose text the table's font lacks glyphs for:
// an edit box draws another font's characters at that font's top, not on the line's
// baseline, and a font with tall lines (Thai and Arabic faces often have them) puts them
// below the box. Windows' faces first, then common free ones.
const std::vector<const wchar_t*> kEditFaces = {L"Segoe UI",      L"Tahoma",     L"Arial",
                                                L"Leelawadee UI", L"Leelawadee", L"DejaVu Sans",
                                                L"Loma",          L"Garuda"};

bool FontHasGlyph(HDC dc, HFONT font, wchar_t ch) {
  SelectGuard keep(dc, font);
  WORD index = 0xFFFF;
  return GetGlyphIndicesW(dc, &ch, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

// One run of a drawn line: text in the table's font, or the line-break mark.
struct TextRun {
  WideText text;
  bool mark;
};

// A drawn line's runs laid out, each measured as it is drawn.
struct LaidLine {
  std::vector<std::unique_ptr<ShapedLine>> runs;  // in the order they are read
  std::vector<bool> marks;
  int width = 0;
};

bool IsRightToLeft(const WideText& text) {
  return FirstStrongDirection(text) == TextDirection::kRightToLeft;
}

// A cell's DT_ alignment for a text of that direction (see LineAlignment).
UINT AlignmentFor(UINT format, bool rightToLeft) {
  UINT align = format & kFormatAlignMask;
  CellAlign cell = align == DT_CENTER  ? CellAlign::kCentre
                   : align == DT_RIGHT ? CellAlign::kRight
                                       : CellAlign::kLeft;
  CellAlign placed =
      LineAlignment(cell, rightToLeft ? TextDirection::kRightToLeft : TextDirection::kLeftToRight);
  return placed == CellAlign::kCentre  ? DT_CENTER
         : placed == CellAlign::kRight ? DT_RIGHT
                                       : DT_LEFT;
}

class GridWindow : public GridView, public GridViewSink {
 public:
  GridWindow(CGridCtrl& grid, int wheelLines, int dpi)
      : grid_(grid), wheelLines_(wheelLines), dpi_(dpi) {}
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
  void CommitEdit() override { EndEditor(EditEnd::Commit); }
  void SetDpi(int dpi) override;

  // GridViewSink
  void Redraw() override {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
  }
  void RedrawCell(int32_t row, int32_t column) override;
  void RedrawRowsFrom(int32_t row) override;
  void ScrollChanged() override;
  void OpenEditor(const EditRequest& request) override;
  void CloseEditor() override;
  void CommitEditor() override { EndEditor(EditEnd::Commit); }
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
  LRESULT OnVScroll(WPARAM wp, LPARAM) { return OnScroll(Axis::kRows, LOWORD(wp)); }
  LRESULT OnHScroll(WPARAM wp, LPARAM) { return OnScroll(Axis::kColumns, LOWORD(wp)); }
  // A scroll bar's request: SB_LINEUP and SB_LINELEFT alike, and so on.
  LRESULT OnScroll(Axis axis, int request);
  LRESULT OnKeyDown(WPARAM wp, LPARAM lp);
  LRESULT OnChar(WPARAM wp, LPARAM lp);
  LRESULT OnLeftDown(WPARAM wp, LPARAM lp);
  LRESULT OnLeftUp(WPARAM wp, LPARAM lp);
  LRESULT OnLeftDoubleClick(WPARAM wp, LPARAM lp);
  LRESULT OnMouseMove(WPARAM wp, LPARAM lp);
  LRESULT OnSetCursor(WPARAM wp, LPARAM lp);
  LRESULT OnWheel(WPARAM wp, LPARAM lp);
  LRESULT OnFocus(WPARAM, LPARAM) {
    grid_.RedrawCurrent();  // the current row's colours follow the focus
    return 0;
  }
  LRESULT OnGetDlgCode(WPARAM, LPARAM) {
    return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
  }
  LRESULT OnCaptureChanged(WPARAM, LPARAM);

  LRESULT OnCommand(WPARAM wp, LPARAM lp);
  LRESULT OnKeyUp(WPARAM wp, LPARAM lp);
  LRESULT OnRightDown(WPARAM wp, LPARAM lp);
  LRESULT OnContextMenu(WPARAM wp, LPARAM lp);

  // The context menu at a screen point, and what its items and their keys do.
  void ShowContextMenu(POINT at);
  void RunCommand(UINT command);
  // Ctrl+F, Ctrl+H, F3, Shift+F3 and Ctrl+T; false for other keys.
  bool OnOwnerKey(WPARAM key, bool ctrl, bool shift);
  // An open box that does not have the focus (it shows a found match) ends before the
  // table acts on a key or a click.
  void EndUnfocusedEditor() {
    if (edit_ && GetFocus() != edit_) EndEditor(EditEnd::Commit);
  }
  bool CanFind() const {
    return grid_.Actions().findColumn >= 0 && grid_.RowCount() > grid_.FixedRowCount();
  }
  void ShowFindDialog(bool replace);
  // A notice of the find or replace dialog.
  void OnFindNotice(LPARAM lp);
  // Finds the next match down or up from the last one (or from the current cell) and
  // shows it selected in the cell's box; says so when there is none.
  void FindNext(bool down);
  // Replaces the match on show, if the cell still holds it, and finds the next.
  void ReplaceCurrent();
  void ReplaceAll();
  // A message box over the find dialog when it is open, else over the table.
  void Tell(const WideText& text, const char16_t* title, UINT icon);

  void MeasureFont();
  struct CellColours {
    COLORREF back;
    COLORREF fore;
  };
  // Painting one cell: its colours (selection, the current row, the focus), its
  // background, its raised edges or grid lines, and its text.
  void PaintCell(HDC dc, int32_t row, int32_t column, const RECT& rc);
  CellColours ColoursOf(int32_t row, int32_t column, const CGridCell& cell) const;
  void FillCell(HDC dc, const RECT& rc, bool fixed, COLORREF back) const;
  void DrawCellFrame(HDC dc, const RECT& rc, bool fixed) const;
  void DrawCellContents(HDC dc, int32_t row, int32_t column, const CGridCell& cell, const RECT& rc,
                        const CellColours& colours);
  // The runs of each line a cell draws: its lines, or all of them on one line with the
  // break mark between them.
  std::vector<std::vector<TextRun>> DrawnLines(const WideText& text, bool stacked) const;
  // The runs of one drawn line laid out on `dc`, all in one reading direction.
  LaidLine Lay(HDC dc, const std::vector<TextRun>& runs, bool rightToLeft) const;
  // The top of a cell's first text line when it draws `lines` lines in `rc`.
  int FirstLineTop(const RECT& rc, int lines) const;
  void DrawCellText(HDC dc, const RECT& rc, const WideText& text, bool stacked, UINT format,
                    COLORREF fore, COLORREF back);
  void InvertSizingLine();
  void EndEditor(EditEnd how);
  // Gives the box the table's font, or where that lacks some of `text`'s characters, the
  // first of kEditFaces that has them all.
  void ChooseEditFont(HWND edit, const WideText& text);
  // Sizes the edit box to its text and lays its text exactly over the cell's.
  void PlaceEditor(int extraLines);
  int WidestLine(HWND window, const std::vector<WideText>& lines) const;
  // The box's rectangle in the table's client area for `lines` and `extraLines` more.
  RECT EditorBox(const CellRect& cell, const std::vector<WideText>& lines, int extraLines) const;
  // Where the box's text goes, in its own client coordinates: over the cell's text.
  RECT EditorTextRect(const RECT& box, const CellRect& cell) const;
  // Gives the box its text rectangle, moved by what the box insets it.
  void SetEditorTextRect(const RECT& format, const WideText& firstLine);
  LRESULT EditMessage(HWND edit, UINT message, WPARAM wp, LPARAM lp);
  static int MeasureText(void* context, const WideText& text);
  // Takes the interface's font for the table's DPI.
  void ChooseFont();
  // A spacing of `pixels` at 96 DPI, at the table's DPI.
  int Px(int pixels) const { return MulDiv(pixels, dpi_, 96); }

  CGridCtrl& grid_;
  int wheelLines_;
  int dpi_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  GdiObject ownFont_;
  int lineHeight_ = 16;
  int ascent_ = 13;
  HFONT markFont_ = nullptr;
  GdiObject ownMarkFont_;
  GdiObject emojiFont_;  // null where the system has no emoji face
  WideText mark_;
  HWND edit_ = nullptr;
  int editFirstLineTop_ = 0;  // the edited cell's first text line, from the cell's top
  UINT editAlign_ = DT_LEFT;
  bool editRightToLeft_ = false;  // the edited text reads right to left
  HFONT editFont_ = nullptr;      // the box's font: the table's, or one with the text's script
  GdiObject ownEditFont_;
  int editLineHeight_ = 16;
  POINT editShift_ = {0, 0};  // how far the box's text rectangle is moved to meet the cell's
  bool lineShown_ = false;
  int lineAt_ = 0;
  bool lineColumn_ = true;
  bool scrollBarsStale_ = false;
  GridCursor cursor_ = GridCursor::Arrow;
  FindReplaceDialog find_;
  TextMatch lastMatch_;  // the match on show, not Found() before the first
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
    {WM_COMMAND, &GridWindow::OnCommand},
    {WM_KEYUP, &GridWindow::OnKeyUp},
    {WM_RBUTTONDOWN, &GridWindow::OnRightDown},
    {WM_CONTEXTMENU, &GridWindow::OnContextMenu},
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
  ChooseFont();
  CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"",
                  WS_CHILD | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN, b.left, b.top,
                  b.width, b.height, parent,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, this);
  if (!hwnd_) return false;
  MeasureFont();
  grid_.SetSink(this);
  grid_.SetMeasure(&GridWindow::MeasureText, this);
  grid_.SetLineHeight(lineHeight_);
  RECT rc;
  GetClientRect(hwnd_, &rc);
  grid_.SetClientSize(rc.right, rc.bottom);
  return true;
}

void GridWindow::ChooseFont() {
  // The interface's shared message font picks a face with Chinese glyphs on systems
  // whose message font has none; the table's own copy of the message font is the
  // fallback.
  font_ = static_cast<HFONT>(platform::UiFontForDpi(dpi_));
  if (!font_) {
    if (!ownFont_.Get()) ownFont_.Reset(CreateMessageFont());
    font_ = static_cast<HFONT>(ownFont_.Get());
  }
}

void GridWindow::SetDpi(int dpi) {
  if (!hwnd_ || dpi == dpi_) return;
  dpi_ = dpi;
  ChooseFont();
  MeasureFont();
  grid_.SetLineHeight(lineHeight_);
  if (edit_) {
    editFont_ = nullptr;
    ChooseEditFont(edit_, WindowText(edit_));
    PlaceEditor(0);
  }
  Redraw();
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
  if (message == self->find_.Message() && self->find_.Message() != 0) {
    try {
      self->OnFindNotice(lp);
    } catch (...) {
    }
    return 0;
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
    // Right to left: scrolled to the end, the first scrolled column may start under the
    // fixed ones, which are drawn over it.
    std::reverse(columns.begin(), columns.end());
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

void GridWindow::MeasureFont() {
  WindowDc dc(hwnd_);
  {
    SelectGuard keep(dc.Get(), font_);
    TEXTMETRICW tm{};
    if (GetTextMetricsW(dc.Get(), &tm)) {
      lineHeight_ = tm.tmHeight;
      ascent_ = tm.tmAscent;
    }
  }
  emojiFont_.Reset(CreateEmojiFont(dc.Get(), font_));
  mark_ = WideText(reinterpret_cast<const char16_t*>(kBreakArrow));
  markFont_ = font_;
  if (FontHasGlyph(dc.Get(), font_, L'\u21B5')) return;
  // The system substitutes a face it lacks; the glyph test tells whether that one has it.
  LOGFONTW base{};
  GetObjectW(font_, sizeof base, &base);
  for (const wchar_t* face : kArrowFaces) {
    LOGFONTW lf = base;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
    HFONT font = CreateFontIndirectW(&lf);
    if (font && FontHasGlyph(dc.Get(), font, L'\u21B5')) {
      ownMarkFont_.Reset(font);
      markFont_ = font;
      return;
    }
    if (font) DeleteObject(font);
  }
  mark_ = WideText(reinterpret_cast<const char16_t*>(kBreakSlash));
}

std::vector<std::vector<TextRun>> GridWindow::DrawnLines(const WideText& text, bool stacked) const {
  std::vector<std::vector<TextRun>> out;
  std::vector<WideText> lines = SplitLines(text);
  if (stacked) {
    for (WideText& line : lines) out.push_back({{std::move(line), false}});
    return out;
  }
  out.emplace_back();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out.back().push_back({mark_, true});
    if (!lines[i].empty()) out.back().push_back({std::move(lines[i]), false});
  }
  return out;
}

LaidLine GridWindow::Lay(HDC dc, const std::vector<TextRun>& runs, bool rightToLeft) const {
  LaidLine laid;
  for (const TextRun& run : runs) {
    if (run.mark) {
      laid.runs.push_back(std::make_unique<ShapedLine>(dc, markFont_, run.text, rightToLeft));
    } else {
      laid.runs.push_back(std::make_unique<ShapedLine>(dc, font_, run.text, rightToLeft,
                                                       static_cast<HFONT>(emojiFont_.Get())));
    }
    laid.marks.push_back(run.mark);
    laid.width += laid.runs.back()->Width();
  }
  return laid;
}

int GridWindow::FirstLineTop(const RECT& rc, int lines) const {
  // Centred as DrawText centres a single line: the same place the edit box puts it.
  int top = rc.top + Px(kTextInset), bottom = rc.bottom - Px(kTextInset);
  return top + (bottom - top - lines * lineHeight_) / 2;
}

void GridWindow::DrawCellText(HDC dc, const RECT& rc, const WideText& text, bool stacked,
                              UINT format, COLORREF fore, COLORREF back) {
  RECT area = {rc.left + Px(kTextGap), rc.top + Px(kTextInset), rc.right - Px(kTextGap),
               rc.bottom - Px(kTextInset)};
  auto lines = DrawnLines(text, stacked);
  // The whole caption reads in the direction of its first letter, every line alike, as
  // its edit box shows it.
  bool rightToLeft = IsRightToLeft(text);
  UINT align = AlignmentFor(format, rightToLeft);
  int y = FirstLineTop(rc, static_cast<int>(lines.size())) + ascent_;
  // Text from a fallback font sits on the table font's baseline.
  UINT oldAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  for (const auto& runs : lines) {
    LaidLine laid = Lay(dc, runs, rightToLeft);
    int x = area.left;
    if (align == DT_CENTER) x = (area.left + area.right - laid.width) / 2;
    if (align == DT_RIGHT) x = area.right - laid.width;
    // A right-to-left caption shown on one line starts at the right: its first line
    // rightmost, then the break mark, then the next line to its left.
    for (size_t k = 0; k < laid.runs.size(); ++k) {
      size_t i = rightToLeft ? laid.runs.size() - 1 - k : k;
      // The mark is drawn paler than the text: it is not part of it.
      SetTextColor(dc, laid.marks[i] ? Blend(fore, back, 128) : fore);
      laid.runs[i]->Draw(dc, x, y, area);
      x += laid.runs[i]->Width();
    }
    y += lineHeight_;
  }
  SetTextAlign(dc, oldAlign);
}

GridWindow::CellColours GridWindow::ColoursOf(int32_t row, int32_t column,
                                              const CGridCell& cell) const {
  bool fixed = grid_.IsFixed(row, column);
  bool selected = cell.Has(kCellSelected) && !fixed;
  CellColours colours;
  colours.back = fixed      ? ColourOr(cell.BackColour(), COLOR_BTNFACE)
                 : selected ? GetSysColor(COLOR_HIGHLIGHT)
                            : ColourOr(cell.BackColour(), COLOR_WINDOW);
  colours.fore =
      selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColourOr(cell.TextColour(), COLOR_WINDOWTEXT);
  // The current cell and its row's fixed cells carry the highlight colours, paler while
  // the focus is elsewhere (an open edit box counts as the table's own).
  bool current = row == grid_.CurrentRow() &&
                 (column == grid_.CurrentColumn() || column < grid_.FixedColumnCount());
  HWND focus = GetFocus();
  bool focused = focus == hwnd_ || (edit_ && focus == edit_);
  if (current && focused) {
    colours.back = GetSysColor(COLOR_HIGHLIGHT);
    colours.fore = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else if (current) {
    colours.back = Blend(GetSysColor(COLOR_HIGHLIGHT), colours.back, 72);
    colours.fore = GetSysColor(COLOR_WINDOWTEXT);
  }
  return colours;
}

void GridWindow::FillCell(HDC dc, const RECT& rc, bool fixed, COLORREF back) const {
  // A scrolled cell leaves its grid lines to DrawCellFrame.
  int lines = grid_.Setting(kSettingGridLines);
  RECT fill = rc;
  if (!fixed) {
    if (lines & 1) fill.bottom -= 1;
    if (lines & 2) fill.right -= 1;
  }
  GdiObject brush(CreateSolidBrush(back));
  FillRect(dc, &fill, static_cast<HBRUSH>(brush.Get()));
}

void GridWindow::DrawCellFrame(HDC dc, const RECT& rc, bool fixed) const {
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
    return;
  }
  int lines = grid_.Setting(kSettingGridLines);
  if (!lines) return;
  GdiObject pen(
      CreatePen(PS_SOLID, 1, static_cast<COLORREF>(grid_.Setting(kSettingGridLineColour))));
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

void GridWindow::DrawCellContents(HDC dc, int32_t row, int32_t column, const CGridCell& cell,
                                  const RECT& rc, const CellColours& colours) {
  WideText text = cell.ShownText();
  if (text.empty()) return;
  if (cell.Format() & kFormatSingleLine) {
    DrawCellText(dc, rc, text, grid_.StacksLines(row, column), cell.Format(), colours.fore,
                 colours.back);
    return;
  }
  // A word-breaking cell is laid out by the system.
  RECT textRect = {rc.left + Px(kTextGap), rc.top + Px(kTextInset), rc.right - Px(kTextGap),
                   rc.bottom - Px(kTextInset)};
  SetTextColor(dc, colours.fore);
  UINT format = cell.Format() & ~static_cast<UINT>(DT_NOCLIP);
  DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &textRect, format);
}

void GridWindow::PaintCell(HDC dc, int32_t row, int32_t column, const RECT& rc) {
  const CGridCell* cell = grid_.Cell(row, column);
  if (!cell) return;
  bool fixed = grid_.IsFixed(row, column);
  CellColours colours = ColoursOf(row, column, *cell);
  FillCell(dc, rc, fixed, colours.back);
  DrawCellFrame(dc, rc, fixed);
  DrawCellContents(dc, row, column, *cell, rc, colours);
}

// ---- Scrolling ------------------------------------------------------------------------

void GridWindow::ScrollChanged() {
  if (!hwnd_) return;
  for (Axis axis : {Axis::kRows, Axis::kColumns}) {
    // The bar counts the scrolled rows or columns; its page is what shows at the end.
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    int32_t last = grid_.MaxScrollPosition(axis);
    int32_t atEnd = grid_.Count(axis) - last;
    si.nMin = 0;
    si.nMax = std::max(last - grid_.FixedCount(axis) + atEnd - 1, 0);
    si.nPage = static_cast<UINT>(std::max(atEnd, 1));
    si.nPos = grid_.ScrollPosition(axis) - grid_.FixedCount(axis);
    // The bars are drawn a moment later, once for a whole burst of changes: drawing them
    // at every appended row made filling a long table crawl.
    SetScrollInfo(hwnd_, ScrollBarOf(axis), &si, FALSE);
  }
  if (!scrollBarsStale_) {
    scrollBarsStale_ = true;
    SetTimer(hwnd_, kScrollBarTimer, kScrollBarDelayMs, nullptr);
  }
  PlaceEditor(0);
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

LRESULT GridWindow::OnScroll(Axis axis, int request) {
  int32_t first = grid_.ScrollPosition(axis);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd_, ScrollBarOf(axis), &si);
  // The vertical bar's requests share their numbers with the horizontal bar's.
  switch (request) {
    case SB_LINEUP:
      --first;
      break;
    case SB_LINEDOWN:
      ++first;
      break;
    case SB_PAGEUP:
      first -= grid_.Page(axis);
      break;
    case SB_PAGEDOWN:
      first += grid_.Page(axis);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      first = si.nTrackPos + grid_.FixedCount(axis);
      break;
    case SB_TOP:
      first = 0;
      break;
    case SB_BOTTOM:
      first = grid_.Count(axis);
      break;
    default:
      return 0;
  }
  grid_.ScrollTo(axis, first);
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
  EndUnfocusedEditor();
  if (wp == VK_APPS) {
    CellRect c = grid_.CellRectangle(grid_.CurrentRow(), grid_.CurrentColumn());
    POINT at = grid_.HasCurrentCell() ? POINT{c.left + Px(8), c.bottom} : POINT{0, 0};
    ClientToScreen(hwnd_, &at);
    ShowContextMenu(at);
    return 0;
  }
  if (OnOwnerKey(wp, ctrl, shift)) return 0;
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
  EndUnfocusedEditor();
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
  int widest = 0;
  bool rightToLeft = IsRightToLeft(text);
  for (const auto& runs : self->DrawnLines(text, false)) {
    widest = std::max(widest, self->Lay(dc.Get(), runs, rightToLeft).width);
  }
  return widest + 2 * self->Px(kTextGap);
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

void GridWindow::OpenEditor(const EditRequest& request) {
  if (!hwnd_) return;
  if (edit_) CloseEditor();
  const CGridCell* cell = grid_.Cell(request.row, request.column);
  if (!cell) return;
  // The box lays its first line where the cell draws it, aligned as the cell aligns.
  CellRect c = grid_.CellRectangle(request.row, request.column);
  RECT rc = {c.left, c.top, c.right, c.bottom};
  int shownLines = grid_.StacksLines(request.row, request.column)
                       ? static_cast<int>(SplitLines(cell->ShownText()).size())
                       : 1;
  editFirstLineTop_ = FirstLineTop(rc, shownLines) - rc.top;
  // A right-to-left text is edited as a right-to-left paragraph, aligned as the cell
  // draws it.
  editRightToLeft_ = IsRightToLeft(request.text);
  editAlign_ = AlignmentFor(cell->Format(), editRightToLeft_);
  editShift_ = {0, 0};
  DWORD align = editAlign_ == DT_CENTER ? ES_CENTER : editAlign_ == DT_RIGHT ? ES_RIGHT : ES_LEFT;
  HWND edit = CreateWindowExW(editRightToLeft_ ? WS_EX_RTLREADING : 0, L"Edit", L"",
                              WS_CHILD | WS_BORDER | ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL |
                                  ES_AUTOVSCROLL | align |
                                  (request.caret == EditCaret::SelectRange ? ES_NOHIDESEL : 0),
                              rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hwnd_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!edit) {
    grid_.EndEdit(EditEnd::Cancel, WideText());
    return;
  }
  editFont_ = nullptr;
  ChooseEditFont(edit, request.text);
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  SetWindowTextW(edit, Wide(request.text));
  SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  WNDPROC base = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GridWindow::EditProc)));
  if (!editBaseProc_) editBaseProc_ = base;
  edit_ = edit;
  PlaceEditor(0);
  ShowWindow(edit, SW_SHOW);
  int length = static_cast<int>(request.text.size());
  if (request.caret == EditCaret::SelectRange) {
    // A found match: selected, shown without the focus, which the find dialog keeps.
    SendMessageW(edit, EM_SETSEL, request.selectStart, request.selectEnd);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    if (!find_.Window()) SetFocus(edit);
    return;
  }
  if (request.caret == EditCaret::SelectAll) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
  } else {
    SendMessageW(edit, EM_SETSEL, length, length);
  }
  SetFocus(edit);
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

int GridWindow::WidestLine(HWND window, const std::vector<WideText>& lines) const {
  WindowDc dc(window);
  int widest = 0;
  for (const WideText& line : lines) {
    widest = std::max(widest, ShapedLine(dc.Get(), editFont_, line, editRightToLeft_).Width());
  }
  return widest;
}

void GridWindow::ChooseEditFont(HWND edit, const WideText& text) {
  WindowDc dc(edit);
  // Characters beyond U+FFFF (emoji) are left to the system's fallback either way.
  WideText plain;
  for (char16_t unit : text) {
    if ((unit & 0xF800) != 0xD800) plain += unit;
  }
  // A font that already has every character stays: typing changes nothing then.
  if (editFont_ && !FontLacksGlyphs(dc.Get(), editFont_, plain)) return;
  HFONT owned = nullptr;
  editFont_ = font_;
  if (FontLacksGlyphs(dc.Get(), font_, plain)) {
    owned = CreateFirstFaceWith(dc.Get(), font_, kEditFaces, plain);
    if (owned) editFont_ = owned;
  }
  TEXTMETRICW tm{};
  {
    SelectGuard keep(dc.Get(), editFont_);
    editLineHeight_ = GetTextMetricsW(dc.Get(), &tm) ? tm.tmHeight : lineHeight_;
  }
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(editFont_), FALSE);
  // The box no longer uses the font it had.
  ownEditFont_.Reset(owned);
}

RECT GridWindow::EditorBox(const CellRect& c, const std::vector<WideText>& lines,
                           int extraLines) const {
  RECT client;
  GetClientRect(hwnd_, &client);
  // A longer line widens the box away from the column's alignment: left-aligned text
  // grows to the right, right-aligned to the left, centred both ways, so the text already
  // there stays where it is.
  int widest = WidestLine(edit_, lines);
  int extra = std::max(0, widest + Px(kCaretRoom) - (c.right - c.left - 2 * Px(kTextGap)));
  LONG left = c.left, right = c.right;
  if (editAlign_ == DT_CENTER) {
    left -= extra / 2;
    right += extra - extra / 2;
  } else if (editAlign_ == DT_RIGHT) {
    left -= extra;
  } else {
    right += extra;
  }
  int shown = static_cast<int>(lines.size()) + extraLines;
  // Below the lines: the cell's own gap, and room for the box's border and its inset. A
  // box draws characters from a fallback font at that font's top, and a taller font
  // reaches further down: where its own font lacks some, it gets half a line more.
  int fallbackRoom = 0;
  {
    WindowDc dc(edit_);
    if (FontLacksGlyphs(dc.Get(), editFont_, JoinLines(lines, WideText())))
      fallbackRoom = editLineHeight_ / 2;
  }
  LONG bottom = std::max<LONG>(c.bottom, c.top + editFirstLineTop_ + shown * editLineHeight_ +
                                             fallbackRoom + Px(kTextInset) + Px(kEditBoxInset));
  return {std::max<LONG>(left, 0), c.top, std::min<LONG>(right, client.right),
          std::min<LONG>(bottom, client.bottom)};
}

RECT GridWindow::EditorTextRect(const RECT& box, const CellRect& c) const {
  // In the box's client area, which a box that draws its own border starts at its
  // window's corner.
  POINT origin = {0, 0};
  MapWindowPoints(edit_, hwnd_, &origin, 1);
  return {box.left + Px(kTextGap) - origin.x, c.top + editFirstLineTop_ - origin.y,
          box.right - Px(kTextGap) - origin.x, box.bottom - origin.y};
}

void GridWindow::SetEditorTextRect(const RECT& format, const WideText& firstLine) {
  RECT shifted = format;
  OffsetRect(&shifted, editShift_.x, editShift_.y);
  SendMessageW(edit_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&shifted));
  // The box insets the rectangle it is given a little for its border: ask where its first
  // character went and move the rectangle by the difference, so that the text lands where
  // the cell drew it. A larger difference is the box scrolling its text, not an inset. A
  // right-to-left line's first character is at its far end: the box's own right-aligned
  // layout places it.
  if (firstLine.empty() || editRightToLeft_) return;
  int firstWidth = WidestLine(edit_, {firstLine});
  int wantX = format.left;
  if (editAlign_ == DT_CENTER) wantX = (format.left + format.right - firstWidth) / 2;
  if (editAlign_ == DT_RIGHT) wantX = format.right - firstWidth;
  LRESULT at = SendMessageW(edit_, EM_POSFROMCHAR, 0, 0);
  int dx = wantX - static_cast<short>(LOWORD(at));
  int dy = format.top - static_cast<short>(HIWORD(at));
  constexpr int kMostInset = 4;
  if (at == -1 || (dx == 0 && dy == 0) || std::abs(dx) > kMostInset || std::abs(dy) > kMostInset) {
    return;
  }
  editShift_.x += dx;
  editShift_.y += dy;
  OffsetRect(&shifted, dx, dy);
  SendMessageW(edit_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&shifted));
}

void GridWindow::PlaceEditor(int extraLines) {
  if (!edit_) return;
  CellRect c = grid_.CellRectangle(grid_.EditRow(), grid_.EditColumn());
  std::vector<WideText> lines = SplitLines(WindowText(edit_));
  RECT box = EditorBox(c, lines, extraLines);
  SetWindowPos(edit_, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // Resizing resets the box's text rectangle: it is set after.
  SetEditorTextRect(EditorTextRect(box, c), lines[0]);
}

LRESULT GridWindow::OnCommand(WPARAM wp, LPARAM lp) {
  if (edit_ && reinterpret_cast<HWND>(lp) == edit_ && HIWORD(wp) == EN_CHANGE) {
    // Typed letters of another script may need another font.
    ChooseEditFont(edit_, WindowText(edit_));
    PlaceEditor(0);
  }
  return 0;
}

// ---- Context menu, find and replace, time shift ------------------------------------

// The context menu's items, in order; 0 draws a separator.
enum MenuCommand : UINT {
  kMenuSeparator = 0,
  kMenuUndo = 1,
  kMenuRedo,
  kMenuCut,
  kMenuCopy,
  kMenuPaste,
  kMenuDelete,
  kMenuFind,
  kMenuReplace,
  kMenuShiftTimes,
  kMenuDeleteRows,
};

struct MenuItem {
  MenuCommand command;
  language::TextId text;  // none for a separator
};

constexpr MenuItem kMenuItems[] = {
    {kMenuUndo, language::TextId::kMenuUndo},
    {kMenuRedo, language::TextId::kMenuRedo},
    {kMenuSeparator, language::TextId::kCount},
    {kMenuCut, language::TextId::kMenuCut},
    {kMenuCopy, language::TextId::kMenuCopy},
    {kMenuPaste, language::TextId::kMenuPaste},
    {kMenuDelete, language::TextId::kMenuDelete},
    {kMenuSeparator, language::TextId::kCount},
    {kMenuFind, language::TextId::kMenuFind},
    {kMenuReplace, language::TextId::kMenuReplace},
    {kMenuSeparator, language::TextId::kCount},
    {kMenuShiftTimes, language::TextId::kMenuShiftTimes},
    {kMenuDeleteRows, language::TextId::kMenuDeleteRows},
};

LRESULT GridWindow::OnKeyUp(WPARAM wp, LPARAM lp) {
  // The menu key has shown the menu when it went down.
  if (wp == VK_APPS) return 0;
  return DefWindowProcW(hwnd_, WM_KEYUP, wp, lp);
}

LRESULT GridWindow::OnRightDown(WPARAM, LPARAM lp) {
  EndUnfocusedEditor();
  if (GetFocus() != hwnd_) SetFocus(hwnd_);
  grid_.OnRightDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
  return 0;
}

LRESULT GridWindow::OnContextMenu(WPARAM, LPARAM lp) {
  POINT at = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (lp == -1) {
    at = {0, 0};
    ClientToScreen(hwnd_, &at);
  }
  ShowContextMenu(at);
  return 0;
}

void GridWindow::ShowContextMenu(POINT at) {
  EndUnfocusedEditor();
  if (edit_) EndEditor(EditEnd::Commit);
  bool current = grid_.HasCurrentCell();
  auto can = [&](MenuCommand command) {
    switch (command) {
      case kMenuUndo:
        return grid_.CanUndo();
      case kMenuRedo:
        return grid_.CanRedo();
      case kMenuCut:
      case kMenuDelete:
        return grid_.CanClearCells();
      case kMenuCopy:
        return current;
      case kMenuPaste:
        return current && grid_.Editable(grid_.CurrentRow(), grid_.CurrentColumn()) &&
               IsClipboardFormatAvailable(CF_UNICODETEXT);
      case kMenuFind:
      case kMenuReplace:
        return CanFind();
      case kMenuShiftTimes:
        return grid_.Actions().shiftTimes != nullptr && grid_.RowCount() > grid_.FixedRowCount();
      case kMenuDeleteRows:
        return !grid_.SelectedRows().empty();
      case kMenuSeparator:
        break;
    }
    return false;
  };
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  for (const MenuItem& item : kMenuItems) {
    if (item.command == kMenuSeparator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, MF_STRING | (can(item.command) ? MF_ENABLED : MF_GRAYED), item.command,
                  Wide(language::Text(item.text)));
    }
  }
  UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                     at.y, 0, hwnd_, nullptr));
  DestroyMenu(menu);
  if (chosen != 0 && can(static_cast<MenuCommand>(chosen))) RunCommand(chosen);
}

void GridWindow::RunCommand(UINT command) {
  switch (command) {
    case kMenuUndo:
      grid_.Undo();
      break;
    case kMenuRedo:
      grid_.Redo();
      break;
    case kMenuCut:
      grid_.OnKeyDown('X', true, false);
      break;
    case kMenuCopy:
      grid_.OnKeyDown('C', true, false);
      break;
    case kMenuPaste:
      grid_.OnKeyDown('V', true, false);
      break;
    case kMenuDelete:
      grid_.OnKeyDown(kKeyDelete, false, false);
      break;
    case kMenuFind:
      ShowFindDialog(false);
      break;
    case kMenuReplace:
      ShowFindDialog(true);
      break;
    case kMenuShiftTimes:
      ShiftDialogShow(GetAncestor(hwnd_, GA_ROOT), grid_);
      break;
    case kMenuDeleteRows:
      grid_.DeleteRows(grid_.SelectedRows());
      break;
    default:
      break;
  }
}

bool GridWindow::OnOwnerKey(WPARAM key, bool ctrl, bool shift) {
  if (ctrl && key == 'F') {
    if (CanFind()) ShowFindDialog(false);
    return true;
  }
  if (ctrl && key == 'H') {
    if (CanFind()) ShowFindDialog(true);
    return true;
  }
  if (!ctrl && key == VK_F3) {
    if (!CanFind()) return true;
    if (find_.Query().what.empty())
      ShowFindDialog(false);
    else
      FindNext(!shift);
    return true;
  }
  if (ctrl && key == 'T') {
    if (grid_.Actions().shiftTimes && grid_.RowCount() > grid_.FixedRowCount())
      ShiftDialogShow(GetAncestor(hwnd_, GA_ROOT), grid_);
    return true;
  }
  return false;
}

void GridWindow::ShowFindDialog(bool replace) {
  // The current caption's selected words, or else nothing new, are offered.
  find_.Show(hwnd_, replace, WideText());
}

void GridWindow::OnFindNotice(LPARAM lp) {
  const FINDREPLACEW& notice = find_.Notice(lp);
  if (notice.Flags & FR_DIALOGTERM) {
    // The found text's box takes the focus, so the user can type over the match.
    if (edit_) SetFocus(edit_);
    return;
  }
  if (notice.Flags & FR_REPLACEALL) {
    ReplaceAll();
  } else if (notice.Flags & FR_REPLACE) {
    ReplaceCurrent();
  } else if (notice.Flags & FR_FINDNEXT) {
    FindNext(find_.Down());
  }
}

void GridWindow::FindNext(bool down) {
  int32_t column = grid_.Actions().findColumn;
  FindQuery query = find_.Query();
  TextMatch from = lastMatch_;
  if (!from.Found() || from.row != grid_.CurrentRow() || from.column != column) {
    from = {grid_.CurrentRow(), column, 0, 0};
  }
  TextMatch match = FindInColumn(grid_, column, query, from, down);
  if (!match.Found()) {
    lastMatch_ = TextMatch();
    Tell(language::Text(language::TextId::kNotFound, {query.what}),
         language::Text(language::TextId::kFindTitle), MB_ICONINFORMATION);
    return;
  }
  lastMatch_ = match;
  WideText text = grid_.Cell(match.row, match.column)->ShownText();
  grid_.ShowInEditor(match.row, match.column, EditBoxOffset(text, match.start),
                     EditBoxOffset(text, match.start + match.length));
}

void GridWindow::ReplaceCurrent() {
  FindQuery query = find_.Query();
  if (edit_) EndEditor(EditEnd::Commit);
  const CGridCell* cell = grid_.Cell(lastMatch_.row, lastMatch_.column);
  if (lastMatch_.Found() && cell &&
      FindInText(cell->ShownText(), query, lastMatch_.start) == lastMatch_.start) {
    WideText text = cell->ShownText();
    WideText with = find_.Replacement();
    text.replace(lastMatch_.start, query.what.size(), with);
    grid_.EditTexts({{lastMatch_.row, lastMatch_.column, text}});
    lastMatch_.length = with.size();
    grid_.SetCurrentCell(lastMatch_.row, lastMatch_.column);
  }
  FindNext(true);
}

void GridWindow::ReplaceAll() {
  if (edit_) EndEditor(EditEnd::Commit);
  FindQuery query = find_.Query();
  size_t count = ReplaceAllInColumn(grid_, grid_.Actions().findColumn, query, find_.Replacement());
  lastMatch_ = TextMatch();
  if (count == 0) {
    Tell(language::Text(language::TextId::kNotFound, {query.what}),
         language::Text(language::TextId::kReplaceTitle), MB_ICONINFORMATION);
  } else {
    Tell(language::Text(language::TextId::kReplacedCount, {Utf8ToUtf16(std::to_string(count))}),
         language::Text(language::TextId::kReplaceTitle), MB_ICONINFORMATION);
  }
}

void GridWindow::Tell(const WideText& text, const char16_t* title, UINT icon) {
  HWND owner = find_.Window() ? find_.Window() : GetAncestor(hwnd_, GA_ROOT);
  MessageBoxW(owner, Wide(text), Wide(title), MB_OK | icon);
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
      // Find, replace and the time shift act on the table; the box's text counts first.
      if (wp == VK_F3 || (ctrl && (wp == 'F' || wp == 'H' || wp == 'T'))) {
        bool shift = GetKeyState(VK_SHIFT) < 0;
        EndEditor(EditEnd::Commit);
        OnOwnerKey(wp, ctrl, shift);
        return 0;
      }
      if (wp == VK_RETURN && ctrl) {
        // The box grows first: a multi-line edit refuses a line that it cannot show.
        PlaceEditor(1);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\n"));
        return 0;
      }
      break;
    case WM_CHAR:
      // Return, line feed, Tab and Escape were handled as keys.
      if (wp == L'\r' || wp == L'\n' || wp == L'\t' || wp == 0x1B) return 0;
      break;
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
                                         CGridCtrl& grid, int controlId, int dpi) {
  if (!parentNative) return nullptr;
  auto view = std::make_unique<GridWindow>(grid, WheelScrollLines(), dpi);
  if (!view->Create(static_cast<HWND>(parentNative), bounds, controlId)) return nullptr;
  return view;
}

int WheelScrollLines() {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
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
