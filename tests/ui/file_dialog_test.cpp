#include "ui/file_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>

#include "heap/heap.h"
#include "runtime/services.h"
#include "tests/ui/ui_program.h"
#include "ui/special_folder.h"
#include "ui/text_convert.h"

namespace {

using uitest::kOpenDialog;
using uitest::kSaveDialog;
using uitest::kWindow;

std::string Zeros(std::string s) {
  for (char& c : s) {
    if (c == '0') c = '\0';
  }
  return s;
}

TEST(FileDialogFilter, PairsBecomeZeroTerminatedStrings) {
  EXPECT_EQ(ui::PrepareFilter("JSON|*.json"), Zeros("JSON0*.json00"));
  EXPECT_EQ(ui::PrepareFilter("A|*.a||"), Zeros("A0*.a00"));
  EXPECT_EQ(ui::PrepareFilter("A|*.a|B|*.b \t\r\n"), Zeros("A0*.a0B0*.b00"));
  EXPECT_EQ(ui::PrepareFilter(""), "");
  EXPECT_EQ(ui::PrepareFilter("   "), "");
  // 0x7C after a lead byte is a trail byte, not a bar.
  std::string trail = "\x81|";
  EXPECT_EQ(ui::PrepareFilter(trail + "|*.x"), trail + Zeros("0*.x00"));
  EXPECT_EQ(ui::PrepareFilter(trail + "|"), trail + Zeros("000"));  // one real bar only
  ui::FileDialogRequest r;
  r.filter = ui::PrepareFilter("字幕文件（*.srt）|*.srt");
  ASSERT_EQ(r.FilterStrings().size(), 2u);
  EXPECT_EQ(r.FilterStrings()[0], "字幕文件（*.srt）");
  EXPECT_EQ(r.FilterStrings()[1], "*.srt");
}

// The name box follows the chosen file type only where its extension is one the dialog
// itself offers.
TEST(FileDialogFilter, TheOfferedNameFollowsTheChosenType) {
  const std::vector<std::u16string> patterns = {u"*.srt", u"*.srt", u"*.vtt", u"*.txt", u"*.*"};
  const struct {
    std::u16string name;
    size_t chosen;
    std::u16string followed;
  } cases[] = {
      {u"片名.srt", 2, u"片名.vtt"},
      {u"片名.SRT", 3, u"片名.txt"},
      {u"片名.vtt", 0, u"片名.srt"},
      {u"Vlog 1.5.srt", 2, u"Vlog 1.5.vtt"},
      {u"C:\\字幕\\片名.txt", 1, u"C:\\字幕\\片名.srt"},
      {u"片名", 2, u"片名"},            // the dialog adds the type's extension itself
      {u"notes.ass", 2, u"notes.ass"},  // not one of the dialog's: the user's choice
      {u"C:\\a.b\\片名", 2, u"C:\\a.b\\片名"},
      {u"片名.srt", 4, u"片名.srt"},  // "*.*" names no extension
      {u"片名.srt", 9, u"片名.srt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ui::NameForFileType(c.name, patterns, c.chosen), c.followed)
        << ui::Utf16ToUtf8(c.name) << " " << c.chosen;
}

// Wide texts replace the descriptions they give and leave the rest as stored; a dialog
// with one title keeps it for every type.
TEST(FileDialogRequest, WideTextsTakeThePlaceOfTheStoredOnes) {
  ui::FileDialogProperties p;
  p.filter = "甲|*.a|乙|*.b";
  ui::FileDialogRequest r = ui::PrepareFileDialogRequest(p);
  ui::AddWideTexts(r, {{u"Open"}, {u"ไฟล์ A"}});
  const char16_t kPartlyNamed[] = u"ไฟล์ A\0*.a\0乙\0*.b\0";
  EXPECT_EQ(r.wideFilter, std::u16string(kPartlyNamed, std::size(kPartlyNamed)));
  EXPECT_EQ(ui::TitleForFileType(r.wideTitles, 0), u"Open");
  EXPECT_EQ(ui::TitleForFileType(r.wideTitles, 1), u"Open");
  ui::AddWideTexts(r, {{u"Save a", u"Save b"}, {}});
  EXPECT_TRUE(r.wideFilter.empty());  // the stored filter shows
  EXPECT_EQ(ui::TitleForFileType(r.wideTitles, 1), u"Save b");
  EXPECT_EQ(ui::TitleForFileType(r.wideTitles, 2), u"");  // no title of its own: the stored one
  p.filter.clear();
  r = ui::PrepareFileDialogRequest(p);
  ui::AddWideTexts(r, {{}, {u"unused"}});
  EXPECT_TRUE(r.wideFilter.empty());
}

TEST(FileDialogRequest, FlagsCountOnlyWhenExactlyOneAndNamesAreNeverCut) {
  ui::FileDialogProperties p;
  ui::FileDialogRequest r = ui::PrepareFileDialogRequest(p);
  EXPECT_EQ(r.flags, 0x4u | 0x1000u | 0x2u | 0x800u);
  EXPECT_FALSE(r.save);
  EXPECT_EQ(r.filterIndex, 0u);  // no filter
  p.createPrompt = 1;
  p.noChangeFolder = 1;
  p.fileMustExist = 2;
  p.overwritePrompt = -1;
  p.pathMustExist = 0;
  p.dialogType = 3;
  p.filter = "a|*.a|b|*.b";
  p.initialFilter = 1;
  r = ui::PrepareFileDialogRequest(p);
  EXPECT_EQ(r.flags, 0x4u | 0x2000u | 0x8u);
  EXPECT_TRUE(r.save);
  EXPECT_EQ(r.filterIndex, 2u);

  // A proposed name is offered whole, however long: a cut one could be confirmed as it
  // stands and name another file.
  p.fileName = std::string(300, 'n');
  EXPECT_EQ(ui::PrepareFileDialogRequest(p).fileName, p.fileName);
  p.fileName = std::string(258, 'n') + "名";
  EXPECT_EQ(ui::PrepareFileDialogRequest(p).fileName, p.fileName);
}

class FileDialogComponent : public ::testing::Test {
 protected:
  void SetUp() override { uitest::Start(); }
  void TearDown() override { uitest::Stop(); }

  int64_t Read(rt::ComponentId dialog, int32_t n) {
    return rt::Services().ReadComponentProperty(kWindow, dialog, 8 + n, -1);
  }
  std::string ReadText(rt::ComponentId dialog, int32_t n) {
    rt::OwnedText text(static_cast<char*>(rt::WordsPointer(Read(dialog, n))));
    return rt::TextToString(text.get());
  }
  void Write(rt::ComponentId dialog, int32_t n, int32_t value) {
    rt::Services().WriteComponentProperty(kWindow, dialog, 8 + n, -1, value, 0);
  }
  void WriteText(rt::ComponentId dialog, int32_t n, const char* text) {
    int32_t low, high;
    rt::PointerWords(text, &low, &high);
    rt::Services().WriteComponentProperty(kWindow, dialog, 8 + n, -1, low, high);
  }
};

TEST_F(FileDialogComponent, PropertiesComeFromTheTemplateAndClampWhenWritten) {
  EXPECT_EQ(ReadText(kOpenDialog, ui::kDialogTitle), "打开JSON文件");
  EXPECT_EQ(ReadText(kSaveDialog, ui::kDialogDefaultExtension), "srt");
  EXPECT_EQ(Read(kSaveDialog, ui::kDialogType), 1);
  EXPECT_EQ(Read(kOpenDialog, ui::kDialogFileMustExist), 1);
  EXPECT_EQ(Read(kOpenDialog, ui::kDialogFileName), 0);  // the empty text is null
  Write(kOpenDialog, ui::kDialogInitialFilter, -5);
  EXPECT_EQ(Read(kOpenDialog, ui::kDialogInitialFilter), 0);
  Write(kOpenDialog, ui::kDialogType, 7);
  EXPECT_EQ(Read(kOpenDialog, ui::kDialogType), 3);
  Write(kOpenDialog, ui::kDialogType, -2);
  EXPECT_EQ(Read(kOpenDialog, ui::kDialogType), 0);
  Write(kOpenDialog, ui::kDialogOverwritePrompt, 5);  // stored as it is
  EXPECT_EQ(Read(kOpenDialog, ui::kDialogOverwritePrompt), 5);
  std::string name = "draft.json";
  WriteText(kOpenDialog, ui::kDialogFileName, name.c_str());
  name[0] = 'X';  // the property holds its own copy
  EXPECT_EQ(ReadText(kOpenDialog, ui::kDialogFileName), "draft.json");
  WriteText(kOpenDialog, ui::kDialogFileName, nullptr);
  EXPECT_EQ(ReadText(kOpenDialog, ui::kDialogFileName), "");
  EXPECT_EQ(Read(kOpenDialog, 12), 0);  // the font and help modes' properties
}

// The two paths keep every character; the runtime's property still speaks code page 936.
TEST_F(FileDialogComponent, PathsKeepEveryCharacterAndReadInCodePage936) {
  const std::string vietnamese = u8"C:\\Users\\Nguyễn Văn An\\Phụ đề tập 1\\草稿.json";
  const std::string thai = u8"\\\\server\\คำบรรยาย\\";
  ui::SetDialogPathUtf8(kWindow, kOpenDialog, ui::kDialogFileName, vietnamese);
  ui::SetDialogPathUtf8(kWindow, kOpenDialog, ui::kDialogInitialFolder, thai);
  EXPECT_EQ(ui::DialogPathUtf8(kWindow, kOpenDialog, ui::kDialogFileName), vietnamese);
  EXPECT_EQ(ui::DialogPathUtf8(kWindow, kOpenDialog, ui::kDialogInitialFolder), thai);
  EXPECT_EQ(ReadText(kOpenDialog, ui::kDialogFileName), ui::Utf8ToCp936(vietnamese));
  EXPECT_EQ(ReadText(kOpenDialog, ui::kDialogInitialFolder), "\\\\server\\????????\\");
  // A write in code page 936 sets the path; other properties are no paths.
  WriteText(kOpenDialog, ui::kDialogFileName, "D:\\字幕\\a.json");
  EXPECT_EQ(ui::DialogPathUtf8(kWindow, kOpenDialog, ui::kDialogFileName), u8"D:\\字幕\\a.json");
  ui::SetDialogPathUtf8(kWindow, kOpenDialog, ui::kDialogTitle, thai);
  EXPECT_EQ(ReadText(kOpenDialog, ui::kDialogTitle), "打开JSON文件");
  EXPECT_EQ(ui::DialogPathUtf8(kWindow, kOpenDialog, ui::kDialogTitle), "");
}

TEST(SpecialFolder, KindsOutsideTheRangeAreEmptyAndPathsEndInOneBackslash) {
  EXPECT_EQ(ui::GetSpecialFolder(0).get(), nullptr);
  EXPECT_EQ(ui::GetSpecialFolder(12).get(), nullptr);
  EXPECT_EQ(ui::GetSpecialFolder(-1).get(), nullptr);
  rt::OwnedText temp = ui::GetSpecialFolder(11);
  ASSERT_NE(temp.get(), nullptr);
  std::string path = temp.get();
  ASSERT_GE(path.size(), 2u);
  EXPECT_EQ(path.back(), '\\');
  EXPECT_NE(path[path.size() - 2], '\\');
  for (int kind = 1; kind <= 11; ++kind) {
    rt::OwnedText folder = ui::GetSpecialFolder(kind);
    if (folder) {
      EXPECT_EQ(std::string(folder.get()).back(), '\\') << kind;
    }
  }
  EXPECT_EQ(ui::WithTrailingBackslash("C:\\x\\"), "C:\\x\\");
  EXPECT_EQ(ui::WithTrailingBackslash(""), "");
  // 0x5C as the trail byte of a double-byte character is no backslash.
  EXPECT_EQ(ui::WithTrailingBackslash("C:\\\x95\x5C"), "C:\\\x95\x5C\\");
  std::string full(259, 'p');
  EXPECT_EQ(ui::WithTrailingBackslash(full), full);  // no room left in the buffer
}

}  // namespace
