#include "runtime/window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/draft_parse.h"
#include "app/handlers.h"
#include "app/main_window.h"
#include "core/ass_text.h"
#include "core/caption_formats.h"
#include "core/caption_merge.h"
#include "core/caption_tracks.h"
#include "core/draft_reader_simdjson.h"
#include "core/timeline.h"
#include "json/encoding.h"
#include "json/parse_arena.h"
#include "loader/json_library.h"
#include "platform/posix/standin.h"
#include "platform/text_encoding.h"
#include "runtime/drop_down_list.h"
#include "runtime/program.h"
#include "runtime/services.h"
#include "runtime/window_template.h"
#include "tests/real_drafts.h"
#include "ui/file_dialog.h"
#include "ui/grid_ctrl.h"
#include "ui/table_commands.h"
#include "ui/table_component.h"
#include "ui/table_settings.h"

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

// How many characters of a UTF-8 text do not come back from code page 936, each
// converted alone.
size_t LostInCodePage936(const std::string& utf8) {
  size_t lost = 0;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    std::string character = utf8.substr(i, n);
    rt::OwnedText gbk(json::Utf8ToGbk(character.c_str()));
    rt::OwnedText back(json::GbkToUtf8(gbk.get()));
    if (rt::TextToString(back.get()) != character) lost++;
    i += n;
  }
  return lost;
}

std::string Cell(int32_t row, int32_t column) {
  ui::CellTextResult cell =
      ui::TableGetCellText(app::kMainWindow, app::kSubtitleTable, row, column);
  return cell.isText ? rt::TextToString(cell.text.get()) : "<none>";
}

int64_t TableRows() {
  return rt::Services().ReadComponentProperty(app::kMainWindow, app::kSubtitleTable,
                                              rt::kFirstOwnProperty + 9, -1);
}

// The path a file dialog holds, in UTF-8.
std::string DialogFileName(rt::ComponentId dialog) {
  return ui::DialogPathUtf8(app::kMainWindow, dialog, ui::kDialogFileName);
}

