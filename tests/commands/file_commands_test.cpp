#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/platform.h"
#include "runtime/command_wrappers.h"
#include "runtime/commands.h"

namespace {

namespace cmd = rt::cmd;
namespace fs = std::filesystem;

// A fresh folder for one test, removed afterwards.
class FileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() / (std::string("subvane-files-") + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  std::string Path(const char* name) const { return (dir_ / name).string(); }
  void Put(const char* name, const std::string& content) const {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  std::string Get(const char* name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path dir_;
};

std::string BytesStr(const rt::OwnedBytes& b) {
  if (!b) return std::string();
  return std::string(reinterpret_cast<const char*>(rt::BytesData(b.get())),
                     static_cast<size_t>(rt::BytesLength(b.get())));
}

TEST_F(FileCommands, ReadFileBytes) {
  EXPECT_EQ(cmd::ReadFileBytes(""), nullptr);
  EXPECT_EQ(cmd::ReadFileBytes(Path("missing.json").c_str()), nullptr);
  Put("empty.json", "");
  EXPECT_EQ(cmd::ReadFileBytes(Path("empty.json").c_str()), nullptr);
  std::string content("{\"a\":\"\xE4\xB8\xAD\"}\r\n\0tail", 17);
  Put("draft.json", content);
  rt::OwnedBytes bytes = cmd::ReadFileBytes(Path("draft.json").c_str());
  EXPECT_EQ(BytesStr(bytes), content);
  EXPECT_EQ(cmd::ReadFileBytes(dir_.string().c_str()), nullptr);  // a folder
}

TEST_F(FileCommands, OpenModesAndSharing) {
  std::string name = Path("out.srt");
  // Refused arguments leave the file system alone.
  EXPECT_EQ(cmd::OpenFile("", 4), 0);
  EXPECT_EQ(cmd::OpenFile(name.c_str(), 0), 0);
  EXPECT_EQ(cmd::OpenFile(name.c_str(), 7), 0);
  EXPECT_EQ(cmd::OpenFile(name.c_str(), 4, 0), 0);
  EXPECT_EQ(cmd::OpenFile(name.c_str(), 4, 5), 0);
  EXPECT_FALSE(fs::exists(name));
  for (int mode = 1; mode <= 3; ++mode) EXPECT_EQ(cmd::OpenFile(name.c_str(), mode), 0) << mode;
  EXPECT_FALSE(fs::exists(name));

  Put("out.srt", "old contents");
  int32_t file = cmd::OpenFile(name.c_str(), 4);
  ASSERT_NE(file, 0);
  EXPECT_EQ(fs::file_size(name), 0u);
  EXPECT_TRUE(cmd::WriteFileText(file, "1\r\n"));
  EXPECT_TRUE(rt::CloseFile(file));
  EXPECT_FALSE(rt::CloseFile(file));
  EXPECT_EQ(Get("out.srt"), "1\r\n");

  // Mode 5 keeps what is there and writes from the start.
  Put("keep.txt", "abcdef");
  file = cmd::OpenFile(Path("keep.txt").c_str(), 5);
  ASSERT_NE(file, 0);
  EXPECT_TRUE(cmd::WriteFileText(file, "XY"));
  rt::CloseFile(file);
  EXPECT_EQ(Get("keep.txt"), "XYcdef");
  file = cmd::OpenFile(Path("new.txt").c_str(), 6);
  ASSERT_NE(file, 0);
  rt::CloseFile(file);
  EXPECT_TRUE(fs::exists(Path("new.txt")));

  // Both with sharing 1: both succeed. A file opened denying everything refuses another.
  int32_t first = cmd::OpenFile(name.c_str(), 3, 1);
  int32_t second = cmd::OpenFile(name.c_str(), 3, 1);
  EXPECT_NE(first, 0);
  EXPECT_NE(second, 0);
  EXPECT_NE(first, second);
  rt::CloseFile(first);
  rt::CloseFile(second);
  int32_t exclusive = cmd::OpenFile(name.c_str(), 1, 4);
  ASSERT_NE(exclusive, 0);
  EXPECT_EQ(cmd::OpenFile(name.c_str(), 1, 1), 0);
  EXPECT_EQ(cmd::ReadFileBytes(name.c_str()), nullptr);
  rt::CloseFile(exclusive);
  int32_t reader = cmd::OpenFile(name.c_str(), 1, 3);  // others may not write
  ASSERT_NE(reader, 0);
  EXPECT_EQ(cmd::OpenFile(name.c_str(), 4, 1), 0);
  EXPECT_EQ(Get("out.srt"), "1\r\n");  // the refused mode 4 truncated nothing
  EXPECT_EQ(BytesStr(cmd::ReadFileBytes(name.c_str())), "1\r\n");
  rt::CloseFile(reader);
}

TEST_F(FileCommands, WriteFileText) {
  EXPECT_FALSE(cmd::WriteFileText(0, "x"));
  EXPECT_FALSE(cmd::WriteFileText(123456, "x"));

  std::string name = Path("out.srt");
  int32_t file = cmd::OpenFile(name.c_str(), 4);
  ASSERT_NE(file, 0);
  EXPECT_TRUE(cmd::WriteFileText(file, ""));
  EXPECT_EQ(fs::file_size(name), 0u);

  // Several values, each by the value-to-text rule; byte arrays write nothing.
  rt::OwnedBytes bytes(rt::NewBytes("zz", 2));
  rt::CommandArg args[] = {rt::ArgInt(file),          rt::ArgInt(42),    rt::ArgText("x"),
                           rt::ArgBytes(bytes.get()), rt::ArgBool(true), rt::ArgDouble(0.5)};
  EXPECT_EQ(rt::Services().CallCoreCommand(rt::CmdWriteFileText, 6, args).value.words.low, 1);
  rt::CloseFile(file);
  EXPECT_EQ(Get("out.srt"), "42x真0.5");
  EXPECT_FALSE(cmd::WriteFileText(file, "after close"));

  // A file opened for reading cannot be written: false, and nothing changes.
  int32_t reader = cmd::OpenFile(name.c_str(), 1);
  ASSERT_NE(reader, 0);
  EXPECT_FALSE(cmd::WriteFileText(reader, "more"));
  rt::CloseFile(reader);
  EXPECT_EQ(Get("out.srt"), "42x真0.5");
}

// The export's way of writing: beside the file, then in its place once complete.
TEST_F(FileCommands, WritingReplacingPutsAllBytesInPlaceOrNothing) {
  Put("out.srt", "the old file");
  ASSERT_TRUE(platform::FileWriteReplacing(Path("out.srt").c_str(), "new", 3));
  EXPECT_EQ(Get("out.srt"), "new");
  ASSERT_TRUE(platform::FileWriteReplacing(Path("empty.srt").c_str(), "", 0));
  EXPECT_EQ(Get("empty.srt"), "");

  fs::create_directory(dir_ / "folder");
  EXPECT_FALSE(platform::FileWriteReplacing(Path("folder").c_str(), "x", 1));
  EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
  const std::string missing = (dir_ / "missing" / "out.srt").string();
  EXPECT_FALSE(platform::FileWriteReplacing(missing.c_str(), "x", 1));
  EXPECT_FALSE(platform::FileWriteReplacing("", "x", 1));
  // No temporary file is left behind, whether the write succeeded or not.
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) entries += entry.path().empty() ? 0 : 1;
  EXPECT_EQ(entries, 3);
}

}  // namespace
