#include "app/window_language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_window.h"
#include "language/catalogue.h"
#include "loader/json_library.h"
#include "platform/posix/standin.h"
#include "platform/text_encoding.h"
#include "platform/ui_language.h"
#include "runtime/program.h"
#include "runtime/services.h"
#include "runtime/window.h"
#include "ui/file_dialog.h"
#include "ui/table_commands.h"
#include "ui/table_component.h"

namespace {

using language::Language;
using language::TextId;

constexpr uint16_t kChinesePrc = 0x0804, kEnglishUs = 0x0409, kThai = 0x041E;

TEST(WindowLanguage, TheCommandLineNamesItElseWindowsLanguageDoes) {
  struct Case {
    std::vector<std::u16string> arguments;
    uint16_t system;
    Language language;
    bool unknown;
    std::u16string code;
  };
  const Case cases[] = {
      {{}, kChinesePrc, Language::kZhCn, false, u""},
      {{}, kThai, Language::kTh, false, u""},
      {{u"--lang", u"ko"}, kEnglishUs, Language::kKo, false, u""},
      {{u"--lang=pt_br"}, kChinesePrc, Language::kPtBr, false, u""},
      {{u"draft.json", u"--lang", u"zh-TW"}, kThai, Language::kZhTw, false, u""},
      // An unknown code, or none at the end of the line: the system's language, and the
      // code as given for the message.
      {{u"--lang", u"xx"}, kThai, Language::kTh, true, u"xx"},
      {{u"--lang", u"tiếng"}, kEnglishUs, Language::kEn, true, u"tiếng"},
      {{u"--lang"}, kEnglishUs, Language::kEn, true, u""},
      {{u"--lang="}, kChinesePrc, Language::kZhCn, true, u""},
      // The last option counts; look-alikes are not the option.
      {{u"--lang", u"xx", u"--lang", u"ja"}, kChinesePrc, Language::kJa, false, u""},
      {{u"--language", u"ja", u"--LANG", u"ja", u"-lang", u"ja"}, kThai, Language::kTh, false, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.arguments.empty() ? u"" : c.arguments.back()));
    app::LanguageChoice choice = app::ChooseWindowLanguage(c.arguments, c.system);
    EXPECT_EQ(choice.language, c.language);
    EXPECT_EQ(choice.unknown, c.unknown);
    EXPECT_EQ(choice.unknownCode, c.code);
  }
}

TEST(WindowLanguage, TheLeftColumnGrowsOnlyForCaptionsThatDoNotFit) {
  EXPECT_EQ(app::LeftColumnGrowth(24, 80), 0);  // "解析"
  EXPECT_EQ(app::LeftColumnGrowth(56, 80), 0);  // a caption with its margins just fits
  EXPECT_EQ(app::LeftColumnGrowth(57, 80), 1);
  EXPECT_EQ(app::LeftColumnGrowth(120, 80), 64);
}

// In Simplified Chinese the catalogue shows exactly the texts the stored window holds.
TEST(WindowLanguage, SimplifiedChineseIsTheStoredWindowsOwnText) {
  auto cp936 = [](std::u16string_view text) { return platform::Utf16ToCp936(text); };
  auto chinese = [](TextId id) { return language::TextIn(Language::kZhCn, id); };
  for (const rt::DescribedEntry& entry : app::MainWindowDescription().Entries()) {
    std::map<std::string, std::string> settings(entry.settings.begin(), entry.settings.end());
    switch (entry.id) {
      case app::kParseButton:
        EXPECT_EQ(entry.text, cp936(chinese(TextId::kParseButton)));
        break;
      case app::kExportButton:
        EXPECT_EQ(entry.text, cp936(chinese(TextId::kExportButton)));
        break;
      case app::kOpenDraftDialog:
        EXPECT_EQ(settings["Title"], cp936(chinese(TextId::kOpenDialogTitle)));
        EXPECT_EQ(settings["Filter"], cp936(chinese(TextId::kOpenTypeJson)) + "|*.json");
        break;
      case app::kSaveSrtDialog:
        EXPECT_EQ(settings["Title"],
                  cp936(language::WithValues(chinese(TextId::kSaveDialogTitle), {u"srt"})));
        break;
      default:
        break;
    }
  }
}

