#include "core/global_setting.h"

#include <gtest/gtest.h>

namespace {

TEST(GlobalSetting, CustomDraftFolderFromTheGeneralSection) {
  // As the editor writes it on Windows: Qt's INI form, backslashes doubled, CR LF.
  const char windows[] =
      "[Other]\r\ncurrentCustomDraftPath=C:\\\\wrong\r\n"
      "[General]\r\n"
      "lastOpenPath=D:\\\\videos\r\n"
      "currentCustomDraftPath = D:\\\\Drafts\\\\CapCut \r\n"
      "[Later]\r\n";
  EXPECT_EQ(core::CustomDraftFolderOf(windows), "D:\\Drafts\\CapCut");

  // Quoted values, \x escapes for characters beyond ASCII, a byte-order mark, any case.
  EXPECT_EQ(core::CustomDraftFolderOf("\xEF\xBB\xBF[general]\ncurrentcustomdraftpath="
                                      "\"E:/\\x526a\\x6620, drafts\"\n"),
            u8"E:/剪映, drafts");
  EXPECT_EQ(core::CustomDraftFolderOf(u8"[General]\ncurrentCustomDraftPath=/Users/me/剪映\n"),
            u8"/Users/me/剪映");
  EXPECT_EQ(core::CustomDraftFolderOf("[General]\ncurrentCustomDraftPath=\\xd83d\\xde00\n"),
            "\xF0\x9F\x98\x80");

  EXPECT_EQ(core::CustomDraftFolderOf("[General]\ncurrentCustomDraftPath=\n"), "");
  EXPECT_EQ(core::CustomDraftFolderOf("currentCustomDraftPath=C:/outside\n[General]\n"), "");
  EXPECT_EQ(core::CustomDraftFolderOf(""), "");
  EXPECT_EQ(core::CustomDraftFolderOf("[General"), "");
}

}  // namespace
