// Lists the visible top-level windows of the session and their controls, one line
// each, in UTF-8, for the GUI tests that drive the program from outside:
//   W <hwnd> <class> <title> <enabled> <left,top,right,bottom>
//   C <parent hwnd> <hwnd> <class> <text> <enabled> <visible> <left,top,right,bottom>
//     and, for an edit box, <what it holds>
// With "--clipboard TEXT" it puts TEXT on the clipboard instead, for a drive to paste what
// xdotool cannot type reliably (scripts beyond the keyboard's, paths of any length).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(bytes > 0 ? bytes - 1 : 0, '\0');
  if (bytes > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), bytes, nullptr, nullptr);
  for (char& c : out)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return out;
}

std::string Describe(HWND hwnd) {
  wchar_t className[128] = L"", text[1024] = L"";
  GetClassNameW(hwnd, className, 128);
  // Reads the stored text without sending a message: a busy window cannot stall the probe.
  InternalGetWindowText(hwnd, text, 1024);
  RECT r;
  GetWindowRect(hwnd, &r);
  char place[64];
  std::snprintf(place, sizeof place, "%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
  return Utf8(className) + "\t" + Utf8(text) + "\t" + (IsWindowEnabled(hwnd) ? "1" : "0") + "\t" +
         (IsWindowVisible(hwnd) ? "1" : "0") + "\t" + place;
}

// What an edit box holds, which its stored window text does not follow; asked with a
// deadline, so that a busy window cannot stall the probe.
std::string EditContents(HWND hwnd) {
  wchar_t className[16] = L"";
  GetClassNameW(hwnd, className, 16);
  if (lstrcmpiW(className, L"Edit") != 0) return "";
  wchar_t text[4096] = L"";
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                           500, &copied)) {
    return "";
  }
  return "\t" + Utf8(text);
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM parent) {
  std::printf("C\t%lu\t%lu\t%s%s\n", static_cast<unsigned long>(parent),
              static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd)), Describe(hwnd).c_str(),
              EditContents(hwnd).c_str());
  return TRUE;
}

BOOL CALLBACK PrintTopLevel(HWND hwnd, LPARAM) {
  if (!IsWindowVisible(hwnd)) return TRUE;
  auto id = static_cast<unsigned long>(reinterpret_cast<uintptr_t>(hwnd));
  std::printf("W\t%lu\t%s\n", id, Describe(hwnd).c_str());
  EnumChildWindows(hwnd, PrintChild, static_cast<LPARAM>(id));
  return TRUE;
}

// Puts `text` on the clipboard as Unicode text; false when the clipboard refused it.
bool PutOnClipboard(const wchar_t* text) {
  // The clipboard takes data only from a window that owns it; the data stays once the
  // window is gone.
  HWND owner =
      CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!owner || !OpenClipboard(owner)) return false;
  size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool put = false;
  if (block) {
    std::memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    put = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, block);
    if (!put) GlobalFree(block);
  }
  CloseClipboard();
  DestroyWindow(owner);
  return put;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && wcscmp(argv[1], L"--clipboard") == 0) return PutOnClipboard(argv[2]) ? 0 : 1;
  EnumWindows(PrintTopLevel, 0);
  std::fflush(stdout);
  return 0;
}
