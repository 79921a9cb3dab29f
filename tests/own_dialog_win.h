// Finding a dialog or message box that the test process itself shows. The Wine tests run
// two at a time on one desktop, so a box found by title alone may be another test's.
#pragma once

#include <windows.h>

namespace test_win {

// The visible window of class "#32770" (dialogs and message boxes) with this title that
// belongs to this process, or null.
inline HWND FindOwnDialog(const wchar_t* title) {
  for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", title); window;
       window = FindWindowExW(nullptr, window, L"#32770", title)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace test_win
