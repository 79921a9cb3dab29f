#include "app/window_language.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "app/main_window.h"
#include "language/catalogue.h"
#include "platform/text_encoding.h"
#include "platform/ui_language.h"
#include "runtime/component.h"
#include "runtime/message_box.h"
#include "runtime/services.h"
#include "runtime/window.h"
#include "runtime/window_layout.h"
#include "ui/file_dialog.h"
#include "ui/table_commands.h"
#include "ui/table_component.h"

namespace app {
namespace {

using language::Language;
using language::TextId;

constexpr std::u16string_view kLanguageOption = u"--lang";

// What a push button keeps free between its caption and its edges, both sides together
// (96-DPI numbers): the frame, the focus rectangle and some air.
constexpr int kButtonTextMargin = 24;

platform::UiScript ScriptOf(Language language) {
  switch (language) {
    case Language::kZhCn:
      return platform::UiScript::kSimplifiedChinese;
    case Language::kZhTw:
      return platform::UiScript::kTraditionalChinese;
    case Language::kJa:
      return platform::UiScript::kJapanese;
    case Language::kKo:
      return platform::UiScript::kKorean;
    case Language::kVi:
      return platform::UiScript::kVietnamese;
    case Language::kTh:
      return platform::UiScript::kThai;
    case Language::kEn:
    case Language::kId:
    case Language::kPtBr:
    case Language::kEs:
    case Language::kCount:
      break;
  }
  return platform::UiScript::kLatin;
}

// The texts that the window draws in its own font: its buttons, the table's titles, the
// track list and the time-shift dialog. Messages, menus and the system's dialogs use the
// system's fonts.
constexpr TextId kOwnFontTexts[] = {
    TextId::kParseButton,
    TextId::kExportButton,
    TextId::kColumnSerial,
    TextId::kColumnTimeRange,
    TextId::kColumnText,
    TextId::kTrackListAll,
    TextId::kTrackListMerged,
    TextId::kTrackListTrack,
    TextId::kShiftPrompt,
    TextId::kShiftSelectedOnly,
    TextId::kOk,
    TextId::kCancel,
};

std::u16string OwnFontSample() {
  std::u16string sample;
  for (TextId id : kOwnFontTexts) sample += language::Text(id);
  return sample;
}

struct ButtonCaption {
  rt::ComponentId button;
  TextId caption;
};

constexpr ButtonCaption kButtonCaptions[] = {
    {kParseButton, TextId::kParseButton},
    {kExportButton, TextId::kExportButton},
};

// What a column keeps free around its title (96-DPI numbers), both sides together.
constexpr int kColumnTitleMargin = 12;

// The columns of fixed width show their titles whole in the window's font: one too
// narrow for its title widens, the caption column giving up as much.
void FitColumnTitles() {
  ui::CGridCtrl* grid = ui::TableGrid(kMainWindow, kSubtitleTable);
  rt::Window* window = rt::FindLoadedWindow(kMainWindow);
  if (!grid || !window) return;
  const int32_t text = ColumnNumber(SubtitleColumn::kText);
  for (SubtitleColumn column : {SubtitleColumn::kSerial, SubtitleColumn::kTimeRange}) {
    int32_t number = ColumnNumber(column);
    int needed = rt::ScaleToDpi(
        platform::UiTextWidth(language::Text(ColumnTitle(column))) + kColumnTitleMargin,
        window->Dpi());
    int grown = needed - grid->ColumnWidth(number);
    if (grown <= 0) continue;
    grid->SetColumnWidth(number, needed);
    grid->SetColumnWidth(text, grid->ColumnWidth(text) - grown);
  }
}

int32_t ReadNumber(rt::ComponentId component, int32_t property) {
  return static_cast<int32_t>(
      rt::Services().ReadComponentProperty(kMainWindow, component, property, -1));
}

void AddToNumber(rt::ComponentId component, int32_t property, int32_t added) {
  rt::Services().WriteComponentProperty(kMainWindow, component, property, -1,
                                        ReadNumber(component, property) + added, 0);
}

// The buttons on the left grow to hold their captions in the window's font; the track
// list and the table move right by as much, and the window grows with them, so that the
// table keeps its width.
void FitLeftColumn() {
  int widest = 0;
  for (const ButtonCaption& button : kButtonCaptions)
    widest = std::max(widest, platform::UiTextWidth(language::Text(button.caption)));
  int growth = LeftColumnGrowth(widest, ReadNumber(kParseButton, rt::kPropWidth));
  if (growth == 0) return;
  for (const ButtonCaption& button : kButtonCaptions)
    AddToNumber(button.button, rt::kPropWidth, growth);
  AddToNumber(kTrackList, rt::kPropLeft, growth);
  AddToNumber(kSubtitleTable, rt::kPropLeft, growth);
  AddToNumber(0, rt::kPropWidth, growth);
}

}  // namespace

LanguageChoice ChooseWindowLanguage(const std::vector<std::u16string>& arguments,
                                    uint16_t systemLanguage) {
  LanguageChoice choice;
  choice.language = language::LanguageOfWindowsId(systemLanguage);
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::u16string_view argument = arguments[i];
    std::u16string code;
    if (argument == kLanguageOption) {
      // An option at the end of the line names no language: its code is empty.
      code = i + 1 < arguments.size() ? arguments[++i] : std::u16string();
    } else if (argument.size() > kLanguageOption.size() &&
               argument.substr(0, kLanguageOption.size()) == kLanguageOption &&
               argument[kLanguageOption.size()] == u'=') {
      code = std::u16string(argument.substr(kLanguageOption.size() + 1));
    } else {
      continue;
    }
    std::optional<Language> named = language::LanguageOfCode(platform::Utf16ToUtf8(code));
    choice.unknown = !named;
    choice.unknownCode = named ? std::u16string() : code;
    choice.language = named ? *named : language::LanguageOfWindowsId(systemLanguage);
  }
  return choice;
}

