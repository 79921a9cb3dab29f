#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "json/encoding.h"
#include "runtime/dll_commands.h"
#include "runtime/program.h"
#include "tests/cli/child_process.h"
#include "tests/real_drafts.h"

namespace {

namespace fs = std::filesystem;
using cli_test::ChildResult;

const char kSmallDraft[] =
    u8"{\"materials\":{\"texts\":[{\"id\":\"A\",\"content\":\"{\\\"text\\\":\\\"你好 😀\\\"}\"}]},"
    u8"\"tracks\":[{\"segments\":[{\"material_id\":\"A\",\"target_timerange\":"
    u8"{\"start\":0,\"duration\":1500000}}]}]}";
const char kSmallSrt[] = u8"1\r\n00:00:00,000 --> 00:00:01,500\r\n你好 😀\r\n\r\n";

std::string ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file << bytes;
}

ChildResult RunCli(const std::vector<std::string>& arguments) {
  return cli_test::RunChild(SUBVANE_CLI_PATH, arguments);
}

std::string Arg(const fs::path& path) { return path.u8string(); }

int LineCount(const std::string& text) {
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              (std::string("subvane-cli-") + info->name() + "-" + std::to_string(std::rand()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }

  // A file in the test's folder holding `bytes`.
  fs::path File(const std::string& name, const std::string& bytes) {
    fs::path path = folder_ / fs::u8path(name);
    fs::create_directories(path.parent_path());
    WriteBytes(path, bytes);
    return path;
  }

  std::vector<std::string> FolderListing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
      names.push_back(entry.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
};

fs::path DraftsFolder() { return fs::u8path(SUBVANE_DRAFTS_DIR); }

TEST_F(CliTest, RealDraftsGiveTheirExpectedSrtByteForByte) {
  SKIP_OR_FAIL_WITHOUT_DRAFTS(fs::is_directory(DraftsFolder()), SUBVANE_DRAFTS_DIR);
  int compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(DraftsFolder())) {
    if (entry.path().extension() != ".srt") continue;
    fs::path draft = entry.path().parent_path() / entry.path().stem().replace_extension(".json");
    SCOPED_TRACE(Arg(draft));
    ChildResult result = RunCli({"--encoding", "utf-8", Arg(draft)});
    std::string expected = ReadBytes(entry.path());
    EXPECT_EQ(result.exitCode, 0);
    // A draft with nothing on its timeline still gives its empty SRT, and says why.
    if (expected.empty()) {
      EXPECT_EQ(result.err.find(Arg(draft) + ": no subtitles on the timeline"), 0u) << result.err;
    } else {
      EXPECT_EQ(result.err, "");
    }
    EXPECT_TRUE(result.out == expected);
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

TEST_F(CliTest, GbkOutputIsTheSameTextInCodePage936) {
  SKIP_OR_FAIL_WITHOUT_DRAFTS(fs::is_directory(DraftsFolder()), SUBVANE_DRAFTS_DIR);
  // The conversion the window program uses, set up as a console program does.
  static rt::ProgramDescriptor program = {};
  program.dllCommandCount = json::kEncodingDllCount;
  program.dllLibraryNames = json::kEncodingDllLibraries;
  program.dllExportNames = json::kEncodingDllExports;
  rt::InitDllCommands(program);
  for (const char* name : {"json-cantonese-301", "markup-brackets-242"}) {
    fs::path expected = DraftsFolder() / (std::string(name) + ".expected.srt");
    if (!fs::exists(expected)) continue;
    ChildResult result =
        RunCli({"--encoding", "gbk", Arg(DraftsFolder() / (std::string(name) + ".json"))});
    EXPECT_EQ(result.exitCode, 0) << name;
    rt::OwnedText gbk = json::Utf8ToGbk(ReadBytes(expected).c_str());
    EXPECT_TRUE(result.out == rt::TextToString(gbk.get())) << name;
  }
}

TEST_F(CliTest, OutputFormsAndEncodings) {
  fs::path draft = File("project/draft_content.json", kSmallDraft);

  ChildResult toStdout = RunCli({Arg(draft)});
  EXPECT_EQ(toStdout.exitCode, 0);
  EXPECT_EQ(toStdout.out, kSmallSrt);

  EXPECT_EQ(RunCli({"-o", "-", Arg(draft)}).out, kSmallSrt);
  EXPECT_EQ(RunCli({"--bom", Arg(draft)}).out, std::string("\xEF\xBB\xBF") + kSmallSrt);
  // Code page 936 has 你好 (C4E3 BAC3) but no emoji.
  EXPECT_EQ(RunCli({"--encoding", "gbk", Arg(draft)}).out,
            "1\r\n00:00:00,000 --> 00:00:01,500\r\n\xC4\xE3\xBA\xC3 ??\r\n\r\n");

  fs::path target = folder_ / "out.srt";
  ChildResult toFile = RunCli({"-o", Arg(target), Arg(draft)});
  EXPECT_EQ(toFile.exitCode, 0);
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(ReadBytes(target), kSmallSrt);

  // A folder stands for its draft_content.json, else its draft_info.json.
  fs::path infoOnly = File(u8"剪映 项目/draft_info.json", kSmallDraft).parent_path();
  File(u8"剪映 项目/draft_meta_info.json", "{}");
  EXPECT_EQ(RunCli({Arg(infoOnly)}).out, kSmallSrt);
  File(u8"剪映 项目/draft_content.json", "{\"materials\":{\"texts\":[{\"content\":\"c\"}]}}");
  EXPECT_EQ(RunCli({Arg(infoOnly)}).out, "1\r\n00:00:00,000 --> 00:00:00,000\r\nc\r\n\r\n");
}

TEST_F(CliTest, BatchNamesFilesAfterProjectsWithoutOverwriting) {
  fs::path out = folder_ / fs::u8path(u8"字幕");
  fs::create_directories(out);
  fs::path first = File(u8"a/草稿/draft_content.json", kSmallDraft);
  fs::path second =
      File(u8"b/草稿/draft_content.json", "{\"materials\":{\"texts\":[{\"content\":\"2\"}]}}");
  fs::path bad = File("c/broken/draft_content.json", "{\"materials\":");
  fs::path missing = folder_ / "nowhere";
  fs::path other = File("d/other/draft_info.json", kSmallDraft).parent_path();

  ChildResult result = RunCli(
      {"--output-dir", Arg(out), Arg(first), Arg(bad), Arg(second), Arg(missing), Arg(other)});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(LineCount(result.err), 2) << result.err;
  EXPECT_NE(result.err.find(Arg(bad) + ": not JSON"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find(Arg(missing) + ": not found"), std::string::npos) << result.err;
  EXPECT_EQ(FolderListing(out),
            (std::vector<std::string>{"other.srt", u8"草稿-2.srt", u8"草稿.srt"}));
  EXPECT_EQ(ReadBytes(out / fs::u8path(u8"草稿.srt")), kSmallSrt);
  EXPECT_EQ(ReadBytes(out / fs::u8path(u8"草稿-2.srt")),
            "1\r\n00:00:00,000 --> 00:00:00,000\r\n2\r\n\r\n");
  EXPECT_EQ(ReadBytes(out / "other.srt"), kSmallSrt);

  // A second run replaces the files instead of adding more.
  EXPECT_EQ(RunCli({"--output-dir", Arg(out), Arg(first), Arg(second), Arg(other)}).exitCode, 0);
  EXPECT_EQ(FolderListing(out).size(), 3u);
}

TEST_F(CliTest, UnusableDraftsFailWithOneLineAndWriteNothing) {
  const std::string base64(600, 'Q');
  const struct {
    std::string name;
    std::string bytes;
    std::string cause;
  } cases[] = {
      {"encrypted.json", base64 + "\r\n" + base64 + "==", "encrypted by editor version 6 or later"},
      {"truncated.json", std::string(kSmallDraft).substr(0, 60), "not JSON"},
      {"empty.json", "", "not JSON"},
      {"random.json", std::string("\x13\x8F\xFF\x00\x7F\x01{[\"", 10) + base64.substr(0, 3),
       "not JSON"},
      {"array.json", "[{\"materials\":{}}]", "not JSON"},
      {"number.json", "42", "not JSON"},
  };
  fs::path target = folder_ / "out" / "result.srt";
  fs::create_directories(target.parent_path());
  for (const auto& c : cases) {
    fs::path draft = File(c.name, c.bytes);
    for (bool toFile : {false, true}) {
      std::vector<std::string> arguments = {Arg(draft)};
      if (toFile) arguments = {"-o", Arg(target), Arg(draft)};
      ChildResult result = RunCli(arguments);
      EXPECT_EQ(result.exitCode, 1) << c.name;
      EXPECT_EQ(result.out, "") << c.name;
      EXPECT_EQ(LineCount(result.err), 1) << result.err;
      EXPECT_NE(result.err.find(Arg(draft) + ": " + c.cause), std::string::npos) << result.err;
      EXPECT_TRUE(FolderListing(target.parent_path()).empty()) << c.name;
    }
  }

  ChildResult missing = RunCli({Arg(folder_ / "missing.json")});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("missing.json: not found"), std::string::npos) << missing.err;

  fs::create_directories(folder_ / "empty project");
  File("empty project/draft_meta_info.json", "{}");
  ChildResult noDraft = RunCli({Arg(folder_ / "empty project")});
  EXPECT_EQ(noDraft.exitCode, 1);
  EXPECT_NE(noDraft.err.find("empty project: not found"), std::string::npos) << noDraft.err;
  EXPECT_EQ(LineCount(noDraft.err), 1);

  // An endless device is refused instead of read (where paths like this are absolute).
  const fs::path endless("/dev/zero");
  if (endless.is_absolute() && fs::is_character_file(endless)) {
    ChildResult device = RunCli({Arg(endless)});
    EXPECT_EQ(device.exitCode, 1);
    EXPECT_NE(device.err.find("/dev/zero: unreadable"), std::string::npos) << device.err;
  }

  if (fs::exists(DraftsFolder() / "encrypted.json")) {
    ChildResult real = RunCli({Arg(DraftsFolder() / "encrypted.json")});
    EXPECT_EQ(real.exitCode, 1);
    EXPECT_NE(real.err.find("encrypted by editor version 6 or later"), std::string::npos);
  }
}

TEST_F(CliTest, ExistingOutputIsReplacedOnlyByACompleteFile) {
  fs::path target = File("out/subtitles.srt", "older subtitles");
  fs::path good = File("good.json", kSmallDraft);
  fs::path bad = File("bad.json", "{\"materials\":{\"texts\":[{\"content\":\"x\"}");

  EXPECT_EQ(RunCli({"-o", Arg(target), Arg(bad)}).exitCode, 1);
  EXPECT_EQ(ReadBytes(target), "older subtitles");

  EXPECT_EQ(RunCli({"-o", Arg(target), Arg(good)}).exitCode, 0);
  EXPECT_EQ(ReadBytes(target), kSmallSrt);
  EXPECT_EQ(FolderListing(target.parent_path()), std::vector<std::string>{"subtitles.srt"});
}

TEST_F(CliTest, UnwritableOutputFailsWithoutPartialFiles) {
  fs::path good = File("good.json", kSmallDraft);

  ChildResult noFolder = RunCli({"-o", Arg(folder_ / "absent" / "x.srt"), Arg(good)});
  EXPECT_EQ(noFolder.exitCode, 1);
  EXPECT_EQ(LineCount(noFolder.err), 1) << noFolder.err;
  EXPECT_FALSE(fs::exists(folder_ / "absent"));

  ChildResult noOutputDir = RunCli({"--output-dir", Arg(folder_ / "absent"), Arg(good)});
  EXPECT_EQ(noOutputDir.exitCode, 1);
  EXPECT_FALSE(fs::exists(folder_ / "absent"));

  // A folder the user may not write to. The super-user writes anyway, so there the
  // program runs as an unprivileged user where the system offers a way to.
  fs::path locked = folder_ / "locked";
  fs::create_directories(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read |
                              fs::perms::others_exec);
  bool writable = static_cast<bool>(std::ofstream(locked / "probe"));
  fs::remove(locked / "probe");
  std::vector<std::string> arguments = {"--output-dir", Arg(locked), Arg(good)};
  ChildResult result;
  const fs::path setpriv("/usr/bin/setpriv");
  if (!writable) {
    result = RunCli(arguments);
  } else if (setpriv.is_absolute() && fs::exists(setpriv)) {
    arguments.insert(arguments.begin(),
                     {"--reuid=65534", "--regid=65534", "--clear-groups", SUBVANE_CLI_PATH});
    result = cli_test::RunChild(Arg(setpriv), arguments);
  } else {
    GTEST_SKIP() << "this user can write into a read-only folder";
  }
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.err.find("cannot write"), std::string::npos) << result.err;
  EXPECT_TRUE(FolderListing(locked).empty());
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
  fs::path draft = File("d.json", kSmallDraft);
  const std::vector<std::vector<std::string>> usageErrors = {
      {},
      {"--frobnicate", Arg(draft)},
      {Arg(draft), Arg(draft)},
      {"-o", Arg(folder_ / "x.srt"), "--output-dir", Arg(folder_), Arg(draft)},
      {"--encoding", "latin-1", Arg(draft)},
      {"--encoding"},
      {"--bom", "--encoding", "gbk", Arg(draft)},
  };
  for (const std::vector<std::string>& arguments : usageErrors) {
    ChildResult result = RunCli(arguments);
    EXPECT_EQ(result.exitCode, 2) << (arguments.empty() ? "" : arguments[0]);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err, "");
  }
  EXPECT_EQ(FolderListing(folder_), std::vector<std::string>{"d.json"});

  ChildResult help = RunCli({"--help"});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.out.find("--output-dir"), std::string::npos);
  EXPECT_NE(help.out.find("Examples:"), std::string::npos);
  ChildResult version = RunCli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("subvane-cli ", 0), 0u);
}

}  // namespace