// The main window's view, whatever its title says.
platform::View* MainView() { return rt::FindLoadedWindow(app::kMainWindow)->View(); }

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("subvane-window-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    setenv("SUBVANE_APPDATA", u8"C:\\Users\\Nguyễn Văn An\\AppData\\Roaming\\", 1);
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

  // The next dialog is confirmed with `path` (or cancelled when empty), with the
  // filter's pair `filterIndex` (from 1) selected, or the one it opened with.
  void Answer(const fs::path& path, ui::FileDialogRequest* seen = nullptr,
              uint32_t filterIndex = 0) {
    ui::SetFileDialogAnswer([path, seen, filterIndex](const ui::FileDialogRequest& request,
                                                      ui::FileDialogChoice* choice) {
      if (seen) *seen = request;
      if (path.empty()) return false;
      choice->path = path.string();
      if (filterIndex != 0) choice->filterIndex = filterIndex;
      return true;
    });
  }

  // Exports to `path` with the save dialog's first file type (code page 936) or its
  // second (UTF-8).
  void Export(const fs::path& path, bool utf8) {
    Answer(path, nullptr, utf8 ? 2 : 1);
    Click("导出");
  }

  void Drop(std::vector<std::string> paths) {
    platform::standin::DropFiles(MainView(), std::move(paths));
    rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
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

TEST(DraftStatusMessage, TellsEncryptedDraftsApart) {
  EXPECT_EQ(app::DraftStatusMessage(core::DraftStatus::kOk), nullptr);
  auto cp936 = [](core::DraftStatus status) {
    return platform::Utf16ToCp936(app::DraftStatusMessage(status));
  };
  std::string encrypted = cp936(core::DraftStatus::kEncrypted);
  std::string notJson = cp936(core::DraftStatus::kNotJson);
  EXPECT_NE(encrypted, notJson);
  EXPECT_EQ(notJson, cp936(core::DraftStatus::kUnreadable));
  // Code page 936: "无法" is CE DE B7 A8.
  EXPECT_EQ(notJson.substr(0, 4), "\xCE\xDE\xB7\xA8");
  EXPECT_EQ(encrypted.substr(0, 4), "\xCE\xDE\xB7\xA8");
}

TEST_F(WindowTest, StartsInTheEditorsProjectFolderWithExportDisabled) {
  EXPECT_FALSE(FindView("导出")->enabled);
  EXPECT_TRUE(FindView("解析")->enabled);
  ui::FileDialogRequest seen;
  Answer("", &seen);
  Click("解析");
  const std::string projects =
      u8"C:\\Users\\Nguyễn Văn An\\AppData\\Local\\JianyingPro\\User Data\\Projects\\";
  EXPECT_EQ(seen.initialFolder, projects);
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

// The fill lets queued messages through as it goes; one of them may close the
// window. The fill then stops: no fatal report for the missing table, no "解析完成".
TEST_F(WindowTest, ClosingTheWindowWhileTheTableFillsEndsTheParseQuietly) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  Answer(dir_ / "draft.json");
  platform::standin::Click(FindView("解析"));
  platform::standin::Close(FindView("Subvane"));
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(rt::SystemRequest(rt::kRequestWindowObject, app::kMainWindow, 0), 0);
  EXPECT_TRUE(MessageBoxes().empty());
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
  WriteFile(dir_ / "string.json", "\"draft\"");
  WriteFile(dir_ / "array.json", "[]");
  WriteFile(dir_ / "wrapped.json", std::string("[") + kThreeSubtitles + "]");
  std::string base64(120, 'Q');
  base64 += "==\n";
  WriteFile(dir_ / "encrypted.json", base64);
  const char* notDrafts[] = {"empty.json", "text.json",    "scalar.json", "string.json",
                             "array.json", "wrapped.json", "missing.json"};
  for (const char* name : notDrafts) {
    Answer(dir_ / name);
    Click("解析");
    EXPECT_EQ(LastMessage(), "无法解析所选文件：它不是有效的剪映草稿（JSON）。") << name;
  }
  Answer(dir_ / "encrypted.json");
  Click("解析");
  EXPECT_EQ(LastMessage(),
            "无法解析所选文件：该草稿已被剪映加密（6.0 及以上版本），无法读取字幕。"
            "请在剪映中使用自带的字幕导出功能。");
  EXPECT_EQ(MessageBoxes().size(), boxes + 8);
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
  EXPECT_EQ(LastMessage(), "解析完成，但时间线上没有字幕。");
  EXPECT_TRUE(FindView("导出")->enabled);
  Answer(dir_ / "out.srt");
  Click("导出");
  EXPECT_EQ(LastMessage(), "导出完成");
  EXPECT_EQ(ReadFile(dir_ / "out.srt"), "");
}

// Vietnamese and an emoji: code page 936 holds some of these letters, not all.
const char kVietnamese[] =
    u8R"({"materials":{"texts":[{"id":"a","content":"Xin chào các bạn 😀"},)"
    u8R"({"id":"b","content":"Tiếng Việt cân? 你好"}]},"tracks":[{"segments":[)"
    u8R"({"material_id":"a","target_timerange":{"start":0,"duration":1000000}},)"
    u8R"({"material_id":"b","target_timerange":{"start":1000000,"duration":1000000}}]}]})";

const char kVietnameseSrt[] =
    u8"1\r\n00:00:00,000 --> 00:00:01,000\r\nXin chào các bạn 😀\r\n\r\n"
    u8"2\r\n00:00:01,000 --> 00:00:02,000\r\nTiếng Việt cân? 你好\r\n\r\n";

ui::CGridCtrl& Grid() {
  auto* table = dynamic_cast<ui::TableComponent*>(
      rt::FindLoadedWindow(app::kMainWindow)->FindComponent(app::kSubtitleTable));
  return table->Grid();
}

TEST_F(WindowTest, TheTableKeepsEveryCharacterAndUtf8ExportWritesThemAll) {
  WriteFile(dir_ / "vi.json", kVietnamese);
  Answer(dir_ / "vi.json");
  Click("解析");
  ASSERT_EQ(LastMessage(), "解析完成");
  // The cell shows the draft's text; the commands read it in code page 936.
  const std::u16string shown = u"Xin chào các bạn 😀";
  EXPECT_EQ(ui::TableGetCellWideText(app::kMainWindow, app::kSubtitleTable, 1, 2).text, shown);
  EXPECT_EQ(Cell(1, 2),
            "Xin ch\xA8\xA4o c\xA8\xA2"
            "c b?n ??");

  Export(dir_ / "utf8.srt", true);
  EXPECT_EQ(LastMessage(), "导出完成");
  EXPECT_EQ(ReadFile(dir_ / "utf8.srt"), kVietnameseSrt);

  // An edit of such a cell stays wide, and so does the file.
  ui::CGridCtrl& grid = Grid();
  ASSERT_TRUE(grid.BeginEdit(2, 2, ui::EditCaret::AtEnd, nullptr));
  grid.EndEdit(ui::EditEnd::Return, u"Đã sửa ạ 🎬");
  Export(dir_ / "edited.srt", true);
  const std::string edited = u8"\r\nĐã sửa ạ 🎬\r\n\r\n";
  EXPECT_NE(ReadFile(dir_ / "edited.srt").find(edited), std::string::npos);
}

TEST_F(WindowTest, CodePage936ExportSaysHowManyCharactersItCouldNotHold) {
  WriteFile(dir_ / "vi.json", kVietnamese);
  Answer(dir_ / "vi.json");
  Click("解析");
  Export(dir_ / "gbk.srt", false);
  // ạ, the emoji (one character, two "?"), ế, ệ and â (written as a); the "?" of the
  // text is no loss.
  EXPECT_EQ(LastMessage(),
            "导出完成，但有 5 个字符无法用 GBK 表示，已写作“?”。"
            "要保留全部字符，请在保存类型中选择“字幕文件 UTF-8”。");
  rt::OwnedText expected(json::Utf8ToGbk(kVietnameseSrt));
  EXPECT_EQ(ReadFile(dir_ / "gbk.srt"), rt::TextToString(expected.get()));
  EXPECT_NE(ReadFile(dir_ / "gbk.srt")
                .find(" c\xA8\xA2"
                      "c b?n ??\r\n"),
            std::string::npos);
  EXPECT_NE(ReadFile(dir_ / "gbk.srt").find("Ti?ng Vi?t can? \xC4\xE3\xBA\xC3"), std::string::npos);

  // What the table holds in code page 936 loses nothing.
  ui::TableSetCellText(app::kMainWindow, app::kSubtitleTable, 1, 2, "A?");
  ui::TableSetCellText(app::kMainWindow, app::kSubtitleTable, 2, 2, "你好");
  Export(dir_ / "gbk.srt", false);
  EXPECT_EQ(LastMessage(), "导出完成");
}

TEST_F(WindowTest, TheSaveDialogOffersUtf8AsASecondFileType) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  Answer(dir_ / "draft.json");
  Click("解析");
  ui::FileDialogRequest seen;
  Answer(dir_ / "out.srt", &seen);
  Click("导出");
  EXPECT_EQ(seen.FilterStrings(),
            (std::vector<std::string>{"字幕文件（*.srt）", "*.srt", "字幕文件 UTF-8（*.srt）",
                                      "*.srt", "WebVTT 字幕（*.vtt）", "*.vtt", "纯文本（*.txt）",
                                      "*.txt", "ASS 字幕（*.ass）", "*.ass"}));
  EXPECT_EQ(seen.filterIndex, 1u);
  rt::OwnedText filter(static_cast<char*>(rt::WordsPointer(rt::Services().ReadComponentProperty(
      app::kMainWindow, app::kSaveSrtDialog, rt::kFirstOwnProperty + ui::kDialogFilter, -1))));
  EXPECT_STREQ(filter.get(),
               "字幕文件（*.srt）|*.srt|字幕文件 UTF-8（*.srt）|*.srt|WebVTT 字幕（*.vtt）|*.vtt|"
               "纯文本（*.txt）|*.txt|ASS 字幕（*.ass）|*.ass");
  EXPECT_EQ(ReadFile(dir_ / "out.srt").find("\xC4\xE3\xBA\xC3"), 34u);  // 你好 in GBK
}

TEST_F(WindowTest, ADroppedDraftIsParsedAsIfChosenInTheDialog) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  WriteFile(dir_ / "other.json", kVietnamese);
  Drop({(dir_ / "draft.json").string(), (dir_ / "other.json").string()});
  EXPECT_EQ(LastMessage(), "解析完成");
  EXPECT_EQ(MessageBoxes().size(), 1u);
  EXPECT_EQ(app::SubtitleCount, 3);
  EXPECT_EQ(Cell(1, 2), "你好");
  EXPECT_TRUE(FindView("导出")->enabled);
  EXPECT_TRUE(FindView("解析")->enabled);
  EXPECT_EQ(DialogFileName(app::kOpenDraftDialog), (dir_ / "draft.json").string());

  // What is not a draft is explained as from the dialog, and changes nothing.
  WriteFile(dir_ / "notes.json", "not json");
  Drop({(dir_ / "notes.json").string()});
  EXPECT_EQ(LastMessage(), "无法解析所选文件：它不是有效的剪映草稿（JSON）。");
  EXPECT_EQ(app::SubtitleCount, 3);
}

