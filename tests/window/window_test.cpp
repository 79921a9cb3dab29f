#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/main_window.h"
#include "json/encoding.h"
#include "loader/json_library.h"
#include "platform/posix/standin.h"
#include "runtime/program.h"
#include "runtime/services.h"
#include "ui/file_dialog.h"
#include "ui/table_commands.h"

namespace {

namespace fs = std::filesystem;
using platform::standin::FindView;
using platform::standin::MessageBoxes;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Cell(int32_t row, int32_t column) {
  ui::CellTextResult cell = ui::TableGetCellText(app::kMainWindow, app::kSubtitleTable, row, column);
  return cell.isText ? rt::TextToString(cell.text.get()) : "<none>";
}

int64_t TableRows() {
  return rt::Services().ReadComponentProperty(app::kMainWindow, app::kSubtitleTable,
                                              rt::kFirstOwnProperty + 9, -1);
}

std::string DialogFileName(rt::ComponentId dialog) {
  rt::OwnedText name(static_cast<char*>(rt::WordsPointer(rt::Services().ReadComponentProperty(
      app::kMainWindow, dialog, rt::kFirstOwnProperty + ui::kDialogFileName, -1))));
  return rt::TextToString(name.get());
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("subvane-window-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    setenv("SUBVANE_APPDATA", "C:\\Users\\小明\\AppData\\Roaming\\", 1);
    rt::ResetRuntimeForTests();
    platform::standin::Reset();
    rt::SetProgramForTests(app::Program());
    rt::InitRuntime();
    MapJsonLibrary();
    app::SubtitleCount = 0;
    rt::LoadStartWindow(app::kMainWindow);
  }
  void TearDown() override {
    ui::SetFileDialogAnswer(nullptr);
    rt::ResetRuntimeForTests();
    fs::remove_all(dir_);
  }

  // The next dialog is confirmed with `path` (or cancelled when empty).
  void Answer(const fs::path& path, ui::FileDialogRequest* seen = nullptr) {
    ui::SetFileDialogAnswer([path, seen](const ui::FileDialogRequest& request, std::string* chosen) {
      if (seen) *seen = request;
      if (path.empty()) return false;
      *chosen = path.string();
      return true;
    });
  }

  void Click(const char* button) {
    platform::standin::Click(FindView(button));
    rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  }

  std::string LastMessage() { return MessageBoxes().empty() ? "" : MessageBoxes().back().text; }

  fs::path dir_;
};

const char kThreeSubtitles[] =
    u8R"({"materials":{"texts":[{"id":"a","content":"你好"},{"id":"b","content":"再见"},)"
    u8R"({"id":"c","content":"line\n\n\nbreak"}]},"tracks":[{"segments":[)"
    u8R"({"material_id":"a","target_timerange":{"start":0,"duration":1500000}},)"
    u8R"({"material_id":"b","target_timerange":{"start":1500000,"duration":1500000}},)"
    u8R"({"material_id":"c","target_timerange":{"start":3000000,"duration":1000000}}]}]})";

TEST_F(WindowTest, StartsInTheEditorsProjectFolderWithExportDisabled) {
  EXPECT_FALSE(FindView("导出")->enabled);
  EXPECT_TRUE(FindView("解析")->enabled);
  ui::FileDialogRequest seen;
  Answer("", &seen);
  Click("解析");
  EXPECT_EQ(seen.initialFolder, "C:\\Users\\小明\\AppData\\Local\\JianyingPro\\User Data\\Projects\\");
  EXPECT_EQ(seen.fileName, "draft.json");
  EXPECT_EQ(seen.title, "打开JSON文件");
  EXPECT_TRUE(MessageBoxes().empty());  // a cancelled dialog says nothing
  EXPECT_FALSE(FindView("导出")->enabled);
  EXPECT_EQ(TableRows(), 1);
}

TEST_F(WindowTest, WithoutARoamingFolderTheProjectsFolderIsRelative) {
  setenv("SUBVANE_APPDATA", "", 1);
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "nohome", 1);  // a path without any backslash
  rt::ResetRuntimeForTests();
  platform::standin::Reset();
  rt::SetProgramForTests(app::Program());
  rt::InitRuntime();
  rt::LoadStartWindow(app::kMainWindow);
  ui::FileDialogRequest seen;
  Answer("", &seen);
  Click("解析");
  EXPECT_EQ(seen.initialFolder, "Local\\JianyingPro\\User Data\\Projects\\");
}

TEST_F(WindowTest, ParseFillsTheTableAndExportWritesItInCodePage936) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  bool buttonsHeld = false;
  platform::standin::SetMessageBoxResponder([&](const platform::standin::MessageBoxCall&) {
    buttonsHeld = !FindView("解析")->enabled && !FindView("导出")->enabled;
    return 1;
  });
  Answer(dir_ / "draft.json");
  Click("解析");
  EXPECT_EQ(LastMessage(), "解析完成");
  EXPECT_EQ(MessageBoxes().back().title, "信息：");
  EXPECT_TRUE(buttonsHeld) << "both buttons wait while the table fills";
  EXPECT_TRUE(FindView("导出")->enabled);
  EXPECT_TRUE(FindView("解析")->enabled);
  EXPECT_EQ(app::SubtitleCount, 3);
  EXPECT_EQ(Cell(1, 0), "1");
  EXPECT_EQ(Cell(1, 1), "00:00:00,000 --> 00:00:01,500");
  EXPECT_EQ(Cell(1, 2), "你好");
  EXPECT_EQ(Cell(3, 2), "line\r\nbreak");
  EXPECT_EQ(DialogFileName(app::kOpenDraftDialog), (dir_ / "draft.json").string());

  Answer(dir_ / "out.srt");
  Click("导出");
  EXPECT_EQ(LastMessage(), "导出完成");
  EXPECT_EQ(ReadFile(dir_ / "out.srt"),
            "1\r\n00:00:00,000 --> 00:00:01,500\r\n你好\r\n\r\n"
            "2\r\n00:00:01,500 --> 00:00:03,000\r\n再见\r\n\r\n"
            "3\r\n00:00:03,000 --> 00:00:04,000\r\nline\r\nbreak\r\n\r\n");
}

