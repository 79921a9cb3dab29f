// The message commands against real Win32 boxes: a helper thread finds the box,
// checks its buttons and presses OK, as a user would.
#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "runtime/command_wrappers.h"
#include "tests/own_dialog_win.h"

namespace {

namespace cmd = rt::cmd;

const wchar_t kInfoTitle[] = L"\u4FE1\u606F\uFF1A";  // 信息：

struct BoxSeen {
  std::atomic<int> buttons{-1};
  std::atomic<bool> found{false};
};

BOOL CALLBACK CountButton(HWND child, LPARAM counter) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  if (lstrcmpiW(cls, L"Button") == 0 && IsWindowVisible(child)) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

// Waits up to ten seconds for the box, records its buttons and presses OK.
void DismissBox(BoxSeen* seen) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    HWND box = test_win::FindOwnDialog(kInfoTitle);
    if (box) {
      int buttons = 0;
      EnumChildWindows(box, CountButton, reinterpret_cast<LPARAM>(&buttons));
      seen->buttons = buttons;
      seen->found = true;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

TEST(MessageCommands, ShowMessageWithOneOkButton) {
  wchar_t display[8];
  if (GetEnvironmentVariableW(L"DISPLAY", display, 8) == 0) GTEST_SKIP() << "no display";
  BoxSeen seen;
  std::thread helper(DismissBox, &seen);
  int32_t answer = cmd::ShowMessage("解析完成", 0);
  helper.join();
  EXPECT_TRUE(seen.found);
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_EQ(answer, 0);
}

TEST(MessageCommands, ProcessPendingMessagesLeavesQuitQueued) {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // makes sure the thread has a queue
  PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
  cmd::ProcessPendingMessages();
  EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));

  PostQuitMessage(3);
  cmd::ProcessPendingMessages();
  ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
