// The table's dialogs in Win32: the system's find and replace dialogs (modeless; they
// report to their owner with the registered FINDMSGSTRING message) and the time-shift
// dialog (modal, made from a template in memory).
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "ui/grid_find.h"

namespace ui {

// One find or replace dialog at a time, with the texts and options it last had.
class FindReplaceDialog {
 public:
  FindReplaceDialog();
  FindReplaceDialog(const FindReplaceDialog&) = delete;
  FindReplaceDialog& operator=(const FindReplaceDialog&) = delete;
  ~FindReplaceDialog();

  // Shows the find (or the replace) dialog for `owner`, closing the other kind first;
  // activates it when it is already open. `initial` (if not empty) is offered.
  void Show(HWND owner, bool replace, const WideText& initial);
  // The dialog's window, or null while none is open.
  HWND Window() const { return dialog_; }
  // The message that the dialog sends to its owner.
  UINT Message() const { return message_; }
  // Reads a FINDMSGSTRING notice: forgets the dialog when it closes.
  const FINDREPLACEW& Notice(LPARAM lp);

  // The query as last given (empty `what` before any).
  FindQuery Query() const;
  WideText Replacement() const { return WideText(reinterpret_cast<const char16_t*>(with_)); }
  bool Down() const { return (request_.Flags & FR_DOWN) != 0; }

 private:
  static constexpr WORD kTextUnits = 256;
  UINT message_;
  HWND dialog_ = nullptr;
  bool replace_ = false;
  FINDREPLACEW request_{};
  wchar_t what_[kTextUnits] = L"";
  wchar_t with_[kTextUnits] = L"";
};

// Asks for a shift in seconds and whether only the selected rows move, then calls the
// table's shift action; a message it answers is shown and the dialog stays. True when
// the times moved.
bool ShiftDialogShow(HWND owner, CGridCtrl& grid);

}  // namespace ui