TEST_F(WindowTest, ASecondDraftReplacesTheRowsOfTheFirst) {
  WriteFile(dir_ / "three.json", kThreeSubtitles);
  WriteFile(dir_ / "one.json", u8R"({"materials":{"texts":[{"content":"唯一"}]},"tracks":[]})");
  Answer(dir_ / "three.json");
  Click("解析");
  Answer(dir_ / "one.json");
  Click("解析");
  EXPECT_EQ(app::SubtitleCount, 1);
  EXPECT_EQ(TableRows(), 2);
  EXPECT_EQ(Cell(1, 2), "唯一");
  EXPECT_EQ(Cell(2, 0), "<none>");
}

TEST_F(WindowTest, EditedCellsAreExportedAsTheyStand) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  Answer(dir_ / "draft.json");
  Click("解析");
  ui::TableSetCellText(app::kMainWindow, app::kSubtitleTable, 2, 2, "改过");
  Answer(dir_ / "out.srt");
  Click("导出");
  EXPECT_NE(ReadFile(dir_ / "out.srt").find("\r\n改过\r\n\r\n3\r\n"), std::string::npos);
}

TEST_F(WindowTest, FilesThatAreNotDraftsAreExplainedAndChangeNothing) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  Answer(dir_ / "draft.json");
  Click("解析");
  size_t boxes = MessageBoxes().size();

  WriteFile(dir_ / "empty.json", "");
  WriteFile(dir_ / "text.json", "not json at all");
  WriteFile(dir_ / "scalar.json", "42");
  std::string base64(120, 'Q');
  base64 += "==\n";
  WriteFile(dir_ / "encrypted.json", base64);
  const char* notDrafts[] = {"empty.json", "text.json", "scalar.json", "missing.json"};
  for (const char* name : notDrafts) {
    Answer(dir_ / name);
    Click("解析");
    EXPECT_EQ(LastMessage(), "无法解析所选文件：它不是有效的剪映草稿（JSON）。") << name;
  }
  Answer(dir_ / "encrypted.json");
  Click("解析");
  EXPECT_EQ(LastMessage(), "无法解析所选文件：该草稿已被剪映加密（6.0 及以上版本），无法读取字幕。");
  EXPECT_EQ(MessageBoxes().size(), boxes + 5);
  EXPECT_EQ(app::SubtitleCount, 3);
  EXPECT_EQ(Cell(3, 2), "line\r\nbreak");
}

TEST_F(WindowTest, ExportSaysSoWhenTheFileCannotBeWritten) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  Answer(dir_ / "draft.json");
  Click("解析");
  Answer(dir_ / "no-such-folder" / "out.srt");
  Click("导出");
  EXPECT_EQ(LastMessage(), "导出失败：无法写入所选文件。");
  Answer("");
  size_t boxes = MessageBoxes().size();
  Click("导出");  // cancelled: nothing written, nothing said
  EXPECT_EQ(MessageBoxes().size(), boxes);
}

TEST_F(WindowTest, ADraftWithoutTextsExportsAnEmptyFile) {
  WriteFile(dir_ / "draft.json", "{}");
  WriteFile(dir_ / "out.srt", "old content");
  Answer(dir_ / "draft.json");
  Click("解析");
  EXPECT_EQ(LastMessage(), "解析完成");
  EXPECT_TRUE(FindView("导出")->enabled);
  Answer(dir_ / "out.srt");
  Click("导出");
  EXPECT_EQ(LastMessage(), "导出完成");
  EXPECT_EQ(ReadFile(dir_ / "out.srt"), "");
}

TEST_F(WindowTest, RealDraftsExportTheirExpectedText) {
  fs::path drafts = SUBVANE_DRAFTS_DIR;
  if (!fs::exists(drafts)) GTEST_SKIP() << "no real drafts here";
  int checked = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(drafts)) {
    std::string name = entry.path().filename().string();
    const std::string suffix = ".expected.srt";
    if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    fs::path draft = drafts / (name.substr(0, name.size() - suffix.size()) + ".json");
    Answer(draft);
    Click("解析");
    ASSERT_EQ(LastMessage(), "解析完成") << draft;
    Answer(dir_ / "out.srt");
    Click("导出");
    // The expected text is UTF-8; the window writes the same text in code page 936.
    rt::OwnedText expected(json::Utf8ToGbk(ReadFile(entry.path()).c_str()));
    EXPECT_EQ(ReadFile(dir_ / "out.srt"), rt::TextToString(expected.get())) << draft;
    checked++;
  }
  EXPECT_GT(checked, 0);
}

}  // namespace
