// The real common dialog under Wine, answered by a second thread the way a user would:
// a name put into the dialog's name box and OK pressed. A chosen name is used whole or
// refused with a message, never cut or changed.
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

TEST(FileDialogWindows, ANameIsUsedWholeOrRefusedWithAMessage) {
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
  EXPECT_EQ(chosen, ui::Utf16ToCp936(ui::WideText(longName.begin(), longName.end())));
  EXPECT_GT(chosen.size(), 259u);
  EXPECT_TRUE(message.empty());

  // A character code page 936 lacks would turn into another name: refused, with a reason.
  chosen = "kept";
  EXPECT_FALSE(Choose(std::wstring(temp) + L"\x00c0\x0e01.srt", &chosen, &message));
  EXPECT_EQ(chosen, "kept");
  EXPECT_EQ(message, Wide(ui::kFileNameNotRepresentableMessage));
  // (A name longer than the platform's path limit, which Windows refuses with
  // FNERR_BUFFERTOOSMALL, cannot be tried here: Wine's own dialog fails on it.)
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