TEST_F(WindowTest, ADroppedProjectFolderOpensItsMainTimeline) {
  fs::path project = dir_ / "项目 1";
  fs::create_directories(project / "Timelines" / "7F3A");
  WriteFile(project / "draft_content.json", kThreeSubtitles);
  WriteFile(project / "Timelines" / "project.json", R"({"main_timeline_id":"7F3A"})");
  WriteFile(project / "Timelines" / "7F3A" / "draft_info.json", kVietnamese);
  Drop({project.string()});
  EXPECT_EQ(LastMessage(), "解析完成");
  EXPECT_EQ(app::SubtitleCount, 2);
  EXPECT_EQ(DialogFileName(app::kOpenDraftDialog),
            (project / "Timelines" / "7F3A" / "draft_info.json").string());
  EXPECT_TRUE(FindView("导出")->enabled);

  // Without Timelines/ the folder's own draft counts; without any draft, the user is told.
  fs::remove_all(project / "Timelines");
  Drop({project.string() + "/"});
  EXPECT_EQ(app::SubtitleCount, 3);
  EXPECT_EQ(DialogFileName(app::kOpenDraftDialog), (project / "draft_content.json").string());
  fs::create_directories(dir_ / "empty");
  size_t boxes = MessageBoxes().size();
  Drop({(dir_ / "empty").string(), (dir_ / "draft.json").string()});
  EXPECT_EQ(MessageBoxes().size(), boxes + 1);
  EXPECT_EQ(LastMessage(),
            "无法解析所选文件夹：其中没有剪映草稿（draft_content.json 或 draft_info.json）。");
  EXPECT_EQ(app::SubtitleCount, 3);
  EXPECT_EQ(DialogFileName(app::kOpenDraftDialog), (project / "draft_content.json").string());
}

// Paths with characters that code page 936 lacks, at any length, open by a drop, a
// dropped folder and the dialog, name the window and the offered file, and export.
TEST_F(WindowTest, AnyPathOpensAndExportsWithEveryCharacter) {
  fs::path project = dir_ / u8"Nguyễn Văn An" / u8"Phụ đề tập 1";
  for (const char* part : {u8"คำบรรยาย", u8"자막", u8"ترجمة"})
    project /= std::string(part) + std::string(80, 'x');
  ASSERT_GT(project.string().size(), 300u);
  fs::create_directories(project);
  WriteFile(project / "draft_content.json", kVietnamese);
  WriteFile(project / "draft_meta_info.json", u8R"({"draft_name":"คำบรรยาย: Phụ đề/1"})");
  Drop({project.string()});
  EXPECT_EQ(LastMessage(), "解析完成");
  EXPECT_EQ(app::SubtitleCount, 2);
  EXPECT_EQ(DialogFileName(app::kOpenDraftDialog), (project / "draft_content.json").string());
  const std::u16string title = u"คำบรรยาย: Phụ đề/1 - Subvane";
  const std::string offered = u8"คำบรรยาย_ Phụ đề_1.srt";
  EXPECT_EQ(MainView()->wideText, title);
  EXPECT_EQ(DialogFileName(app::kSaveSrtDialog), offered);

  fs::path file = dir_ / u8"ترجمة.json";
  WriteFile(file, kThreeSubtitles);
  Drop({file.string()});
  EXPECT_EQ(app::SubtitleCount, 3);
  Answer(project / "draft_content.json");
  Click("解析");
  EXPECT_EQ(app::SubtitleCount, 2);
  fs::path out = project / u8"자막 Phụ đề";
  Export(out, true);
  EXPECT_EQ(LastMessage(), "导出完成");
  const std::string caption = u8"Xin chào các bạn";
  EXPECT_NE(ReadFile(out.string() + ".srt").find(caption), std::string::npos);
}

TEST_F(WindowTest, ADropWhileAParseRunsIsIgnored) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  WriteFile(dir_ / "vi.json", kVietnamese);
  Answer(dir_ / "draft.json");
  // The drop arrives while the table fills, and again while "解析完成" is shown.
  platform::standin::SetMessageBoxResponder([&](const platform::standin::MessageBoxCall&) {
    platform::standin::DropFiles(MainView(), {(dir_ / "vi.json").string()});
    rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
    return 1;
  });
  platform::standin::Click(FindView("解析"));
  platform::standin::DropFiles(MainView(), {(dir_ / "vi.json").string()});
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(MessageBoxes().size(), 1u);
  EXPECT_EQ(app::SubtitleCount, 3);
  EXPECT_EQ(DialogFileName(app::kOpenDraftDialog), (dir_ / "draft.json").string());
  platform::standin::SetMessageBoxResponder(nullptr);

  // Afterwards a drop is taken again.
  Drop({(dir_ / "vi.json").string()});
  EXPECT_EQ(app::SubtitleCount, 2);
}

TEST_F(WindowTest, AParsedProjectNamesTheWindowAndTheSubtitleFile) {
  fs::path project = dir_ / "0412";
  fs::create_directories(project);
  WriteFile(project / "draft_content.json", kThreeSubtitles);
  WriteFile(project / "draft_meta_info.json", u8R"({"draft_name":"旅行 Vlog: 第1天"})");
  Drop({project.string()});
  EXPECT_NE(FindView("旅行 Vlog: 第1天 - Subvane"), nullptr);
  EXPECT_EQ(DialogFileName(app::kSaveSrtDialog), u8"旅行 Vlog_ 第1天.srt");

  // Without a name in the project's meta file, the folder's name counts.
  fs::remove(project / "draft_meta_info.json");
  Answer(project / "draft_content.json");
  Click("解析");
  EXPECT_NE(FindView("0412 - Subvane"), nullptr);
  EXPECT_EQ(DialogFileName(app::kSaveSrtDialog), "0412.srt");
}

