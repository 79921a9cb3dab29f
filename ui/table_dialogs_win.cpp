#include "ui/table_dialogs_win.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "language/catalogue.h"
#include "platform/platform.h"

namespace ui {
namespace {

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

// A text of the window's language as the wide functions take it.
const wchar_t* TextOf(language::TextId id) { return Wide(language::Text(id)); }

WideText WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return WideText(text.begin(), text.end());
}

// The shift dialog's controls.
enum ShiftControl : WORD { kShiftPromptId = 100, kShiftSecondsId = 101, kShiftSelectedId = 102 };

// A dialog template in memory: the header, then each item, DWORD-aligned.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short width, short height) {
    DLGTEMPLATE header{};
    header.style = style | DS_SETFONT;
    header.cx = width;
    header.cy = height;
    Append(&header, sizeof header);
    Words({0, 0, 0});  // no menu, the standard class, an empty title (set later)
    Words({9});
    Text(L"MS Shell Dlg");
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
    Align();
    DLGITEMTEMPLATE item{};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Append(&item, sizeof item);
    Words({0xFFFF, atom, 0, 0});  // the class by atom, an empty text, no creation data
    auto* header = reinterpret_cast<DLGTEMPLATE*>(bytes_.data());
    ++header->cdit;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  void Append(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  void Words(std::initializer_list<WORD> words) {
    for (WORD w : words) Append(&w, sizeof w);
  }
  void Text(const wchar_t* text) { Append(text, (wcslen(text) + 1) * sizeof(wchar_t)); }
  void Align() {
    while (bytes_.size() % 4) bytes_.push_back(0);
  }
  std::vector<unsigned char> bytes_;
};

constexpr WORD kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082;

// Room (96-DPI numbers) that a push button keeps around its caption, that a check box's
// text keeps beside its box, and between the two push buttons.
constexpr int kButtonTextMargin = 24;
constexpr int kCheckTextGap = 6;
constexpr int kButtonGap = 6;

// A control's place in its dialog's client area.
RECT PlaceOf(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void MoveTo(HWND control, int left, int top, int width, int height) {
  MoveWindow(control, left, top, width, height, FALSE);
}

// The shift dialog in the window's font, its controls as wide as their texts need in it:
// the prompt in at most two lines (a word is never cut), the check box's text and each
// button's caption on one line. What the prompt gains in height moves the controls below
// it down; what the prompt and the check box gain in width widens the dialog, and the
// buttons stay at its right edge.
void FitShiftDialog(HWND dialog) {
  int dpi = platform::ViewDpi(reinterpret_cast<platform::View*>(dialog));
  auto font = static_cast<HFONT>(platform::UiFontForDpi(dpi));
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  HWND prompt = GetDlgItem(dialog, kShiftPromptId), seconds = GetDlgItem(dialog, kShiftSecondsId);
  HWND selected = GetDlgItem(dialog, kShiftSelectedId);
  HWND ok = GetDlgItem(dialog, IDOK), cancel = GetDlgItem(dialog, IDCANCEL);
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, font);
  auto lineWidth = [dc](HWND control) {
    WideText text = WindowText(control);
    SIZE size{};
    GetTextExtentPoint32W(dc, Wide(text.c_str()), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT promptPlace = PlaceOf(prompt), secondsPlace = PlaceOf(seconds);
  RECT selectedPlace = PlaceOf(selected), okPlace = PlaceOf(ok), cancelPlace = PlaceOf(cancel);
  int oldWidth = promptPlace.right - promptPlace.left;
  int oldHeight = promptPlace.bottom - promptPlace.top;
  int width = oldWidth, height = oldHeight;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  WideText promptText = WindowText(prompt);
  for (;;) {
    RECT needed = {0, 0, width, 0};
    DrawTextW(dc, Wide(promptText.c_str()), static_cast<int>(promptText.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    height = std::max<int>(oldHeight, needed.bottom);
    bool fits = needed.bottom <= 2 * metrics.tmHeight && needed.right <= width;
    if (fits || width >= work.right - work.left) break;
    width += std::max(MulDiv(8, dpi, 96), width / 10);
  }
  int checkBox = GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(kCheckTextGap, dpi, 96);
  width = std::max(width, lineWidth(selected) + checkBox);
  int margin = MulDiv(kButtonTextMargin, dpi, 96), gap = MulDiv(kButtonGap, dpi, 96);
  int buttonWidth = std::max({static_cast<int>(okPlace.right - okPlace.left),
                              lineWidth(ok) + margin, lineWidth(cancel) + margin});
  width = std::max(width, 2 * buttonWidth + gap);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);

  int wider = width - oldWidth, lower = height - oldHeight;
  auto moveDown = [lower](HWND control, const RECT& place, int left, int newWidth) {
    MoveTo(control, left, place.top + lower, newWidth, place.bottom - place.top);
  };
  MoveTo(prompt, promptPlace.left, promptPlace.top, width, height);
  moveDown(seconds, secondsPlace, secondsPlace.left, secondsPlace.right - secondsPlace.left);
  moveDown(selected, selectedPlace, selectedPlace.left, width);
  int right = promptPlace.left + width;
  moveDown(cancel, cancelPlace, right - buttonWidth, buttonWidth);
  moveDown(ok, okPlace, right - 2 * buttonWidth - gap, buttonWidth);
  RECT frame;
  GetWindowRect(dialog, &frame);
  SetWindowPos(dialog, nullptr, frame.left - wider / 2, frame.top - lower / 2,
               frame.right - frame.left + wider, frame.bottom - frame.top + lower,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

struct ShiftContext {
  CGridCtrl* grid;
  bool moved = false;
};

INT_PTR CALLBACK ShiftDialogProc(HWND dialog, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      auto* context = reinterpret_cast<ShiftContext*>(lp);
      SetWindowTextW(dialog, TextOf(language::TextId::kShiftTitle));
      SetDlgItemTextW(dialog, kShiftPromptId, TextOf(language::TextId::kShiftPrompt));
      SetDlgItemTextW(dialog, kShiftSelectedId, TextOf(language::TextId::kShiftSelectedOnly));
      SetDlgItemTextW(dialog, IDOK, TextOf(language::TextId::kOk));
      SetDlgItemTextW(dialog, IDCANCEL, TextOf(language::TextId::kCancel));
      FitShiftDialog(dialog);
      // Only the selected rows move when the user has picked several; with one or
      // none, every row does.
      size_t selected = context->grid->SelectedRows().size();
      EnableWindow(GetDlgItem(dialog, kShiftSelectedId), selected > 0);
      CheckDlgButton(dialog, kShiftSelectedId, selected > 1 ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    }
    case WM_COMMAND: {
      auto* context = reinterpret_cast<ShiftContext*>(GetWindowLongPtrW(dialog, DWLP_USER));
      if (LOWORD(wp) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      if (LOWORD(wp) != IDOK || !context) return FALSE;
      WideText typed = WindowText(GetDlgItem(dialog, kShiftSecondsId));
      bool selectedOnly = IsDlgButtonChecked(dialog, kShiftSelectedId) == BST_CHECKED;
      WideText refusal = context->grid->Actions().shiftTimes(*context->grid, typed, selectedOnly);
      if (!refusal.empty()) {
        MessageBoxW(dialog, Wide(refusal.c_str()), TextOf(language::TextId::kShiftTitle),
                    MB_OK | MB_ICONWARNING);
        SetFocus(GetDlgItem(dialog, kShiftSecondsId));
        return TRUE;
      }
      context->moved = true;
      EndDialog(dialog, IDOK);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

FindReplaceDialog::FindReplaceDialog() : message_(RegisterWindowMessageW(FINDMSGSTRINGW)) {
  request_.lStructSize = sizeof request_;
  request_.Flags = FR_DOWN;
}

FindReplaceDialog::~FindReplaceDialog() {
  if (dialog_) DestroyWindow(dialog_);
}

void FindReplaceDialog::Show(HWND owner, bool replace, const WideText& initial) {
  if (dialog_ && replace_ == replace) {
    SetActiveWindow(dialog_);
    return;
  }
  if (dialog_) {
    DestroyWindow(dialog_);
    dialog_ = nullptr;
  }
  if (!initial.empty() && initial.size() < kTextUnits &&
      initial.find_first_of(u"\r\n") == WideText::npos) {
    std::memcpy(what_, initial.c_str(), (initial.size() + 1) * sizeof(wchar_t));
  }
  request_.hwndOwner = owner;
  request_.lpstrFindWhat = what_;
  request_.wFindWhatLen = kTextUnits;
  request_.lpstrReplaceWith = with_;
  request_.wReplaceWithLen = kTextUnits;
  request_.Flags &= FR_DOWN | FR_MATCHCASE | FR_WHOLEWORD;
  replace_ = replace;
  dialog_ = replace ? ReplaceTextW(&request_) : FindTextW(&request_);
}

const FINDREPLACEW& FindReplaceDialog::Notice(LPARAM lp) {
  const auto* notice = reinterpret_cast<const FINDREPLACEW*>(lp);
  if (notice->Flags & FR_DIALOGTERM) dialog_ = nullptr;
  return *notice;
}

FindQuery FindReplaceDialog::Query() const {
  FindQuery query;
  query.what = WideText(reinterpret_cast<const char16_t*>(what_));
  query.matchCase = (request_.Flags & FR_MATCHCASE) != 0;
  query.wholeWord = (request_.Flags & FR_WHOLEWORD) != 0;
  return query;
}

bool ShiftDialogShow(HWND owner, CGridCtrl& grid) {
  if (!grid.Actions().shiftTimes) return false;
  DialogTemplate dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 220, 82);
  dialog.Item(SS_LEFT, 7, 7, 206, 18, kShiftPromptId, kStaticAtom);
  dialog.Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 27, 100, 13, kShiftSecondsId, kEditAtom);
  dialog.Item(BS_AUTOCHECKBOX | WS_TABSTOP, 7, 45, 206, 12, kShiftSelectedId, kButtonAtom);
  dialog.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 109, 62, 50, 14, IDOK, kButtonAtom);
  dialog.Item(BS_PUSHBUTTON | WS_TABSTOP, 163, 62, 50, 14, IDCANCEL, kButtonAtom);
  ShiftContext context{&grid};
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, &ShiftDialogProc,
                          reinterpret_cast<LPARAM>(&context));
  return context.moved;
}

}  // namespace ui