int LeftColumnGrowth(int widestCaption, int buttonWidth) {
  return std::max(0, widestCaption + kButtonTextMargin - buttonWidth);
}

void StartInWindowLanguage() {
  LanguageChoice choice =
      ChooseWindowLanguage(platform::ProgramArguments(), platform::UserInterfaceLanguage());
  language::SetWindowLanguage(choice.language);
  // The font first: a message box whose system font lacks the language's script shows
  // its text in the window's font.
  platform::SetUiTextScript(ScriptOf(choice.language), OwnFontSample());
  if (choice.unknown) {
    std::string codes = language::LanguageCodeList();
    // Before the window exists: a box without an owner.
    rt::ShowMessageText(
        language::Text(TextId::kUnknownLanguage,
                       {choice.unknownCode, std::u16string(codes.begin(), codes.end())}),
        0);
  }
  FitLeftColumn();
}

void ShowWindowTexts() {
  for (const ButtonCaption& button : kButtonCaptions)
    rt::WriteComponentWideText(kMainWindow, button.button, language::Text(button.caption));
  for (int32_t column = 0; column < static_cast<int32_t>(SubtitleColumn::kCount); ++column) {
    ui::TableSetCellWideText(kMainWindow, kSubtitleTable, 0, column,
                             language::Text(ColumnTitle(static_cast<SubtitleColumn>(column))));
  }
  FitColumnTitles();
  ui::FileDialogSetWideTexts(
      kMainWindow, kOpenDraftDialog,
      {{language::Text(TextId::kOpenDialogTitle)}, {language::Text(TextId::kOpenTypeJson)}});
  ui::FileDialogWideTexts save;
  for (int32_t i = 0; i < static_cast<int32_t>(SaveFileType::kCount); ++i) {
    auto type = static_cast<SaveFileType>(i);
    std::string extension = SaveFileTypeExtension(type);
    save.titles.push_back(language::Text(TextId::kSaveDialogTitle,
                                         {std::u16string(extension.begin(), extension.end())}));
    save.typeNames.push_back(language::Text(SaveFileTypeName(type)));
  }
  ui::FileDialogSetWideTexts(kMainWindow, kSaveSrtDialog, std::move(save));
}

}  // namespace app