TEST_F(WindowTest, TheOpenDialogStartsInTheEditorsDraftFolder) {
  fs::path home = dir_ / "home";
  fs::path jianying = home / "Movies" / "JianyingPro" / "User Data";
  fs::path capcut = home / "Movies" / "CapCut" / "User Data";
  fs::path custom = dir_ / "my drafts";
  setenv("HOME", home.c_str(), 1);
  auto opened = [&] {
    rt::ResetRuntimeForTests();
    platform::standin::Reset();
    rt::SetProgramForTests(app::Program());
    rt::InitRuntime();
    rt::LoadStartWindow(app::kMainWindow);
    ui::FileDialogRequest seen;
    Answer("", &seen);
    Click("解析");
    return seen.initialFolder;
  };
  fs::create_directories(capcut / "Projects" / "com.lveditor.draft");
  EXPECT_EQ(opened(), (capcut / "Projects" / "com.lveditor.draft").string() + "/");
  fs::create_directories(jianying / "Projects" / "com.lveditor.draft");
  EXPECT_EQ(opened(), (jianying / "Projects" / "com.lveditor.draft").string() + "/");
  fs::create_directories(jianying / "Config");
  WriteFile(jianying / "Config" / "globalSetting",
            "[General]\ncurrentCustomDraftPath=" + custom.string() + "\n");
  // A custom folder that does not exist is passed over; once it does, it comes first.
  EXPECT_EQ(opened(), (jianying / "Projects" / "com.lveditor.draft").string() + "/");
  fs::create_directories(custom);
  EXPECT_EQ(opened(), custom.string() + "/");
}

TEST_F(WindowTest, ADraftTooLargeForTheMemoryLeavesTheTableAsItWas) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  WriteFile(dir_ / "large.json", kVietnamese);
  Answer(dir_ / "draft.json");
  Click("解析");
  ui::TableSetCellText(app::kMainWindow, app::kSubtitleTable, 2, 2, "改过");
  json::ParseArena::RefuseBlocksForTests(1);
  Answer(dir_ / "large.json");
  Click("解析");
  json::ParseArena::RefuseBlocksForTests(0);
  EXPECT_EQ(LastMessage(), "无法解析所选文件：草稿太大，内存不足。");
  EXPECT_EQ(app::SubtitleCount, 3);
  EXPECT_EQ(TableRows(), 4);
  EXPECT_EQ(Cell(2, 2), "改过");
  EXPECT_TRUE(FindView("导出")->enabled);
  EXPECT_NE(FindView(dir_.filename().string() + " - Subvane"), nullptr);  // still the first draft
}

TEST_F(WindowTest, AnEncryptedDraftIsReadFromItsPlainCopy) {
  fs::path project = dir_ / "secret";
  fs::create_directories(project);
  WriteFile(project / "draft_content.json", std::string(300, 'Q') + "==");
  Answer(project / "draft_content.json");
  Click("解析");
  EXPECT_EQ(LastMessage(),
            "无法解析所选文件：该草稿已被剪映加密（6.0 及以上版本），无法读取字幕。"
            "请在剪映中使用自带的字幕导出功能。");
  WriteFile(project / "draft_content.json.bak", kThreeSubtitles);
  Click("解析");
  const std::string said = LastMessage();
  const std::string start =
      "解析完成。草稿已被剪映加密，字幕取自较早的未加密副本 draft_content.json.bak（保存于 ";
  EXPECT_EQ(said.substr(0, start.size()), start) << said;
  EXPECT_EQ(said.size(), start.size() + 16 + std::string("），可能不是最新内容。").size()) << said;
  EXPECT_EQ(app::SubtitleCount, 3);
  EXPECT_EQ(Cell(1, 2), "你好");
}

TEST_F(WindowTest, RealDraftsExportTheirExpectedText) {
  fs::path drafts = SUBVANE_DRAFTS_DIR;
  SKIP_OR_FAIL_WITHOUT_DRAFTS(fs::exists(drafts), SUBVANE_DRAFTS_DIR);
  int checked = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(drafts)) {
    std::string name = entry.path().filename().string();
    const std::string suffix = ".expected.srt";
    if (name.size() <= suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    fs::path draft = drafts / (name.substr(0, name.size() - suffix.size()) + ".json");
    Answer(draft);
    Click("解析");
    std::string utf8 = ReadFile(entry.path());
    ASSERT_EQ(LastMessage(), utf8.empty() ? "解析完成，但时间线上没有字幕。" : "解析完成") << draft;
    Export(dir_ / "out.srt", true);
    EXPECT_EQ(LastMessage(), "导出完成") << draft;
    EXPECT_EQ(ReadFile(dir_ / "out.srt"), utf8) << draft;

    // In code page 936 the same text, and a count of the characters it has no form for.
    Export(dir_ / "out.srt", false);
    rt::OwnedText expected(json::Utf8ToGbk(utf8.c_str()));
    EXPECT_EQ(ReadFile(dir_ / "out.srt"), rt::TextToString(expected.get())) << draft;
    size_t lost = LostInCodePage936(utf8);
    EXPECT_EQ(LastMessage(), lost == 0 ? "导出完成"
                                       : "导出完成，但有 " + std::to_string(lost) +
                                             " 个字符无法用 GBK 表示，已写作“?”。"
                                             "要保留全部字符，请在保存类型中选择“字幕文件 UTF-8”。")
        << draft;
    checked++;
  }
  EXPECT_GT(checked, 0);
}

// ---- Every format, one track at a time, no edit lost ----------------------------------

// What subvane-cli writes for `draft` in `format`: all shown captions (with `merge` as
// --merge-tracks merges them), or those of caption track `trackNumber` (from 1) as
// --track picks them. Read with the command-line tool's parser, not the window's.
std::string CliCaptions(const fs::path& draft, core::CaptionFormat format, int trackNumber = 0,
                        bool merge = false) {
  std::string bytes = ReadFile(draft);
  bytes.reserve(bytes.size() + core::kSimdjsonPadding);
  core::DraftModel model;
  EXPECT_EQ(core::ReadDraftModelSimdjson(bytes.data(), bytes.size(), bytes.capacity(), model),
            core::SimdjsonRead::kOk)
      << draft;
  std::vector<core::Subtitle> timeline = core::TimelineSubtitles(model);
  std::vector<core::CaptionTrack> tracks = core::CaptionTracksOf(model, timeline);
  std::vector<core::Subtitle> subtitles =
      trackNumber == 0 ? core::ShownSubtitles(timeline)
                       : core::SubtitlesOnTracks(
                             timeline, {tracks.at(static_cast<size_t>(trackNumber) - 1).track});
  if (format == core::CaptionFormat::kAss) {
    return core::AssText(core::AssCuesOf(model, subtitles, merge), core::DraftCanvasOf(model),
                         tracks);
  }
  return core::CaptionFileText(merge ? core::MergeTracks(subtitles) : subtitles, format);
}

