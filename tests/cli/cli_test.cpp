#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/text_encoding.h"
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
    folder_ = fs::temp_directory_path() / (std::string("subvane-cli-") + info->name() + "-" +
                                           std::to_string(std::random_device()()));
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
  for (const char* name : {"json-cantonese-301", "markup-brackets-242"}) {
    fs::path expected = DraftsFolder() / (std::string(name) + ".expected.srt");
    if (!fs::exists(expected)) continue;
    ChildResult result =
        RunCli({"--encoding", "gbk", Arg(DraftsFolder() / (std::string(name) + ".json"))});
    EXPECT_EQ(result.exitCode, 0) << name;
    // The window program's converter.
    EXPECT_TRUE(result.out == platform::Utf8ToCp936(ReadBytes(expected))) << name;
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

  // ... unless Timelines/project.json names a main timeline that holds a draft.
  File(u8"剪映 项目/Timelines/project.json", "{\"main_timeline_id\":\"9C1E\"}");
  EXPECT_EQ(RunCli({Arg(infoOnly)}).out, "1\r\n00:00:00,000 --> 00:00:00,000\r\nc\r\n\r\n");
  File(u8"剪映 项目/Timelines/9C1E/draft_info.json", kSmallDraft);
  EXPECT_EQ(RunCli({Arg(infoOnly)}).out, kSmallSrt);
  // A batch names the timeline's file after the project.
  fs::path out = folder_ / "batch";
  fs::create_directories(out);
  EXPECT_EQ(RunCli({"--output-dir", Arg(out), Arg(infoOnly)}).exitCode, 0);
  EXPECT_EQ(ReadBytes(out / fs::u8path(u8"剪映 项目.srt")), kSmallSrt);
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
      {"encrypted.json", base64 + "\r\n" + base64 + "==",
       "encrypted by JianyingPro 6.0 or later, so its subtitles cannot be read; use JianyingPro's "
       "own subtitle export instead"},
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
    EXPECT_NE(real.err.find("encrypted by JianyingPro 6.0 or later"), std::string::npos);
  }
}

TEST_F(CliTest, AnEncryptedDraftIsReadFromAPlainCopyInItsProject) {
  fs::path project =
      File(u8"旧项目/draft_content.json", std::string(700, 'Q') + "==").parent_path();
  ChildResult advice = RunCli({Arg(project)});
  EXPECT_EQ(advice.exitCode, 1);
  EXPECT_NE(advice.err.find(": encrypted by JianyingPro 6.0"), std::string::npos) << advice.err;

  File(u8"旧项目/draft_info.json.bak", kSmallDraft);
  File(u8"旧项目/template-2.tmp", "{}");  // newer, but without a timeline
  for (const std::string& argument : {Arg(project), Arg(project / "draft_content.json")}) {
    ChildResult result = RunCli({argument});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, kSmallSrt);
    const std::string said = argument +
                             ": encrypted; read the older plain copy "
                             "draft_info.json.bak (saved ";
    EXPECT_EQ(result.err.substr(0, said.size()), said) << result.err;
    EXPECT_EQ(result.err.size(),
              said.size() + 16 + std::string(") instead; it may be out of date\n").size())
        << result.err;
  }
  EXPECT_EQ(ReadBytes(project / "draft_content.json"), std::string(700, 'Q') + "==");
}