// The window program as it starts: the language chosen, the window made, its texts put on.
class WindowLanguageTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ui::SetFileDialogAnswer(nullptr);
    rt::ResetRuntimeForTests();
    platform::standin::SetProgramArguments({});
    platform::standin::SetUserInterfaceLanguage(kChinesePrc);
    language::SetWindowLanguage(Language::kZhCn);
  }

  void Start(std::vector<std::u16string> arguments, uint16_t system) {
    rt::ResetRuntimeForTests();
    platform::standin::Reset();
    platform::standin::SetProgramArguments(std::move(arguments));
    platform::standin::SetUserInterfaceLanguage(system);
    rt::SetProgramForTests(app::Program());
    rt::InitRuntime();
    MapJsonLibrary();
    app::StartInWindowLanguage();
    rt::LoadStartWindow(app::kMainWindow);
  }

  static platform::Bounds Placed(rt::ComponentId id) {
    rt::Window* window = rt::FindLoadedWindow(app::kMainWindow);
    return window->PlacedBounds(*window->FindComponent(id));
  }
};

TEST_F(WindowLanguageTest, AnUnknownCodeIsToldThenTheSystemsLanguageSpeaks) {
  Start({u"--lang", u"xx"}, kChinesePrc);
  ASSERT_EQ(platform::standin::MessageBoxes().size(), 1u);
  EXPECT_EQ(platform::standin::MessageBoxes()[0].text,
            "未知的语言代码“xx”。可用的代码：zh-CN, zh-TW, en, ja, ko, vi, th, id, pt-BR, es。"
            "窗口将使用系统的语言。");
  EXPECT_EQ(language::WindowLanguage(), Language::kZhCn);
  EXPECT_NE(platform::standin::FindView("解析"), nullptr);

  Start({u"--lang", u"th"}, kEnglishUs);
  EXPECT_TRUE(platform::standin::MessageBoxes().empty());
  EXPECT_EQ(language::WindowLanguage(), Language::kTh);
}

// Whatever the language, each button holds its caption in the window's font, the track
// list and the table start beside them, and the table keeps its described width.
TEST_F(WindowLanguageTest, EveryLanguagesCaptionsFitTheirButtons) {
  for (size_t l = 0; l < static_cast<size_t>(Language::kCount); ++l) {
    auto language = static_cast<Language>(l);
    SCOPED_TRACE(language::LanguageCode(language));
    std::string code = language::LanguageCode(language);
    Start({u"--lang", std::u16string(code.begin(), code.end())}, kChinesePrc);
    const std::pair<rt::ComponentId, TextId> buttons[] = {
        {app::kParseButton, TextId::kParseButton}, {app::kExportButton, TextId::kExportButton}};
    for (const auto& [id, caption] : buttons) {
      platform::Bounds button = Placed(id);
      EXPECT_GE(button.width, platform::UiTextWidth(language::Text(caption)) + 24);
      EXPECT_EQ(Placed(app::kTrackList).left, button.left + button.width + 8);
      EXPECT_EQ(platform::standin::FindView(platform::Utf16ToCp936(language::Text(caption))),
                rt::FindLoadedWindow(app::kMainWindow)->FindComponent(id)->View());
    }
    EXPECT_EQ(Placed(app::kSubtitleTable).left, Placed(app::kTrackList).left);
    EXPECT_EQ(Placed(app::kSubtitleTable).width, 624);
    // The columns of fixed width hold their titles.
    ui::CGridCtrl* grid = ui::TableGrid(app::kMainWindow, app::kSubtitleTable);
    for (app::SubtitleColumn column :
         {app::SubtitleColumn::kSerial, app::SubtitleColumn::kTimeRange}) {
      EXPECT_GE(grid->ColumnWidth(app::ColumnNumber(column)),
                platform::UiTextWidth(language::Text(app::ColumnTitle(column))) + 12);
    }
  }
}

// The save dialog's title names the file type chosen; the types are the language's.
TEST_F(WindowLanguageTest, TheSaveDialogsTitleNamesEachFileType) {
  Start({}, kChinesePrc);
  ui::FileDialogRequest seen;
  ui::SetFileDialogAnswer([&seen](const ui::FileDialogRequest& request, ui::FileDialogChoice*) {
    seen = request;
    return false;
  });
  rt::Window* window = rt::FindLoadedWindow(app::kMainWindow);
  auto* save = dynamic_cast<ui::FileDialog*>(window->FindComponent(app::kSaveSrtDialog));
  ASSERT_NE(save, nullptr);
  save->ShowDialog();
  EXPECT_EQ(seen.wideTitles,
            (std::vector<std::u16string>{u"保存srt文件", u"保存srt文件", u"保存vtt文件",
                                         u"保存txt文件", u"保存ass文件"}));
  // The descriptions are the catalogue's, the very ones the stored filter holds.
  EXPECT_EQ(platform::Utf16ToCp936(seen.wideFilter), seen.filter);
  EXPECT_NE(seen.wideFilter.find(u"字幕文件 UTF-8（*.srt）"), std::u16string::npos);
}

}  // namespace