// The save dialog's pairs, from 1: WebVTT, text and ASS.
constexpr uint32_t kVttType = 3;
constexpr uint32_t kTxtType = 4;
constexpr uint32_t kAssType = 5;

platform::View* TrackList() {
  std::vector<platform::View*> lists = platform::standin::DropDownLists();
  return lists.size() == 1 ? lists[0] : nullptr;
}

int64_t TrackListSelection() {
  return rt::Services().ReadComponentProperty(app::kMainWindow, app::kTrackList,
                                              rt::kFirstOwnProperty + rt::kListSelection, -1);
}

// The user's own edit of a cell, committed as leaving its box does.
void UserEdit(int32_t row, int32_t column, const ui::WideText& text) {
  ASSERT_TRUE(Grid().BeginEdit(row, column, ui::EditCaret::AtEnd, nullptr));
  Grid().EndEdit(ui::EditEnd::Return, text);
}

// Two caption tracks at the same times: Chinese, then English, whose first caption is
// longer than a list item shows.
const char kTwoTracks[] =
    u8R"({"materials":{"texts":[{"id":"z1","content":"你好"},{"id":"z2","content":"再见"},)"
    u8R"({"id":"e1","content":"Hello there, my good friends & <family>\nsecond line"},)"
    u8R"({"id":"e2","content":"Goodbye"}]},"tracks":[)"
    u8R"({"type":"text","segments":[)"
    u8R"({"material_id":"z1","target_timerange":{"start":0,"duration":1500000}},)"
    u8R"({"material_id":"z2","target_timerange":{"start":1500000,"duration":1500000}}]},)"
    u8R"({"type":"text","segments":[)"
    u8R"({"material_id":"e1","target_timerange":{"start":0,"duration":1500000}},)"
    u8R"({"material_id":"e2","target_timerange":{"start":1500000,"duration":1500000}}]}]})";

TEST_F(WindowTest, WebVttTextAndAssExportsAreWhatTheCommandLineToolWrites) {
  fs::path drafts = SUBVANE_DRAFTS_DIR;
  SKIP_OR_FAIL_WITHOUT_DRAFTS(fs::exists(drafts), SUBVANE_DRAFTS_DIR);
  int checked = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(drafts)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".json" || name == "encrypted.json") continue;
    Answer(entry.path());
    Click("解析");
    ASSERT_EQ(LastMessage().rfind("解析完成", 0), 0u) << name;
    // All tracks, all tracks merged, then each track the list offers when there is a choice.
    auto items = TrackList()->enabled ? static_cast<int>(TrackList()->items.size()) : 1;
    for (int item = 0; item < items; ++item) {
      int track = item < 2 ? 0 : item - 1;
      bool merged = item == 1;
      if (item > 0) {
        platform::standin::ChooseListItem(TrackList(), item);
        rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
        ASSERT_EQ(TrackListSelection(), item) << name;
      }
      Answer(dir_ / "out", nullptr, kVttType);  // a bare name takes the type's extension
      Click("导出");
      EXPECT_EQ(LastMessage(), "导出完成") << name;
      EXPECT_EQ(ReadFile(dir_ / "out.vtt"),
                CliCaptions(entry.path(), core::CaptionFormat::kVtt, track, merged))
          << name << " item " << item;
      Answer(dir_ / "out.txt", nullptr, kTxtType);
      Click("导出");
      EXPECT_EQ(ReadFile(dir_ / "out.txt"),
                CliCaptions(entry.path(), core::CaptionFormat::kTxt, track, merged))
          << name << " item " << item;
      Answer(dir_ / "out", nullptr, kAssType);
      Click("导出");
      EXPECT_EQ(LastMessage(), "导出完成") << name;
      EXPECT_TRUE(ReadFile(dir_ / "out.ass") ==
                  CliCaptions(entry.path(), core::CaptionFormat::kAss, track, merged))
          << name << " item " << item;
      checked++;
    }
  }
  EXPECT_GT(checked, 10);
}

TEST_F(WindowTest, TheTrackListOffersEachCaptionTrackAndFillsTheTableWithIt) {
  WriteFile(dir_ / "two.json", kTwoTracks);
  WriteFile(dir_ / "one.json", kThreeSubtitles);
  ASSERT_NE(TrackList(), nullptr);
  EXPECT_FALSE(TrackList()->enabled);  // nothing to choose before a parse
  EXPECT_TRUE(TrackList()->items.empty());

  Answer(dir_ / "two.json");
  Click("解析");
  EXPECT_TRUE(TrackList()->enabled);
  EXPECT_EQ(TrackList()->items,
            (std::vector<std::u16string>{u"全部轨道（4 条）", u"全部轨道合并为双语（2 条）",
                                         u"轨道 1：你好（2 条）",
                                         u"轨道 2：Hello there, my good...（2 条）"}));
  EXPECT_EQ(TrackList()->selection, 0);
  EXPECT_EQ(app::SubtitleCount, 4);

  // Both languages of one time in one row, in track order.
  platform::standin::ChooseListItem(TrackList(), 1);
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(app::SubtitleCount, 2);
  EXPECT_EQ(Cell(1, 2), "你好\r\nHello there, my good friends & <family>\r\nsecond line");
  EXPECT_EQ(Cell(2, 1), "00:00:01,500 --> 00:00:03,000");

  platform::standin::ChooseListItem(TrackList(), 3);
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(app::SubtitleCount, 2);
  EXPECT_EQ(TableRows(), 3);
  EXPECT_EQ(Cell(1, 2), "Hello there, my good friends & <family>\r\nsecond line");
  EXPECT_EQ(Cell(2, 0), "2");
  EXPECT_EQ(Cell(2, 2), "Goodbye");
  EXPECT_TRUE(FindView("导出")->enabled && FindView("解析")->enabled && TrackList()->enabled);
  // Export writes the track on show; WebVTT escapes what it would read as markup.
  Export(dir_ / "english.srt", true);
  EXPECT_EQ(ReadFile(dir_ / "english.srt"),
            "1\r\n00:00:00,000 --> 00:00:01,500\r\n"
            "Hello there, my good friends & <family>\r\nsecond line\r\n\r\n"
            "2\r\n00:00:01,500 --> 00:00:03,000\r\nGoodbye\r\n\r\n");
  Answer(dir_ / "english.vtt", nullptr, kVttType);
  Click("导出");
  EXPECT_EQ(ReadFile(dir_ / "english.vtt"),
            "WEBVTT\r\n\r\n00:00:00.000 --> 00:00:01.500\r\n"
            "Hello there, my good friends &amp; &lt;family&gt;\r\nsecond line\r\n\r\n"
            "00:00:01.500 --> 00:00:03.000\r\nGoodbye\r\n\r\n");
  platform::standin::ChooseListItem(TrackList(), 0);
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(app::SubtitleCount, 4);
  EXPECT_EQ(Cell(2, 2), "Hello there, my good friends & <family>\r\nsecond line");

  // With one caption track there is nothing to choose: the list says what the table
  // holds and takes no choice.
  Answer(dir_ / "one.json");
  Click("解析");
  EXPECT_FALSE(TrackList()->enabled);
  EXPECT_EQ(TrackList()->items,
            (std::vector<std::u16string>{u"全部轨道（3 条）", u"轨道 1：你好（3 条）"}));
  platform::standin::ChooseListItem(TrackList(), 1);
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(TrackListSelection(), 0);
  // A second draft starts again from all of its tracks.
  Drop({(dir_ / "two.json").string()});
  EXPECT_TRUE(TrackList()->enabled);
  EXPECT_EQ(TrackListSelection(), 0);
  EXPECT_EQ(app::SubtitleCount, 4);
}