// --list remembers counts by file size and modification time; a cache that is stale,
// damaged or cannot be written never changes what it says.
TEST_F(CliTest, RememberedCountsNeverOutliveTheirDraft) {
  fs::path home = folder_ / "home";
  fs::create_directories(home);
  cli_test::SetChildEnvironment(SUBVANE_EDITORS_HOME, Arg(home));
  fs::path root = folder_ / "root";
  File("root/a/draft_content.json", kSmallDraft);
  File("root/b/draft_content.json", std::string(700, 'Q') + "==");
  std::string listed;  // the last --list, for the messages of failed checks
  auto states = [&] {
    ChildResult list = RunCli({"--list", "--drafts-root", Arg(root)});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    listed = list.out + list.err;
    std::string seen;
    for (const char* state :
         {"\t1 subtitle\t", "\t2 subtitles\t", "\tencrypted\t", "\tno subtitles\t"})
      if (list.out.find(state) != std::string::npos) seen += state;
    return seen;
  };
  EXPECT_EQ(states(), "\t1 subtitle\t\tencrypted\t") << listed;
  EXPECT_EQ(states(), "\t1 subtitle\t\tencrypted\t") << listed;  // from what was remembered
  File("root/a/draft_content.json",
       "{\"materials\":{\"texts\":[{\"content\":\"1\"},{\"content\":\"2\"}]}}");
  File("root/b/draft_content.json", "{}");
  EXPECT_EQ(states(), "\t2 subtitles\t\tno subtitles\t") << listed;

  // A damaged cache, then one that cannot be written: the same answer.
  std::vector<fs::path> caches;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(home))
    if (entry.path().filename() == "draft-states.txt") caches.push_back(entry.path());
  ASSERT_EQ(caches.size(), 1u);
  WriteBytes(caches[0], "subvane-cli draft states 1\n99\tx\t7 subtitles\t" + Arg(root / "a") +
                            "\n\x01\xFF garbage\n3\t4\t5 subtitles");
  EXPECT_EQ(states(), "\t2 subtitles\t\tno subtitles\t") << listed;
  fs::remove(caches[0]);
  fs::create_directories(caches[0]);  // a folder where the file should be
  EXPECT_EQ(states(), "\t2 subtitles\t\tno subtitles\t") << listed;

  // A conversion remembers the count it made.
  fs::remove_all(caches[0]);
  fs::path out = folder_ / "out.srt";
  EXPECT_EQ(RunCli({"-o", Arg(out), Arg(root / "a")}).exitCode, 0);
  EXPECT_TRUE(fs::is_regular_file(caches[0]));
  EXPECT_NE(ReadBytes(caches[0]).find("\t2 subtitles\t"), std::string::npos);
}

