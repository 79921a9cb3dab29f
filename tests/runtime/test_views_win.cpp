#include <windows.h>

#include <cstdio>

#include "heap/heap.h"
#include "platform/win32/text_win.h"
#include "runtime/report.h"
#include "runtime/services.h"
#include "tests/runtime/test_views.h"

namespace testviews {

const int kFatalExitStatus = -1;

namespace {

struct Search {
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t text[256];
  GetWindowTextW(hwnd, text, 256);
  if (search->text == text) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return TRUE;
  if (MatchChild(hwnd, param) == FALSE) return FALSE;
  EnumChildWindows(hwnd, MatchChild, param);
  return search->found ? FALSE : TRUE;
}

HWND FindHwnd(const std::string& text) {
  Search search{platform::WideFromGbk(text)};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int32_t PrintReport(int32_t code, const char* details) {
  std::fprintf(stderr, "report %d: %s\n", code, details);
  std::fflush(stderr);
  return 1;
}

}  // namespace

ViewState Find(const std::string& text) {
  ViewState state;
  HWND hwnd = FindHwnd(text);
  if (!hwnd) return state;
  state.found = true;
  state.visible = IsWindowVisible(hwnd) != 0;
  state.enabled = IsWindowEnabled(hwnd) != 0;
  RECT rect;
  GetWindowRect(hwnd, &rect);
  state.width = rect.right - rect.left;
  state.maximiseBox = (GetWindowLongW(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX) != 0;
  return state;
}

void Click(const std::string& text) {
  HWND button = FindHwnd(text);
  // A disabled control takes no clicks.
  if (button && IsWindowEnabled(button) && IsWindowVisible(button))
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void Close(const std::string& text) {
  if (HWND window = FindHwnd(text)) PostMessageW(window, WM_CLOSE, 0, 0);
}

void Settle() { rt::SystemRequest(rt::kRequestProcessMessages, 0, 0); }
void Reset() {}
void QuietReports() { rt::SetErrorHandler(PrintReport); }
// A 32-bit process cannot get the 2 GB the tests ask for; a 64-bit one can, so there the
// system's refusal is played by the heap's own test hook.
void LimitHeap(size_t) {
  if (sizeof(void*) == 8) rt::RefuseHeapRequestsForTests(1);
}

}  // namespace testviews