TEST_F(WindowTest, EditedRowsAreReadBackForWebVttAndText) {
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  Answer(dir_ / "draft.json");
  Click("解析");
  UserEdit(1, 2, u"\r\nTiếng Việt 😀\r\n\r\nline <2>\r\n");  // blank lines tidied as a draft's
  UserEdit(2, 1, u" 00:00:01.250-->00:00:02,000 ");         // a full stop and spaces pass
  Answer(dir_ / "edited.vtt", nullptr, kVttType);
  Click("导出");
  EXPECT_EQ(LastMessage(), "导出完成");
  const std::string vtt =
      u8"WEBVTT\r\n\r\n00:00:00.000 --> 00:00:01.500\r\nTiếng Việt 😀\r\nline &lt;2&gt;\r\n\r\n"
      u8"00:00:01.250 --> 00:00:02.000\r\n再见\r\n\r\n"
      u8"00:00:03.000 --> 00:00:04.000\r\nline\r\nbreak\r\n\r\n";
  EXPECT_EQ(ReadFile(dir_ / "edited.vtt"), vtt);
  Answer(dir_ / "edited", nullptr, kTxtType);
  Click("导出");
  const std::string text = u8"Tiếng Việt 😀 line <2>\r\n再见\r\nline break\r\n";
  EXPECT_EQ(ReadFile(dir_ / "edited.txt"), text);

  // A time cell that holds no time range stops a WebVTT export with the row named; the
  // file is not touched, and the edits still count as not exported.
  const ui::WideText badTimes[] = {u"soon", u"00:00:02,000 --> 00:00:01,000",
                                   u"00:00:01,000 --> 00:61:00,000", u"00:00:01,000"};
  for (const ui::WideText& bad : badTimes) {
    UserEdit(3, 1, bad);
    WriteFile(dir_ / "edited.vtt", "old");
    Answer(dir_ / "edited.vtt", nullptr, kVttType);
    Click("导出");
    EXPECT_EQ(LastMessage(),
              "无法导出为 WebVTT：第 3 行的时间不是“00:00:01,000 --> 00:00:02,500”这样的时间范围，"
              "或结束早于开始。请改正后再导出。");
    EXPECT_EQ(ReadFile(dir_ / "edited.vtt"), "old");
  }
  // Text needs no times; SRT writes the cell as it stands.
  Answer(dir_ / "edited.txt", nullptr, kTxtType);
  Click("导出");
  EXPECT_EQ(LastMessage(), "导出完成");
  Export(dir_ / "edited.srt", true);
  EXPECT_NE(ReadFile(dir_ / "edited.srt").find("3\r\n00:00:01,000\r\nline"), std::string::npos);
}

// An edited row goes into the ASS file with its cells' time and text in the look of its
// first caption; the rows as they were keep each caption's own style.
TEST_F(WindowTest, EditedRowsKeepTheirLookInAnAssExport) {
  WriteFile(dir_ / "two.json", kTwoTracks);
  Answer(dir_ / "two.json");
  Click("解析");
  platform::standin::ChooseListItem(TrackList(), 1);  // merged
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  UserEdit(2, 2, u"再见 {\\b1}\r\nGoodbye");
  UserEdit(2, 1, u"00:00:01,600 --> 00:00:03,000");
  Answer(dir_ / "edited", nullptr, kAssType);
  Click("导出");
  EXPECT_EQ(LastMessage(), "导出完成");
  std::string ass = ReadFile(dir_ / "edited.ass");
  EXPECT_NE(
      ass.find(u8"\r\nDialogue: 0,0:00:00.00,0:00:01.50,Track1-1,,0,0,0,,{\\pos(960,934.2)}"
               u8"你好\\N{\\rTrack2-1}Hello there, my good friends & <family>\\Nsecond line\r\n"),
      std::string::npos)
      << ass;
  EXPECT_NE(ass.find(u8"\r\nDialogue: 0,0:00:01.60,0:00:03.00,Track1-1,,0,0,0,,{\\pos(960,934.2)}"
                     u8"再见 \\{\\b1\\}\\NGoodbye\r\n"),
            std::string::npos)
      << ass;

  UserEdit(1, 1, u"later");
  WriteFile(dir_ / "edited.ass", "old");
  Answer(dir_ / "edited.ass", nullptr, kAssType);
  Click("导出");
  EXPECT_EQ(LastMessage(),
            "无法导出为 ASS：第 1 行的时间不是“00:00:01,000 --> 00:00:02,500”这样的时间范围，"
            "或结束早于开始。请改正后再导出。");
  EXPECT_EQ(ReadFile(dir_ / "edited.ass"), "old");
}