// Each counting thread reads its drafts one after another in memory kept between them:
// a short draft after a long one, or a broken one after a good one, must still say
// what it alone holds (a prefix of a draft read over that draft is not that draft).
TEST_F(CliTest, ListStatesOfDraftsReadOneAfterAnother) {
  cli_test::SetChildEnvironment(SUBVANE_EDITORS_HOME, Arg(folder_ / "home"));
  std::string many = "{\"materials\":{\"texts\":[";
  for (int i = 0; i < 300; ++i) {
    many += std::string(i ? "," : "") + "{\"content\":\"{\\\"text\\\":\\\"line " +
            std::to_string(i) + std::string(80, 'x') + "\\\"}\"}";
  }
  many += "]}}";
  const std::pair<std::string, std::string> kinds[] = {
      {many, "\t300 subtitles\t"},
      {many.substr(0, many.size() - 2), "\tunreadable\t"},
      {"{}", "\tno subtitles\t"},
      {"{\"materials\":{\"texts\":[{\"content\":\"a\"},{\"content\":\"\\n\"}]}}", "\t1 subtitle\t"},
      {std::string(700, 'Q') + "==", "\tencrypted\t"},
      {"\xEF\xBB\xBF" + std::string(kSmallDraft), "\t1 subtitle\t"},
      {"", "\tunreadable\t"},
  };
  const size_t kProjects = 28;
  for (size_t i = 0; i < kProjects; ++i) {
    // Every other project is the long draft, so each thread reads the others after it.
    const auto& kind = kinds[i % 2 == 0 ? 0 : 1 + (i / 2) % 6];
    File("root/p" + std::to_string(100 + i) + "/draft_content.json", kind.first);
  }
  ChildResult list = RunCli({"--list", "--drafts-root", Arg(folder_ / "root")});
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(LineCount(list.out), static_cast<int>(kProjects)) << list.out;
  for (size_t i = 0; i < kProjects; ++i) {
    const auto& kind = kinds[i % 2 == 0 ? 0 : 1 + (i / 2) % 6];
    std::string state = kind.second + Arg(folder_ / "root" / ("p" + std::to_string(100 + i)));
    EXPECT_NE(list.out.find(state + "\n"), std::string::npos) << state << "\n" << list.out;
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
      {"--track", "0", Arg(draft)},
      {"--track", "one", Arg(draft)},
      {"--offset", "1e3", Arg(draft)},
      {"--offset", "-", Arg(draft)},
      {"--format", "ssa", Arg(draft)},
      {"--format", "ass", "--encoding", "gbk", Arg(draft)},
      {"--split-tracks", "--merge-tracks", "--output-dir", Arg(folder_), Arg(draft)},
      {"--split-tracks", Arg(draft)},
      {"--split-tracks", "-o", "-", Arg(draft)},
      {"--list", Arg(draft)},
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

// Three caption tracks after a video track: English (A at 0-1 s, B at 2-3 s), a hidden
// one (C at 1-2 s), and one holding a caption with two lines (D at 3-4.25 s).
const char kTrackDraft[] =
    "{\"materials\":{\"texts\":[{\"id\":\"A\",\"content\":\"A\"},{\"id\":\"B\",\"content\":\"B\"},"
    "{\"id\":\"C\",\"content\":\"C\"},{\"id\":\"D\",\"content\":\"D1 < D2\\nD3\"}]},\"tracks\":["
    "{\"type\":\"video\",\"segments\":[{\"material_id\":\"V\",\"target_timerange\":"
    "{\"start\":0,\"duration\":9000000}}]},"
    "{\"type\":\"text\",\"name\":\"English\",\"segments\":["
    "{\"material_id\":\"A\",\"target_timerange\":{\"start\":0,\"duration\":1000000}},"
    "{\"material_id\":\"B\",\"target_timerange\":{\"start\":2000000,\"duration\":1000000}}]},"
    "{\"type\":\"text\",\"attribute\":2,\"segments\":["
    "{\"material_id\":\"C\",\"target_timerange\":{\"start\":1000000,\"duration\":1000000}}]},"
    "{\"type\":\"text\",\"segments\":["
    "{\"material_id\":\"D\",\"target_timerange\":{\"start\":3000000,\"duration\":1250000}}]}]}";

std::string SrtOf(const std::vector<std::string>& blocks) {
  std::string srt;
  for (size_t i = 0; i < blocks.size(); ++i) {
    srt += std::to_string(i + 1) + "\r\n" + blocks[i] + "\r\n\r\n";
  }
  return srt;
}

const char kCueA[] = "00:00:00,000 --> 00:00:01,000\r\nA";
const char kCueB[] = "00:00:02,000 --> 00:00:03,000\r\nB";
const char kCueC[] = "00:00:01,000 --> 00:00:02,000\r\nC";
const char kCueD[] = "00:00:03,000 --> 00:00:04,250\r\nD1 < D2\r\nD3";

TEST_F(CliTest, CaptionTracksAreListedChosenAndSplit) {
  fs::path draft = File("film/draft_content.json", kTrackDraft);

  ChildResult tracks = RunCli({"--list-tracks", Arg(draft)});
  EXPECT_EQ(tracks.exitCode, 0);
  EXPECT_EQ(tracks.out,
            "1\tEnglish\tshown\t2 captions\twhite, bottom\tA\n"
            "2\t(no name)\thidden\t1 caption\twhite, bottom\tC\n"
            "3\t(no name)\tshown\t1 caption\twhite, bottom\tD1 < D2 D3\n");

  // The hidden track is left out unless chosen by number.
  EXPECT_EQ(RunCli({Arg(draft)}).out, SrtOf({kCueA, kCueB, kCueD}));
  EXPECT_EQ(RunCli({"--track", "2", Arg(draft)}).out, SrtOf({kCueC}));
  EXPECT_EQ(RunCli({"--track", "2", "--track=1", Arg(draft)}).out, SrtOf({kCueA, kCueC, kCueB}));

  for (const char* number : {"4", "99"}) {
    ChildResult outOfRange = RunCli({"--track", number, Arg(draft)});
    EXPECT_EQ(outOfRange.exitCode, 1);
    EXPECT_EQ(outOfRange.out, "");
    EXPECT_NE(outOfRange.err.find(std::string("no caption track ") + number + " (the draft has 3"),
              std::string::npos)
        << outOfRange.err;
  }

  fs::path out = folder_ / "out";
  fs::create_directories(out);
  ChildResult split = RunCli({"--split-tracks", "--output-dir", Arg(out), Arg(draft)});
  EXPECT_EQ(split.exitCode, 0) << split.err;
  EXPECT_EQ(FolderListing(out),
            (std::vector<std::string>{"film.1.srt", "film.2.srt", "film.3.srt"}));
  EXPECT_EQ(ReadBytes(out / "film.2.srt"), SrtOf({kCueC}));

  // Beside -o's file, in the format's extension, only the tracks chosen.
  fs::path beside = folder_ / "beside";
  ChildResult chosen = RunCli({"--split-tracks", "--track", "3", "--track", "1", "--format", "txt",
                               "-o", Arg(beside / "named.txt"), Arg(draft)});
  EXPECT_EQ(chosen.exitCode, 1) << chosen.err;  // no such folder
  fs::create_directories(beside);
  chosen = RunCli({"--split-tracks", "--track", "3", "--track", "1", "--format", "txt", "-o",
                   Arg(beside / "named.txt"), Arg(draft)});
  EXPECT_EQ(chosen.exitCode, 0) << chosen.err;
  EXPECT_EQ(FolderListing(beside), (std::vector<std::string>{"film.1.txt", "film.3.txt"}));
  EXPECT_EQ(ReadBytes(beside / "film.1.txt"), "A\r\nB\r\n");
  EXPECT_EQ(ReadBytes(beside / "film.3.txt"), "D1 < D2 D3\r\n");
}

TEST_F(CliTest, FormatsAndOffsets) {
  fs::path draft = File("film/draft_content.json", kTrackDraft);

  ChildResult vtt = RunCli({"--format", "vtt", Arg(draft)});
  EXPECT_EQ(vtt.exitCode, 0);
  EXPECT_EQ(vtt.out,
            "WEBVTT\r\n\r\n"
            "00:00:00.000 --> 00:00:01.000\r\nA\r\n\r\n"
            "00:00:02.000 --> 00:00:03.000\r\nB\r\n\r\n"
            "00:00:03.000 --> 00:00:04.250\r\nD1 &lt; D2\r\nD3\r\n\r\n");
  EXPECT_EQ(RunCli({"--format", "TXT", "--bom", Arg(draft)}).out,
            "\xEF\xBB\xBF"
            "A\r\nB\r\nD1 < D2 D3\r\n");

  fs::path out = folder_ / "out";
  fs::create_directories(out);
  EXPECT_EQ(RunCli({"--format", "vtt", "--output-dir", Arg(out), Arg(draft)}).exitCode, 0);
  EXPECT_EQ(FolderListing(out), std::vector<std::string>{"film.vtt"});

  // Later by a quarter second; earlier by 2.5 s, which leaves out A and cuts B's start;
  // earlier by 3 s, which ends B at 0 (nothing left of it); earlier by 3.5 s.
  EXPECT_EQ(RunCli({"--offset", "0.25", Arg(draft)}).out,
            SrtOf({"00:00:00,250 --> 00:00:01,250\r\nA", "00:00:02,250 --> 00:00:03,250\r\nB",
                   "00:00:03,250 --> 00:00:04,500\r\nD1 < D2\r\nD3"}));
  EXPECT_EQ(RunCli({"--offset=-2.5", Arg(draft)}).out,
            SrtOf({"00:00:00,000 --> 00:00:00,500\r\nB",
                   "00:00:00,500 --> 00:00:01,750\r\nD1 < D2\r\nD3"}));
  EXPECT_EQ(RunCli({"--offset", "-3", Arg(draft)}).out,
            SrtOf({"00:00:00,000 --> 00:00:01,250\r\nD1 < D2\r\nD3"}));
  EXPECT_EQ(RunCli({"--offset", "-3.5", "--format", "vtt", Arg(draft)}).out,
            "WEBVTT\r\n\r\n00:00:00.000 --> 00:00:00.750\r\nD1 &lt; D2\r\nD3\r\n\r\n");
  EXPECT_EQ(RunCli({"--offset", "-.0015", Arg(draft)}).out.substr(0, 35),
            "1\r\n00:00:00,000 --> 00:00:00,999\r\nA");
  ChildResult allGone = RunCli({"--offset", "-5", Arg(draft)});
  EXPECT_EQ(allGone.exitCode, 0);
  EXPECT_EQ(allGone.out, "");

  // A draft with nothing on its timeline still gives its (empty) file, and says so.
  fs::path empty = File("empty.json", "{\"materials\":{\"texts\":[]},\"tracks\":[]}");
  ChildResult none = RunCli({"-o", Arg(folder_ / "empty.srt"), Arg(empty)});
  EXPECT_EQ(none.exitCode, 0);
  EXPECT_EQ(none.err, Arg(empty) + ": no subtitles on the timeline\n");
  EXPECT_TRUE(fs::exists(folder_ / "empty.srt"));
}

// Two caption tracks, gold at the top and white with an outline at the bottom: a pair of
// one time (ends 30 ms apart), a pair 50 ms apart, which stays two cues, and one alone.
const char kBilingualDraft[] =
    u8R"({"canvas_config":{"width":1280,"height":720},"materials":{"texts":[)"
    u8R"({"id":"z1","content":"你好","text_color":"#FFD599"},)"
    u8R"({"id":"z2","content":"再见","text_color":"#FFD599"},)"
    u8R"({"id":"e1","content":"Hello","border_color":"#000000","border_width":0.08},)"
    u8R"({"id":"e2","content":"Bye {\\b1}","border_color":"#000000","border_width":0.08},)"
    u8R"({"id":"e3","content":"Alone","border_color":"#000000","border_width":0.08}]},)"
    u8R"("tracks":[{"type":"text","segments":[)"
    u8R"({"material_id":"z1","target_timerange":{"start":0,"duration":1000000},)"
    u8R"("clip":{"transform":{"x":0,"y":0.8}}},)"
    u8R"({"material_id":"z2","target_timerange":{"start":2000000,"duration":1000000},)"
    u8R"("clip":{"transform":{"x":0,"y":0.8}}}]},)"
    u8R"({"type":"text","segments":[)"
    u8R"({"material_id":"e1","target_timerange":{"start":40000,"duration":990000}},)"
    u8R"({"material_id":"e2","target_timerange":{"start":2050000,"duration":950000}},)"
    u8R"({"material_id":"e3","target_timerange":{"start":5000000,"duration":1000000}}]}]})";

TEST_F(CliTest, AssKeepsTheLookAndMergedTracksStackOneTime) {
  fs::path draft = File("duo/draft_content.json", kBilingualDraft);

  EXPECT_EQ(RunCli({"--list-tracks", Arg(draft)}).out,
            u8"1\t(no name)\tshown\t2 captions\tgold, top\t你好\n"
            "2\t(no name)\tshown\t3 captions\twhite, outline, bottom\tHello\n");

  EXPECT_EQ(RunCli({"--merge-tracks", Arg(draft)}).out,
            SrtOf({u8"00:00:00,000 --> 00:00:01,030\r\n你好\r\nHello",
                   u8"00:00:02,000 --> 00:00:03,000\r\n再见",
                   "00:00:02,050 --> 00:00:03,000\r\nBye {\\b1}",
                   "00:00:05,000 --> 00:00:06,000\r\nAlone"}));
  EXPECT_EQ(RunCli({"--merge-tracks", "--format", "txt", Arg(draft)}).out,
            u8"你好 Hello\r\n再见\r\nBye {\\b1}\r\nAlone\r\n");

  ChildResult ass = RunCli({"--format", "ass", "--merge-tracks", "--bom", Arg(draft)});
  EXPECT_EQ(ass.exitCode, 0) << ass.err;
  const std::string& text = ass.out;
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF[Script Info]\r\n", 0), 0u);  // one mark, --bom or not
  EXPECT_NE(text.find("\r\nPlayResX: 1280\r\nPlayResY: 720\r\n"), std::string::npos);
  // Size 8 on a 720-line canvas: 57.6 px.
  EXPECT_NE(text.find("\r\nStyle: Track1-1,Arial,57.6,&H0099D5FF,&H0099D5FF,&H00000000,"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\nStyle: Track2-1,Arial,57.6,&H00FFFFFF,&H00FFFFFF,&H00000000,&H00000000,"
                      "0,0,0,0,100,100,0,0,1,4.61,0,5,"),
            std::string::npos);
  EXPECT_NE(text.find("\r\nDialogue: 0,0:00:00.00,0:00:01.03,Track1-1,,0,0,0,,{\\pos(640,72)}"
                      u8"你好\\N{\\rTrack2-1}Hello\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\r\nDialogue: 1,0:00:02.05,0:00:03.00,Track2-1,,0,0,0,,{\\pos(640,622.8)}"
                      "Bye \\{\\b1\\}\r\n"),
            std::string::npos)
      << text;

  ChildResult unmerged = RunCli({"--format", "ass", "--offset", "-1", Arg(draft)});
  EXPECT_EQ(unmerged.exitCode, 0);
  EXPECT_EQ(std::count(unmerged.out.begin(), unmerged.out.end(), '\n'),
            std::count(ass.out.begin(), ass.out.end(), '\n'));  // 你好 gone, Hello alone
  EXPECT_NE(unmerged.out.find("Dialogue: 1,0:00:00.00,0:00:00.03,Track2-1"), std::string::npos);
}

std::string Meta(const std::string& name, bool invisible) {
  return "{\"draft_name\":\"" + name +
         "\",\"tm_draft_removed\":1700000000,"
         "\"draft_is_invisible\":" +
         (invisible ? "true" : "false") + "}";
}

TEST_F(CliTest, ProjectsAreFoundInTheEditorsFoldersAndChosenByName) {
  // The editors' folders as a made-up user has them: JianyingPro's default draft folder,
  // and a custom one set in CapCut, named in its globalSetting with doubled backslashes.
  fs::path home = folder_ / "home";
  fs::path editors = home / SUBVANE_EDITORS_UNDER;
  fs::path defaultRoot =
      (editors / "JianyingPro/User Data/Projects/com.lveditor.draft").make_preferred();
  fs::path custom = folder_ / "custom drafts";
  std::string customText = custom.make_preferred().u8string();
  std::string doubled;
  for (char c : customText) doubled += c == '\\' ? std::string("\\\\") : std::string(1, c);
  File("home/" + fs::path(SUBVANE_EDITORS_UNDER).u8string() +
           "/CapCut/User Data/Config/globalSetting",
       "[General]\r\ncurrentCustomDraftPath=" + doubled + "\r\n");
  cli_test::SetChildEnvironment(SUBVANE_EDITORS_HOME, Arg(home));

  auto project = [&](const fs::path& root, const std::string& name, const std::string& draft,
                     const std::string& meta) {
    fs::path folder = root / fs::u8path(name);
    fs::create_directories(folder);
    WriteBytes(folder / "draft_content.json", draft);
    if (!meta.empty()) WriteBytes(folder / "draft_meta_info.json", meta);
  };

  project(defaultRoot, "0101", kSmallDraft, Meta("My Film", false));
  project(defaultRoot, "0102", std::string(700, 'Q') + "==", Meta("Secret", false));
  project(defaultRoot, "0103", kSmallDraft, Meta("Gone", true));
  fs::create_directories(defaultRoot / "no draft here");
  // In the custom folder: a project whose Timelines/project.json names its main timeline.
  fs::path timelines = custom / "0201" / "Timelines";
  project(custom, "0201", "{}", Meta("my film", false));
  project(timelines, "T2", kTrackDraft, "");
  WriteBytes(timelines / "project.json", "{\"main_timeline_id\":\"T2\"}");
  fs::path given = folder_ / "given";
  project(given, u8"假期 Holiday", "{\"materials\":{}}", "");

  ChildResult list = RunCli({"--list", "--drafts-root", Arg(given)});
  EXPECT_EQ(list.exitCode, 0) << list.err;
  EXPECT_EQ(LineCount(list.out), 4) << list.out;
  for (const char* line : {"My Film\t", "Secret\t", "my film\t", u8"假期 Holiday\t"}) {
    EXPECT_NE(("\n" + list.out).find(std::string("\n") + line), std::string::npos) << list.out;
  }
  EXPECT_NE(list.out.find("\t1 subtitle\t" + Arg(defaultRoot / "0101")), std::string::npos)
      << list.out;
  EXPECT_NE(list.out.find("\tencrypted\t"), std::string::npos);
  EXPECT_NE(list.out.find("\t3 subtitles\t"), std::string::npos);
  EXPECT_NE(list.out.find("\tno subtitles\t"), std::string::npos);
  EXPECT_EQ(list.out.find("Gone"), std::string::npos);
  EXPECT_EQ(list.out.find("no draft here"), std::string::npos);

  // Exact name first; else the one match without regard to case.
  EXPECT_EQ(RunCli({"My Film"}).out, kSmallSrt);
  EXPECT_EQ(RunCli({"my film"}).out, SrtOf({kCueA, kCueB, kCueD}));
  ChildResult caseless = RunCli({"--drafts-root", Arg(given), u8"假期 HOLIDAY"});
  EXPECT_EQ(caseless.exitCode, 0) << caseless.err;
  EXPECT_EQ(caseless.err, u8"假期 HOLIDAY: no subtitles on the timeline\n");
  ChildResult encrypted = RunCli({"secret"});
  EXPECT_EQ(encrypted.exitCode, 1);
  EXPECT_NE(encrypted.err.find("secret: encrypted"), std::string::npos) << encrypted.err;

  fs::path out = folder_ / "out";
  fs::create_directories(out);
  EXPECT_EQ(RunCli({"--output-dir", Arg(out), "My Film", "my film"}).exitCode, 0);
  EXPECT_EQ(FolderListing(out), (std::vector<std::string>{"My Film.srt", "my film-2.srt"}));

  // Several or no projects of that name: a usage error naming the candidates, nothing written.
  ChildResult several =
      RunCli({"--output-dir", Arg(out), "--drafts-root", Arg(given), u8"假期 Holiday", "MY FILM"});
  EXPECT_EQ(several.exitCode, 2);
  EXPECT_NE(several.err.find("MY FILM: several projects"), std::string::npos) << several.err;
  EXPECT_NE(several.err.find(Arg(custom / "0201")), std::string::npos) << several.err;
  EXPECT_NE(several.err.find(Arg(defaultRoot / "0101")), std::string::npos) << several.err;
  ChildResult none = RunCli({"Gone"});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("Gone: no file, folder or project"), std::string::npos) << none.err;
  EXPECT_NE(none.err.find("\n  Secret\t"), std::string::npos) << none.err;
  EXPECT_EQ(FolderListing(out).size(), 2u);
}

}  // namespace
