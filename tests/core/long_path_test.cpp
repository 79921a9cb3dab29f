#include "platform/long_path.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/system.h"
#include "platform/text_encoding.h"

namespace {

// A folder name of `n` units, so that a test path reaches a chosen length.
std::u16string Part(size_t n) { return std::u16string(n, u'a'); }

TEST(ExtendedLengthPath, OnlyLongAbsolutePathsTakeTheExtendedForm) {
  const std::u16string x = Part(300);
  // "C:\" + y is one unit short of the limit; with a separator added it reaches it.
  const std::u16string y = Part(platform::kOrdinaryPathLimit - 4);
  struct Case {
    std::u16string path, expected;
  } cases[] = {
      // Short paths, however written, are the system's to read.
      {u"C:\\a\\..\\b", u"C:\\a\\..\\b"},
      {u"C:/a/b.json", u"C:/a/b.json"},
      {u"C:\\" + y, u"C:\\" + y},
      // At the limit and beyond: drive paths, with separators and dots settled.
      {u"C:\\" + y + u"\\", u"\\\\?\\C:\\" + y + u"\\"},
      {u"d:/" + x + u"/file.srt", u"\\\\?\\d:\\" + x + u"\\file.srt"},
      {u"C:\\" + x + u"\\.\\sub\\..\\\\f.srt", u"\\\\?\\C:\\" + x + u"\\f.srt"},
      {u"C:\\..\\..\\" + x, u"\\\\?\\C:\\" + x},
      // Network paths: ".." never climbs above the share.
      {u"\\\\server\\share\\" + x, u"\\\\?\\UNC\\server\\share\\" + x},
      {u"//server/share/../../" + x, u"\\\\?\\UNC\\server\\share\\" + x},
      // Relative, drive-relative and rooted paths depend on the process: unchanged.
      {x + u"\\f.srt", x + u"\\f.srt"},
      {u"C:" + x, u"C:" + x},
      {u"\\" + x, u"\\" + x},
      // Already in a form of the system's own, or a server without a share.
      {u"\\\\?\\C:\\" + x, u"\\\\?\\C:\\" + x},
      {u"\\\\.\\pipe\\" + x, u"\\\\.\\pipe\\" + x},
      {u"\\\\" + x, u"\\\\" + x},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ExtendedLengthPath(c.path), c.expected) << platform::Utf16ToUtf8(c.path);
  }
}

// The core's file functions at a path over 300 characters whose every part holds
// characters outside code page 936: under Wine these are the real Win32 calls.
TEST(ExtendedLengthPath, TheCoresFileFunctionsWorkAtAnyLengthAndWithAnyCharacter) {
  namespace fs = std::filesystem;
  std::string base = core::FullPath(fs::temp_directory_path().string());
  char separator = core::PathSeparator();
  if (!core::IsPathSeparator(base.back())) base += separator;
  std::string root = base + u8"subvane-long-Nguyễn Văn An";
  std::error_code ignored;
  fs::remove_all(fs::u8path(root), ignored);
  std::string folder = root;
  for (const char* part : {u8"Phụ đề tập 1", u8"คำบรรยาย", u8"자막", u8"ترجمة"})
    folder += separator + std::string(part) + std::string(60, 'x');
  ASSERT_GT(platform::Utf8ToUtf16(folder).size(), 300u);
  ASSERT_TRUE(core::MakeFolders(folder));
  std::string file = folder + separator + u8"bản nháp.json";
  std::string reason;
  ASSERT_TRUE(core::WriteFileAtomically(file, "{}", reason)) << reason;
  ASSERT_TRUE(core::WriteFileAtomically(file, "{\"a\":1}", reason)) << reason;
  EXPECT_EQ(core::StatPath(file), core::PathKind::kFile);
  EXPECT_EQ(core::FileSizeOf(file), 7);
  std::string bytes;
  EXPECT_EQ(core::ReadWholeFile(file, bytes, reason), core::ReadResult::kOk) << reason;
  EXPECT_EQ(bytes, "{\"a\":1}");
  size_t cut = folder.rfind(separator);
  std::vector<std::string> listed = core::ListFolders(folder.substr(0, cut));
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0], folder.substr(cut + 1));
  fs::remove_all(fs::u8path(root), ignored);
}

}  // namespace
