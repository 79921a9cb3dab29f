// The real common dialog under Wine, answered by a second thread the way a user would:
// a name put into the dialog's name box and OK pressed. A chosen name is used whole,
// never cut or changed.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "tests/own_dialog_win.h"
#include "ui/file_dialog.h"
#include "ui/text_convert.h"

namespace {

// The visible dialog or box of this process with this title, polled until a deadline.
HWND WaitForWindow(const std::wstring& title) {
  const DWORD deadline = GetTickCount() + 20000;
  while (GetTickCount() < deadline) {
    HWND window = test_win::FindOwnDialog(title.c_str());
    if (window) return window;
    Sleep(20);
  }
  return nullptr;
}

BOOL CALLBACK FindEdit(HWND window, LPARAM found) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  if (lstrcmpiW(name, L"Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The file dialog's name box: an edit control of its own or the edit inside a combo box.
HWND NameBox(HWND dialog) {
  for (int id : {cmb13, edt1}) {
    HWND box = GetDlgItem(dialog, id);
    if (!box) continue;
    HWND edit = nullptr;
    EnumChildWindows(box, FindEdit, reinterpret_cast<LPARAM>(&edit));
    return edit ? edit : box;
  }
  return nullptr;
}

std::wstring TextOf(HWND box) {
  std::wstring all;
  for (HWND child = FindWindowExW(box, nullptr, L"Static", nullptr); child;
       child = FindWindowExW(box, child, L"Static", nullptr)) {
    wchar_t text[512] = L"";
    GetWindowTextW(child, text, 512);
    all += text;
  }
  return all;
}

std::wstring Wide(const std::string& cp936) {
  ui::WideText w = ui::Cp936ToUtf16(cp936);
  return std::wstring(w.begin(), w.end());
}

// Shows the save dialog, confirms `name` in it from another thread, and dismisses a
// message box that follows; its text comes back in `message`.
bool Choose(const std::wstring& name, std::string* chosen, std::wstring* message) {
  ui::FileDialogChoice choice;
  ui::FileDialogRequest request;
  request.save = true;
  request.flags = ui::kOfnHideReadOnly | ui::kOfnPathMustExist | ui::kOfnOverwritePrompt;
  request.title = "保存srt文件";
  std::thread user([&] {
    HWND dialog = WaitForWindow(Wide(request.title));
    if (!dialog) return;
    HWND nameBox = NameBox(dialog);
    SendMessageW(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    // A refusal shows a box once the dialog has gone; a choice that is used shows none.
    const DWORD deadline = GetTickCount() + 20000;
    while (GetTickCount() < deadline && IsWindow(dialog)) Sleep(20);
    const DWORD settle = GetTickCount() + 3000;
    while (GetTickCount() < settle) {
      HWND box = test_win::FindOwnDialog(Wide("信息：").c_str());
      if (box) {
        *message = TextOf(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return;
      }
      Sleep(20);
    }
  });
  bool confirmed = ui::RunFileDialog(request, nullptr, &choice);
  user.join();
  if (confirmed) *chosen = choice.path;
  return confirmed;
}

std::string Utf8(const std::wstring& wide) {
  return ui::Utf16ToUtf8(ui::WideText(wide.begin(), wide.end()));
}

TEST(FileDialogWindows, ANameIsUsedWholeWhateverItsCharacters) {
  wchar_t display[8];
  if (GetEnvironmentVariableW(L"DISPLAY", display, 8) == 0) GTEST_SKIP() << "no display";
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  // A folder of 80 Chinese characters and a name of 40: 265 bytes in code page 936,
  // more than the 259 an ANSI dialog would hold, well within the platform's limit.
  std::wstring folder = std::wstring(temp) + std::wstring(80, L'\x5b57');
  const DWORD made = CreateDirectoryW(folder.c_str(), nullptr) ? 0 : GetLastError();
  ASSERT_TRUE(made == 0 || made == ERROR_ALREADY_EXISTS) << made;
  const std::wstring longName = folder + L"\\" + std::wstring(40, L'\x5e55') + L".srt";
  std::string chosen;
  std::wstring message;
  ASSERT_TRUE(Choose(longName, &chosen, &message));
  EXPECT_EQ(chosen, Utf8(longName));
  EXPECT_TRUE(message.empty());

  // Characters that code page 936 lacks (Vietnamese, Thai) come back as they are.
  const std::wstring thai = std::wstring(temp) + L"Ph\x1ee5 \x0111\x1ec1 \x0e04\x0e33.srt";
  ASSERT_TRUE(Choose(thai, &chosen, &message));
  EXPECT_EQ(chosen, Utf8(thai));
  EXPECT_TRUE(message.empty());
  // (A name longer than the platform's path limit, which Windows refuses with
  // FNERR_BUFFERTOOSMALL, cannot be tried here: Wine's own dialog fails on it.)
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
