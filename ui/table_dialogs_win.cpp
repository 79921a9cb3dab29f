#include "ui/table_dialogs_win.h"

#include <cstring>
#include <vector>

#include "ui/window_texts.h"

namespace ui {
namespace {

const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }

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

struct ShiftContext {
  CGridCtrl* grid;
  bool moved = false;
};

INT_PTR CALLBACK ShiftDialogProc(HWND dialog, UINT message, WPARAM wp, LPARAM lp) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lp);
      auto* context = reinterpret_cast<ShiftContext*>(lp);
      SetWindowTextW(dialog, Wide(texts::kShiftTitle));
      SetDlgItemTextW(dialog, kShiftPromptId, Wide(texts::kShiftPrompt));
      SetDlgItemTextW(dialog, kShiftSelectedId, Wide(texts::kShiftSelectedOnly));
      SetDlgItemTextW(dialog, IDOK, Wide(texts::kOk));
      SetDlgItemTextW(dialog, IDCANCEL, Wide(texts::kCancel));
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
        MessageBoxW(dialog, Wide(refusal.c_str()), Wide(texts::kShiftTitle),
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
