// The message commands against the Linux stand-in, which lets the test answer boxes.
#include <gtest/gtest.h>

#include <string>

#include "platform/posix/standin.h"
#include "runtime/command_wrappers.h"

namespace {

namespace cmd = rt::cmd;
namespace standin = platform::standin;

TEST(MessageCommands, ShowMessage) {
  standin::Reset();
  standin::SetMessageBoxResponder([](const standin::MessageBoxCall&) { return 1; });
  EXPECT_EQ(cmd::ShowMessage("解析完成", 0), 0);
  ASSERT_EQ(standin::MessageBoxes().size(), 1u);
  EXPECT_EQ(standin::MessageBoxes()[0].text, "解析完成");
  EXPECT_EQ(standin::MessageBoxes()[0].title, "信息：");
  EXPECT_EQ(standin::MessageBoxes()[0].flags, 0x2000u);  // one OK button, task-modal

  // System-modal boxes stay so; the title and the answer pass through.
  standin::SetMessageBoxResponder([](const standin::MessageBoxCall&) { return 7; });
  EXPECT_EQ(cmd::ShowMessage("q", 0x1004, "标题"), 6);
  EXPECT_EQ(standin::MessageBoxes()[1].flags, 0x1004u);
  EXPECT_EQ(standin::MessageBoxes()[1].title, "标题");
  for (int button = 1; button <= 7; ++button) {
    standin::SetMessageBoxResponder([button](const standin::MessageBoxCall&) { return button; });
    EXPECT_EQ(cmd::ShowMessage("b", 3), button - 1);
  }
  // A box that could not be shown is not reported as a press of OK.
  standin::SetMessageBoxResponder([](const standin::MessageBoxCall&) { return 0; });
  EXPECT_EQ(cmd::ShowMessage("gone", 0), -1);

  // The message is any value, by the value-to-text rule.
  standin::SetMessageBoxResponder([](const standin::MessageBoxCall&) { return 1; });
  rt::CommandArg args[] = {rt::ArgInt(20000), rt::ArgInt(0), rt::ArgNone(), rt::ArgNone()};
  rt::Services().CallCoreCommand(rt::CmdShowMessage, 4, args);
  EXPECT_EQ(standin::MessageBoxes().back().text, "20000");
  standin::Reset();
}

int taskRuns = 0;
void CountTask(intptr_t) { ++taskRuns; }

TEST(MessageCommands, ProcessPendingMessagesLeavesQuitQueued) {
  standin::Reset();
  taskRuns = 0;
  platform::PostTask(CountTask, 0);
  platform::PostTask(CountTask, 0);
  cmd::ProcessPendingMessages();
  EXPECT_EQ(taskRuns, 2);
  EXPECT_FALSE(platform::MessageWaiting());

  platform::PostQuit(0);
  platform::PostTask(CountTask, 0);
  cmd::ProcessPendingMessages();
  EXPECT_EQ(taskRuns, 2);
  EXPECT_EQ(platform::PumpMessage(false, true), platform::PumpResult::Quit);
  standin::Reset();
}

}  // namespace