// Each way of replacing the table or leaving it asks first while an edit is not exported;
// No leaves everything as it was, Yes goes on.
TEST_F(WindowTest, EditsNotYetExportedAreNotLostWithoutAQuestion) {
  WriteFile(dir_ / "two.json", kTwoTracks);
  WriteFile(dir_ / "other.json", kThreeSubtitles);
  const char kQuestion[] = "表格中的修改还没有导出，继续将丢失这些修改。要继续吗？";
  struct Way {
    const char* name;
    std::function<void()> act;
    std::function<bool()> wentOn;
  };
  const Way ways[] = {
      {"parse",
       [this] {
         Answer(dir_ / "other.json");
         Click("解析");
       },
       [] { return app::SubtitleCount == 3; }},
      {"drop", [this] { Drop({(dir_ / "other.json").string()}); },
       [] { return app::SubtitleCount == 3; }},
      {"track",
       [] {
         platform::standin::ChooseListItem(TrackList(), 1);
         rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
       },
       [] { return app::SubtitleCount == 2; }},
      {"close",
       [] {
         platform::standin::Close(MainView());
         rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
       },
       [] { return rt::SystemRequest(rt::kRequestWindowObject, app::kMainWindow, 0) == 0; }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    TearDown();
    SetUp();
    WriteFile(dir_ / "two.json", kTwoTracks);
    WriteFile(dir_ / "other.json", kThreeSubtitles);
    Answer(dir_ / "two.json");
    Click("解析");
    const auto questions = [&] {
      return std::count_if(
          MessageBoxes().begin(), MessageBoxes().end(),
          [&](const platform::standin::MessageBoxCall& box) { return box.text == kQuestion; });
    };
    // Without an edit nothing is asked (a close would end the window: see the next test).
    if (std::string(way.name) != "close") {
      way.act();
      EXPECT_TRUE(way.wentOn());
      EXPECT_EQ(questions(), 0);
      Answer(dir_ / "two.json");
      Click("解析");
    }
    UserEdit(1, 2, u"改过");
    int answer = 7;  // No
    platform::standin::SetMessageBoxResponder([&](const platform::standin::MessageBoxCall& box) {
      return box.text == kQuestion ? answer : 1;
    });
    size_t boxes = MessageBoxes().size();
    way.act();
    ASSERT_EQ(MessageBoxes().size(), boxes + 1);
    EXPECT_EQ(MessageBoxes().back().text, kQuestion);
    EXPECT_EQ(MessageBoxes().back().flags & 0xF, 0x4u);  // Yes and No
    EXPECT_NE(rt::SystemRequest(rt::kRequestWindowObject, app::kMainWindow, 0), 0);
    EXPECT_EQ(app::SubtitleCount, 4);
    EXPECT_EQ(Cell(1, 2), "改过");
    EXPECT_EQ(TrackListSelection(), 0);
    EXPECT_EQ(DialogFileName(app::kOpenDraftDialog), (dir_ / "two.json").string());

    answer = 6;  // Yes
    way.act();
    EXPECT_EQ(MessageBoxes()[boxes + 1].text, kQuestion);
    EXPECT_TRUE(way.wentOn());
  }
}

// While the question of a track choice is shown, a drop waits for nothing: it is ignored,
// as during any other handler.
TEST_F(WindowTest, ADropWhileATrackChoiceAsksIsIgnored) {
  WriteFile(dir_ / "two.json", kTwoTracks);
  WriteFile(dir_ / "other.json", kThreeSubtitles);
  Answer(dir_ / "two.json");
  Click("解析");
  UserEdit(1, 2, u"改过");
  bool dropped = false;
  platform::standin::SetMessageBoxResponder([&](const platform::standin::MessageBoxCall&) {
    if (!dropped) {
      dropped = true;
      platform::standin::DropFiles(MainView(), {(dir_ / "other.json").string()});
      rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
    }
    return 7;  // No
  });
  size_t boxes = MessageBoxes().size();
  platform::standin::ChooseListItem(TrackList(), 2);
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_TRUE(dropped);
  EXPECT_EQ(MessageBoxes().size(), boxes + 1);
  EXPECT_EQ(app::SubtitleCount, 4);
  EXPECT_EQ(Cell(1, 2), "改过");
  EXPECT_EQ(TrackListSelection(), 0);
}

TEST_F(WindowTest, AfterAnExportNothingIsAskedUntilTheNextEdit) {
  WriteFile(dir_ / "two.json", kTwoTracks);
  Answer(dir_ / "two.json");
  Click("解析");
  UserEdit(1, 2, u"改过");
  // A failed export keeps the question.
  Answer(dir_ / "no-such-folder" / "out.srt");
  Click("导出");
  size_t boxes = MessageBoxes().size();
  platform::standin::SetMessageBoxResponder(
      [](const platform::standin::MessageBoxCall&) { return 7; });
  platform::standin::ChooseListItem(TrackList(), 1);
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(MessageBoxes().size(), boxes + 1);
  EXPECT_EQ(TrackListSelection(), 0);

  // Choosing the item on show again is no choice: nothing asked, nothing refilled.
  platform::standin::ChooseListItem(TrackList(), 0);
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(MessageBoxes().size(), boxes + 1);
  EXPECT_EQ(Cell(1, 2), "改过");

  platform::standin::SetMessageBoxResponder(nullptr);
  Export(dir_ / "out.srt", true);
  EXPECT_EQ(LastMessage(), "导出完成");
  boxes = MessageBoxes().size();
  platform::standin::ChooseListItem(TrackList(), 1);
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(MessageBoxes().size(), boxes);
  EXPECT_EQ(app::SubtitleCount, 2);
  // Cells the program writes, and an edit that changes nothing, count as no edit.
  ASSERT_TRUE(Grid().BeginEdit(1, 2, ui::EditCaret::AtEnd, nullptr));
  Grid().EndEdit(ui::EditEnd::Return, Grid().EditOriginal());
  platform::standin::Close(MainView());
  rt::SystemRequest(rt::kRequestProcessMessages, 0, 0);
  EXPECT_EQ(MessageBoxes().size(), boxes);
  EXPECT_EQ(rt::SystemRequest(rt::kRequestWindowObject, app::kMainWindow, 0), 0);
}

// Sized by the user, the window keeps its buttons where they are, and its table grows
// and shrinks with it, the caption column taking the change; it refuses to become too
// small for both buttons and the three column titles.
TEST_F(WindowTest, TheTableFollowsTheWindowsSize) {
  platform::View* window = FindView("Subvane");
  rt::Window* live = rt::FindLoadedWindow(app::kMainWindow);
  ASSERT_TRUE(window && live);
  auto* table = static_cast<ui::TableComponent*>(live->FindComponent(app::kSubtitleTable));
  const platform::Bounds start = live->PlacedBounds(*table);
  EXPECT_EQ(std::vector<int>({start.left, start.top, start.width, start.height}),
            std::vector<int>({96, 40, 624, 312}));
  platform::standin::Resize(window, 1200, 760);
  platform::Bounds grown = live->PlacedBounds(*table);
  EXPECT_EQ(grown.width, 624 + 1200 - 738);
  EXPECT_EQ(grown.height, 312 + 760 - 387);
  EXPECT_EQ(table->Grid().ColumnWidth(2), 350 + 1200 - 738);
  EXPECT_EQ(table->Grid().ColumnWidth(1), 200);
  EXPECT_EQ(live->PlacedBounds(*live->FindComponent(app::kExportButton)).left, 8);

  int width = 0, height = 0;
  live->MinimumClientSize(&width, &height);
  // The table at 50 + 200 + 100 (the caption title) and its edges, and its margin.
  EXPECT_EQ(width, 96 + 374 + 738 - 720);
  // The table below the track list at its least height (its title row, one row and its
  // frame), with the margin it keeps to the bottom edge.
  EXPECT_EQ(height, 40 + 2 * 24 + 24 + 387 - (40 + 312));
  platform::standin::Resize(window, 738, 387);
  EXPECT_EQ(table->Grid().ColumnWidth(2), 350);
}

// Moved to a monitor of 144 DPI, the window scales what it shows and then takes the
// size the system suggests: the layout is the described one, one and a half times.
TEST_F(WindowTest, ADpiChangeScalesTheLayout) {
  platform::View* window = FindView("Subvane");
  rt::Window* live = rt::FindLoadedWindow(app::kMainWindow);
  ASSERT_TRUE(window && live);
  auto* table = static_cast<ui::TableComponent*>(live->FindComponent(app::kSubtitleTable));
  WriteFile(dir_ / "draft.json", kThreeSubtitles);
  Answer(dir_ / "draft.json");
  Click("解析");
  live->OnDpiChanged(144);
  platform::standin::Resize(window, 1107, 581);
  platform::Bounds placed = live->PlacedBounds(*table);
  EXPECT_EQ(std::vector<int>({placed.left, placed.top, placed.width, placed.height}),
            std::vector<int>({144, 60, 936, 468}));  // below the track list
  const ui::CGridCtrl& grid = table->Grid();
  EXPECT_EQ(std::vector<int>({grid.ColumnWidth(0), grid.ColumnWidth(1), grid.ColumnWidth(2)}),
            std::vector<int>({75, 300, 525}));
  EXPECT_EQ(grid.RowHeight(0), 36);
  EXPECT_EQ(grid.RowHeight(3), 36);
  platform::Bounds button = live->PlacedBounds(*live->FindComponent(app::kParseButton));
  EXPECT_EQ(std::vector<int>({button.left, button.top, button.width, button.height}),
            std::vector<int>({12, 36, 120, 60}));
  // Back at 96 DPI, the described layout again.
  live->OnDpiChanged(96);
  platform::standin::Resize(window, 738, 387);
  EXPECT_EQ(live->PlacedBounds(*table).width, 624);
  EXPECT_EQ(grid.ColumnWidth(2), 350);
  EXPECT_EQ(grid.RowHeight(1), 24);
}

// The stored text the program really loads reads back as the window its typed entries
// describe: every id, name, place, setting and routine.
TEST(MainWindowDescription, StoredTextLoadsAsTheDescribedWindow) {
  const rt::ProgramDescriptor& program = app::Program();
  std::vector<rt::WindowTemplate> windows;
  std::string error;
  ASSERT_TRUE(
      rt::ParseWindowTemplates(program.templateSegment, program.templateSize, &windows, &error))
      << error;
  ASSERT_EQ(windows.size(), 1u);
  const std::vector<rt::DescribedEntry>& described = app::MainWindowDescription().Entries();
  const std::vector<rt::ComponentTemplate>& loaded = windows[0].entries;
  ASSERT_EQ(loaded.size(), described.size());
  for (size_t i = 0; i < loaded.size(); ++i) {
    const rt::ComponentTemplate& e = loaded[i];
    const rt::DescribedEntry& d = described[i];
    EXPECT_EQ(e.id, d.id) << i;
    EXPECT_EQ(e.type, d.type) << i;
    EXPECT_EQ(e.name, d.name) << i;
    EXPECT_EQ(e.text, d.text) << i;
    EXPECT_EQ(std::vector<int>({e.bounds.left, e.bounds.top, e.bounds.width, e.bounds.height}),
              std::vector<int>({d.bounds.left, d.bounds.top, d.bounds.width, d.bounds.height}))
        << i;
    EXPECT_EQ(e.visible, d.visible) << i;
    EXPECT_EQ(e.disabled, d.disabled) << i;
    EXPECT_EQ(e.settings,
              (std::map<std::string, std::string>(d.settings.begin(), d.settings.end())))
        << i;
    ASSERT_EQ(e.handlers.size(), d.handlers.size()) << i;
    for (size_t h = 0; h < e.handlers.size(); ++h) {
      EXPECT_EQ(e.handlers[h].first, d.handlers[h].first) << i;
      int32_t n = e.handlers[h].second;
      ASSERT_TRUE(n >= 0 && n < program.routineCount) << i;
      EXPECT_EQ(program.codeBase[n], d.handlers[h].second) << i;
    }
  }
}

// What the dialog reports as the chosen filter is the SaveFileType the handlers read.
TEST(MainWindowDescription, SaveDialogOffersTheFileTypesInTheirEnumOrder) {
  const rt::DescribedEntry* save = nullptr;
  for (const rt::DescribedEntry& entry : app::MainWindowDescription().Entries())
    if (entry.id == app::kSaveSrtDialog) save = &entry;
  ASSERT_NE(save, nullptr);
  ui::FileDialogProperties p;
  p.Configure(std::map<std::string, std::string>(save->settings.begin(), save->settings.end()));
  std::vector<std::string> strings = ui::PrepareFileDialogRequest(p).FilterStrings();
  const std::pair<app::SaveFileType, const char*> types[] = {
      {app::SaveFileType::kSrt, "字幕文件（*.srt）"},
      {app::SaveFileType::kUtf8Srt, "字幕文件 UTF-8（*.srt）"},
      {app::SaveFileType::kWebVtt, "WebVTT 字幕（*.vtt）"},
      {app::SaveFileType::kText, "纯文本（*.txt）"},
      {app::SaveFileType::kAss, "ASS 字幕（*.ass）"},
  };
  ASSERT_EQ(strings.size(), 2 * static_cast<size_t>(app::SaveFileType::kCount));
  for (const auto& [type, description] : types)
    EXPECT_EQ(strings[2 * static_cast<size_t>(type)], description);
  EXPECT_EQ(p.dialogType, 1);
  EXPECT_EQ(ui::PrepareFileDialogRequest(p).flags, 0x4u | 0x1000u | 0x2u | 0x800u);
}

}  // namespace
