#include "runtime/report.h"

#include <gtest/gtest.h>

#include "tests/runtime/test_program.h"
#include "tests/runtime/test_views.h"

namespace {

TEST(ReportText, WorkedExamplesByteForByte) {
  EXPECT_EQ(rt::ReportText(rt::RuntimeErrorMessage(6), 6, 67188094, 271),
            u"运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n"
            u"\r\n67188094, 271\r\n");
  EXPECT_EQ(rt::ReportText(u"分配 100 字节内存失败!", 0, 0, 0),
            u"运行时出错!\r\n\r\n错误信息：分配 100 字节内存失败!\r\n\r\n0, 0\r\n");
  // Neither a code nor a message: only the place block follows.
  EXPECT_EQ(rt::ReportText(u"", 0, -1, 2), u"运行时出错!\r\n\r\n-1, 2\r\n");
  EXPECT_EQ(std::u16string(rt::RuntimeErrorMessage(0)), u"");
  EXPECT_EQ(std::u16string(rt::RuntimeErrorMessage(12)), u"");
  EXPECT_EQ(std::u16string(rt::RuntimeErrorMessage(11)), u"所提供参数的数据类型不符合要求");
}

TEST(ReportPlace, NamesTheWindowAndItsComponent) {
  testprog::Start();
  const int32_t window = testprog::kWindow;
  EXPECT_EQ(rt::ReportPlaceBlock(window, 0),
            u"\r\n1375797249, 0\r\n\"启动窗口\"\r\n未找到所指定的窗口组件\r\n");
  EXPECT_EQ(rt::ReportPlaceBlock(window, testprog::kSecondButton),
            u"\r\n1375797249, 1442906115\r\n\"启动窗口\"\r\n\"导出按钮\"\r\n");
  EXPECT_EQ(rt::ReportPlaceBlock(0x52010007, 0), u"\r\n1375797255, 0\r\n未找到所指定的窗口\r\n");
  // Places of other kinds (a unit of code) name nothing.
  EXPECT_EQ(rt::ReportPlaceBlock(0x04010000, 3), u"\r\n67174400, 3\r\n");
}

int32_t SilentHandler(int32_t code, const char* details) {
  std::fprintf(stderr, "handler %d [%s]", code, details);
  return 1;
}

TEST(ReportDeathTest, AnInstalledHandlerReceivesTheDetailsAndSuppressesTheBox) {
  EXPECT_EXIT(
      {
        rt::SetErrorHandler(SilentHandler);
        rt::ReportRuntimeError(4, 0, 0);
      },
      ::testing::ExitedWithCode(testviews::kFatalExitStatus),
      "^handler 4 \\[数组成员引用下标必须大于等于1\r\n0, 0\r\n\\]$");
}

}  // namespace
