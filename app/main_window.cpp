#include "app/main_window.h"

#include <iterator>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/window_language.h"
#include "json/encoding.h"
#include "loader/json_library.h"
#include "platform/platform.h"
#include "runtime/drop_down_list.h"
#include "runtime/services.h"
#include "ui/component_entries.h"
#include "ui/support_libraries.h"

namespace app {

namespace {

using language::TextId;

struct SaveType {
  SaveFileType type;
  ui::FileType filter;
  TextId name;
  const char* extension;  // as the dialog's title names the type
};

// The save dialog's file types, in the order of SaveFileType.
constexpr SaveType kSaveTypes[] = {
    {SaveFileType::kSrt, {"字幕文件（*.srt）", "*.srt"}, TextId::kSaveTypeSrt, "srt"},
    {SaveFileType::kUtf8Srt, {"字幕文件 UTF-8（*.srt）", "*.srt"}, TextId::kSaveTypeUtf8Srt, "srt"},
    {SaveFileType::kWebVtt, {"WebVTT 字幕（*.vtt）", "*.vtt"}, TextId::kSaveTypeWebVtt, "vtt"},
    {SaveFileType::kText, {"纯文本（*.txt）", "*.txt"}, TextId::kSaveTypeText, "txt"},
    {SaveFileType::kAss, {"ASS 字幕（*.ass）", "*.ass"}, TextId::kSaveTypeAss, "ass"},
};

constexpr bool SaveTypesInOrder() {
  for (size_t i = 0; i < std::size(kSaveTypes); ++i)
    if (static_cast<size_t>(kSaveTypes[i].type) != i) return false;
  return std::size(kSaveTypes) == static_cast<size_t>(SaveFileType::kCount);
}
static_assert(SaveTypesInOrder(), "kSaveTypes lists every SaveFileType in its order");

std::vector<ui::FileType> SaveFilters() {
  std::vector<ui::FileType> filters;
  for (const SaveType& type : kSaveTypes) filters.push_back(type.filter);
  return filters;
}

struct TitledColumn {
  SubtitleColumn column;
  ui::TableColumn look;
  TextId title;
};

constexpr TitledColumn kColumns[] = {
    {SubtitleColumn::kSerial, {"序号", 50, ui::ColumnAlign::kCentre}, TextId::kColumnSerial},
    {SubtitleColumn::kTimeRange,
     {"时间戳", 200, ui::ColumnAlign::kCentre},
     TextId::kColumnTimeRange},
    {SubtitleColumn::kText, {"字幕文本", 350, ui::ColumnAlign::kLeft}, TextId::kColumnText},
};

constexpr bool ColumnsInOrder() {
  for (size_t i = 0; i < std::size(kColumns); ++i)
    if (static_cast<size_t>(kColumns[i].column) != i) return false;
  return std::size(kColumns) == static_cast<size_t>(SubtitleColumn::kCount);
}
static_assert(ColumnsInOrder(), "kColumns lists every SubtitleColumn in its order");

constexpr ui::TableColumn ColumnLook(SubtitleColumn column) {
  return kColumns[static_cast<size_t>(column)].look;
}

// The caption column takes what the window gains in width; narrowed, it keeps room for
// its title.
ui::TableLook TableLook() {
  ui::TableLook look;
  look.stretchColumn = static_cast<int32_t>(SubtitleColumn::kText);
  look.stretchMinimum = 100;
  look.selectable = true;
  look.numberedRows = true;
  return look;
}

// The window as the user sees it: two buttons on the left, the caption-track list above
// the subtitle table, which fills the rest and grows with the window, and two dialogs
// that show only when asked.
rt::WindowDescription DescribeMainWindow() {
  rt::WindowLook look;
  look.centred = true;
  look.minimiseBox = true;
  look.maximiseBox = true;
  look.resizable = true;
  look.acceptsFiles = true;
  return rt::WindowDescription(
      rt::WindowEntry(kMainWindow, "MainWindow", "Subvane", {50, 50, 738, 387}, look,
                      {{rt::kEventWindowCreated, OnMainWindowCreated},
                       {rt::kEventFilesDropped, OnFilesDropped},
                       {rt::kEventCloseRequested, OnMainWindowClosing}}),
      {
          rt::ButtonEntry(kParseButton, "解析按钮", "解析", {8, 24, 80, 40}, OnParseClicked),
          rt::ButtonEntry(kExportButton, "导出按钮", "导出", {8, 80, 80, 40}, OnExportClicked,
                          rt::Enabled::kNo),
          rt::DropDownListEntry(kTrackList, "轨道列表", {96, 8, 360, 24}, OnTrackChosen,
                                rt::Enabled::kNo),
          rt::Anchored(ui::TableEntry(kSubtitleTable, "高级表格1", {96, 40, 624, 312}, TableLook(),
                                      {ColumnLook(SubtitleColumn::kSerial),
                                       ColumnLook(SubtitleColumn::kTimeRange),
                                       ColumnLook(SubtitleColumn::kText)}),
                       rt::kAnchorRight | rt::kAnchorBottom),
          ui::FileDialogEntry(kOpenDraftDialog, "打开json对话框", ui::FileDialogKind::kOpen,
                              "打开JSON文件", {{"JSON文件（*.json）", "*.json"}}, ""),
          ui::FileDialogEntry(kSaveSrtDialog, "保存srt对话框", ui::FileDialogKind::kSave,
                              "保存srt文件", SaveFilters(), "srt"),
      });
}

// The start-up order puts a clean-up routine on the exit list; this program's has no work.
void ProgramCleanUp() {}

}  // namespace

language::TextId ColumnTitle(SubtitleColumn column) {
  return kColumns[static_cast<size_t>(column)].title;
}

language::TextId SaveFileTypeName(SaveFileType type) {
  return kSaveTypes[static_cast<size_t>(type)].name;
}

const char* SaveFileTypeExtension(SaveFileType type) {
  return kSaveTypes[static_cast<size_t>(type)].extension;
}

const rt::WindowDescription& MainWindowDescription() {
  static const rt::WindowDescription description = DescribeMainWindow();
  return description;
}

const rt::ProgramDescriptor& Program() {
  static const std::string templates = MainWindowDescription().StoredText();
  static const rt::ProgramDescriptor program = {
      {3, 0, 104137},
      MainWindowDescription().Routines().data(),
      static_cast<int32_t>(MainWindowDescription().Routines().size()),
      nullptr,
      0,
      templates.c_str(),
      static_cast<uint32_t>(templates.size()),
      ui::kSupportLibraryCount,
      ui::kSupportLibraries,
      json::kEncodingDllCount,
      json::kEncodingDllLibraries,
      json::kEncodingDllExports,
  };
  return program;
}

int32_t ProgramEntry() {
  const rt::RuntimeServiceTable& services = rt::Services();
  services.CallRuntimeRoutine(rt::kRoutineInitRuntime, 0, 0, 0);
  platform::ResetFloatingPoint();
  services.CallRuntimeRoutine(rt::kRoutineAddExitCallback,
                              reinterpret_cast<intptr_t>(&ProgramCleanUp), 0, 0);
  MapJsonLibrary();
  StartInWindowLanguage();
  services.LoadStartWindow(kMainWindow);
  services.RunMessageLoop();
  return 0;
}

}  // namespace app
