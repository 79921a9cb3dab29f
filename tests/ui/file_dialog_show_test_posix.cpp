#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "heap/heap.h"
#include "runtime/command_impl.h"
#include "runtime/services.h"
#include "tests/ui/ui_program.h"
#include "ui/file_dialog.h"
#include "ui/special_folder.h"

namespace {

using uitest::kOpenDialog;
using uitest::kSaveDialog;
using uitest::kWindow;

class ShowFileDialog : public ::testing::Test {
 protected:
  void SetUp() override { uitest::Start(); }
  void TearDown() override {
    ui::SetFileDialogAnswer(nullptr);
    uitest::Stop();
  }
  bool Show(rt::ComponentId dialog) {
    rt::CommandArg args[1] = {rt::ArgComponent(kWindow, dialog, rt::kComponentFileDialog)};
    return rt::Services().CallCoreCommand(&rt::CmdShowFileDialog, 1, args).value.words.low == 1;
  }
  std::string FileName(rt::ComponentId dialog) {
    rt::OwnedText text(static_cast<char*>(
        rt::WordsPointer(rt::Services().ReadComponentProperty(kWindow, dialog, 10, -1))));
    return rt::TextToString(text.get());
  }
  int64_t ChosenFilter(rt::ComponentId dialog) {
    return rt::Services().ReadComponentProperty(kWindow, dialog, 8 + ui::kDialogChosenFilter, -1);
  }
  void SetFileName(rt::ComponentId dialog, const char* name) {
    int32_t low, high;
    rt::PointerWords(name, &low, &high);
    rt::Services().WriteComponentProperty(kWindow, dialog, 10, -1, low, high);
  }
};

TEST_F(ShowFileDialog, TheOpenDialogSeesItsPropertiesAndLeavesTheChoice) {
  SetFileName(kOpenDialog, "draft.json");
  ui::FileDialogRequest seen;
  ui::SetFileDialogAnswer([&](const ui::FileDialogRequest& r, ui::FileDialogChoice* choice) {
    seen = r;
    choice->path = "Z:\\tmp\\x\\draft.json";
    return true;
  });
  EXPECT_TRUE(Show(kOpenDialog));
  EXPECT_FALSE(seen.save);
  EXPECT_EQ(seen.title, "打开JSON文件");
  EXPECT_EQ(seen.fileName, "draft.json");
  EXPECT_EQ(seen.filterIndex, 1u);
  EXPECT_EQ(seen.flags, 0x4u | 0x1000u | 0x2u | 0x800u);
  ASSERT_EQ(seen.FilterStrings().size(), 2u);
  EXPECT_EQ(seen.FilterStrings()[0], "JSON文件（*.json）");
  EXPECT_EQ(seen.FilterStrings()[1], "*.json");
  EXPECT_EQ(FileName(kOpenDialog), "Z:\\tmp\\x\\draft.json");

  // Cancelled, or with no answer at all, FileName keeps the last choice.
  ui::SetFileDialogAnswer([&](const ui::FileDialogRequest& r, ui::FileDialogChoice* choice) {
    seen = r;
    choice->path = "ignored";
    return false;
  });
  EXPECT_FALSE(Show(kOpenDialog));
  EXPECT_EQ(seen.fileName, "Z:\\tmp\\x\\draft.json");  // proposed again
  EXPECT_EQ(FileName(kOpenDialog), "Z:\\tmp\\x\\draft.json");
  ui::SetFileDialogAnswer(nullptr);
  EXPECT_FALSE(Show(kOpenDialog));
}

TEST_F(ShowFileDialog, TheSaveDialogAsksWithItsExtensionAndKeepsLongAnswersWhole) {
  ui::FileDialogRequest seen;
  ui::SetFileDialogAnswer([&](const ui::FileDialogRequest& r, ui::FileDialogChoice* choice) {
    seen = r;
    choice->path = std::string(400, 'a');
    return true;
  });
  EXPECT_TRUE(Show(kSaveDialog));
  EXPECT_TRUE(seen.save);
  EXPECT_EQ(seen.defaultExtension, "srt");
  EXPECT_EQ(seen.title, "保存srt文件");
  EXPECT_EQ(FileName(kSaveDialog), std::string(400, 'a'));
  EXPECT_EQ(ChosenFilter(kSaveDialog), 0);

  // The pair the user selected is reported as the 0-based ChosenFilter; a cancel keeps
  // the last one, and the next dialog still opens on InitialFilter.
  ui::SetFileDialogAnswer([&](const ui::FileDialogRequest& r, ui::FileDialogChoice* choice) {
    seen = r;
    choice->path = "Z:\\out.srt";
    choice->filterIndex = 2;
    return true;
  });
  EXPECT_TRUE(Show(kSaveDialog));
  EXPECT_EQ(ChosenFilter(kSaveDialog), 1);
  ui::SetFileDialogAnswer(nullptr);
  EXPECT_FALSE(Show(kSaveDialog));
  EXPECT_EQ(ChosenFilter(kSaveDialog), 1);
  ui::SetFileDialogAnswer([&](const ui::FileDialogRequest& r, ui::FileDialogChoice* choice) {
    seen = r;
    choice->path = "Z:\\out.srt";
    return true;
  });
  EXPECT_TRUE(Show(kSaveDialog));
  EXPECT_EQ(seen.filterIndex, 1u);
  EXPECT_EQ(ChosenFilter(kSaveDialog), 0);
  rt::Services().WriteComponentProperty(kWindow, kSaveDialog, 8 + ui::kDialogChosenFilter, -1, 5,
                                        0);
  EXPECT_EQ(ChosenFilter(kSaveDialog), 0);  // read only
  // The font and help modes show nothing.
  rt::Services().WriteComponentProperty(kWindow, kSaveDialog, 8, -1, 2, 0);
  seen = ui::FileDialogRequest();
  EXPECT_FALSE(Show(kSaveDialog));
  EXPECT_TRUE(seen.title.empty());
}

TEST(SpecialFolderStandIn, RoamingFolderComesFromTheEnvironment) {
  setenv("SUBVANE_APPDATA", "C:\\Users\\u\\AppData\\Roaming", 1);
  rt::OwnedText folder = ui::GetSpecialFolder(8);
  ASSERT_NE(folder.get(), nullptr);
  EXPECT_STREQ(folder.get(), "C:\\Users\\u\\AppData\\Roaming\\");
  setenv("TMPDIR", "T:\\temp\\", 1);
  EXPECT_STREQ(ui::GetSpecialFolder(11).get(), "T:\\temp\\");
  unsetenv("TMPDIR");
  unsetenv("SUBVANE_APPDATA");
}

}  // namespace
