#include <gtest/gtest.h>

#include "runtime/command_impl.h"
#include "runtime/commands.h"

namespace {

TEST(CommandTable, HoldsEveryCommandInOrder) {
  for (int i = 0; i < rt::kCoreCommandCount; ++i) EXPECT_NE(rt::kCoreCommands[i], nullptr) << i;
  EXPECT_EQ(rt::kCoreCommands[rt::kCmdHexText], &rt::CmdHexText);
  EXPECT_EQ(rt::kCoreCommands[rt::kCmdReadFileBytes], &rt::CmdReadFileBytes);
  EXPECT_EQ(rt::kCoreCommands[rt::kCmdShiftLeft], &rt::CmdShiftLeft);
  rt::CommandArg args[] = {rt::ArgText("hello")};
  EXPECT_EQ(rt::CallCore(rt::kCmdTextLength, 1, args).value.words.low, 5);
}

}  // namespace
