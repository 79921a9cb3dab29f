#include "app/handlers.h"

#include <chrono>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/draft_parse.h"
#include "app/draft_paths.h"
#include "app/main_window.h"
#include "app/table_time_shift.h"
#include "app/track_list.h"
#include "app/window_language.h"
#include "core/ass_text.h"
#include "core/caption_formats.h"
#include "core/caption_merge.h"
#include "core/caption_text.h"
#include "core/draft_file.h"
#include "core/srt_text.h"
#include "core/system.h"
#include "core/timestamp.h"
#include "language/catalogue.h"
#include "platform/platform.h"
#include "runtime/command_wrappers.h"
#include "runtime/commands.h"
#include "runtime/drop_down_list.h"
#include "runtime/message_box.h"
#include "runtime/program.h"
#include "runtime/report.h"
#include "runtime/services.h"
#include "ui/file_dialog.h"
#include "ui/special_folder.h"
#include "ui/table_commands.h"
#include "ui/table_component.h"
#include "ui/text_convert.h"

namespace app {

int32_t SubtitleCount = 0;

namespace {

using language::Text;
using language::TextId;

constexpr int32_t kTableRowCountProperty = rt::kFirstOwnProperty + ui::kSettingRowCount;
constexpr char kProjectsFolder[] = "Local\\JianyingPro\\User Data\\Projects\\";
constexpr char kProgramTitle[] = "Subvane";
constexpr char kSrtExtension[] = ".srt";
// Yes and No, No the default, with the question mark: a slip of the Return key keeps
// the edits.
constexpr int32_t kYesNoQuestion =
    platform::kMbYesNo | platform::kMbIconQuestion | platform::kMbDefButton2;
// ShowMessageText counts the buttons from IDOK as 0.
constexpr int32_t kAnswerYes = platform::kIdYes - platform::kIdOk;
// How long the fill may go without handling the window's messages: about one frame.
// Asking the system for messages after every row cost more than the rows themselves.
constexpr std::chrono::milliseconds kFillPumpInterval(16);

void WriteText(rt::ComponentId component, int32_t property, const char* text) {
  int32_t low = 0, high = 0;
  rt::PointerWords(text, &low, &high);
  rt::Services().WriteComponentProperty(kMainWindow, component, property, -1, low, high);
}

void WriteFlag(rt::ComponentId component, int32_t property, bool value) {
  rt::Services().WriteComponentProperty(kMainWindow, component, property, -1, value ? 1 : 0, 0);
}

// Parse, a drop, Export, a track choice and the close's question run one at a time.
// Their dialogs, boxes and the filling of the table let queued messages run; a drop or
// a track choice among them is ignored.
bool handlerRunning = false;

class HandlerRunning {
 public:
  HandlerRunning() { handlerRunning = true; }
  ~HandlerRunning() { handlerRunning = false; }
  HandlerRunning(const HandlerRunning&) = delete;
  HandlerRunning& operator=(const HandlerRunning&) = delete;
};

// False once the user has closed the window (the table goes with it).
bool MainWindowOpen() { return rt::SystemRequest(rt::kRequestWindowObject, kMainWindow, 0) != 0; }

// The captions of the draft on show, from which the track list fills the table.
core::DraftCaptions shownDraft;
// The track list's item that the table shows.
int32_t shownItem = 0;
// The draft on show, for the looks of its captions in an ASS export.
std::shared_ptr<const core::DraftModel> shownModel;

// Both buttons and the track list wait while the table fills, so that neither a second
// parse, nor another track, nor an export of a half-filled table can start.
class ButtonsHeld {
 public:
  ButtonsHeld() : exportWasDisabled_(ExportDisabled()), listWasDisabled_(ListDisabled()) {
    WriteFlag(kParseButton, rt::kPropDisabled, true);
    WriteFlag(kExportButton, rt::kPropDisabled, true);
    WriteFlag(kTrackList, rt::kPropDisabled, true);
  }
  ~ButtonsHeld() {
    if (!MainWindowOpen()) return;
    WriteFlag(kParseButton, rt::kPropDisabled, false);
    WriteFlag(kExportButton, rt::kPropDisabled, exportWasDisabled_ && !exportReady_);
    WriteFlag(kTrackList, rt::kPropDisabled, listEnabled_ ? !*listEnabled_ : listWasDisabled_);
  }
  // Once the table shows another draft, the list is usable as that draft allows.
  void ListEnabled(bool enabled) { listEnabled_ = enabled; }
  void ExportReady() { exportReady_ = true; }

 private:
  static bool ExportDisabled() {
    return rt::Services().ReadComponentProperty(kMainWindow, kExportButton, rt::kPropDisabled,
                                                -1) != 0;
  }
  static bool ListDisabled() {
    return rt::Services().ReadComponentProperty(kMainWindow, kTrackList, rt::kPropDisabled, -1) !=
           0;
  }
  bool exportWasDisabled_;
  bool listWasDisabled_;
  bool exportReady_ = false;
  std::optional<bool> listEnabled_;
};

// Has the user changed a cell since the table was filled or exported? An edit still
// in its box counts once its text differs.
bool TableModified() {
  ui::TableCommitEdit(kMainWindow, kSubtitleTable);
  return rt::Services().ReadComponentProperty(
             kMainWindow, kSubtitleTable, rt::kFirstOwnProperty + ui::kTableUserModified, -1) != 0;
}

void ForgetTableEdits() {
  rt::Services().WriteComponentProperty(kMainWindow, kSubtitleTable,
                                        rt::kFirstOwnProperty + ui::kTableUserModified, -1, 0, 0);
}

// True when replacing the table loses no edit, or the user agrees to lose them.
bool EditsMayBeLost() {
  if (!TableModified()) return true;
  return rt::ShowMessageText(Text(TextId::kUnexportedEditsQuestion), kYesNoQuestion) == kAnswerYes;
}

// False when the window was closed while the rows went in: the fill stops there.
bool FillTable(const std::vector<core::Subtitle>& subtitles) {
  // A new draft replaces the rows of the last one; the title row stays.
  rt::Services().WriteComponentProperty(kMainWindow, kSubtitleTable, kTableRowCountProperty, -1, 1,
                                        0);
  int32_t row = 1;
  auto lastPump = std::chrono::steady_clock::now();
  for (const core::Subtitle& subtitle : subtitles) {
    std::string serial = std::to_string(row);
    std::string range = core::TimeRangeText(subtitle.startUs, subtitle.endUs);
    ui::TableAppendRow(kMainWindow, kSubtitleTable);
    ui::TableSetCellText(kMainWindow, kSubtitleTable, row, ColumnNumber(SubtitleColumn::kSerial),
                         serial.c_str());
    ui::TableSetCellText(kMainWindow, kSubtitleTable, row, ColumnNumber(SubtitleColumn::kTimeRange),
                         range.c_str());
    // Wide text keeps every character; the commands still read the cell in code page 936.
    ui::TableSetCellWideText(kMainWindow, kSubtitleTable, row, ColumnNumber(SubtitleColumn::kText),
                             ui::Utf8ToUtf16(subtitle.text));
    // The pending messages may close the window, and the table with it.
    auto now = std::chrono::steady_clock::now();
    if (now - lastPump >= kFillPumpInterval) {
      rt::cmd::ProcessPendingMessages();
      if (!MainWindowOpen()) return false;
      lastPump = now;
    }
    row++;
  }
  rt::cmd::ProcessPendingMessages();
  if (!MainWindowOpen()) return false;
  ForgetTableEdits();
  return true;
}

// Fills the table with item `item` of the track list of `shownDraft`. False when the
// window was closed meanwhile.
bool FillTableWithItem(int32_t item) {
  std::vector<core::Subtitle> rows = TrackListRows(shownDraft, item);
  SubtitleCount = static_cast<int32_t>(rows.size());
  shownItem = item;
  return FillTable(rows);
}

// Shows a newly read draft: its track list with all tracks chosen, and the table filled
// with the subtitles they show. False when the window was closed meanwhile.
bool ShowDraft(ChosenDraft& draft, ButtonsHeld& held) {
  shownDraft = std::move(draft.captions);
  shownModel = std::move(draft.model);
  rt::ListSetItems(
      kMainWindow, kTrackList,
      TrackListItems(draft.subtitles.size(), core::MergedCueGroups(draft.subtitles).size(),
                     shownDraft.tracks));
  rt::Services().WriteComponentProperty(
      kMainWindow, kTrackList, rt::kFirstOwnProperty + rt::kListSelection, -1, kAllTracksItem, 0);
  held.ListEnabled(TrackListUsable(shownDraft.tracks));
  shownItem = kAllTracksItem;
  SubtitleCount = static_cast<int32_t>(draft.subtitles.size());
  return FillTable(draft.subtitles);
}

// After a parse the window is named after the project (`name` in UTF-8), and the save
// dialog offers the project's name for the subtitle file, both with every character.
void ShowProjectName(const std::string& name) {
  std::string title = name.empty() ? std::string(kProgramTitle) : name + " - " + kProgramTitle;
  rt::WriteComponentWideText(kMainWindow, 0, ui::Utf8ToUtf16(title));
  ui::SetDialogPathUtf8(kMainWindow, kSaveSrtDialog, ui::kDialogFileName,
                        SaveFileNameOf(name) + kSrtExtension);
}

// Reads the draft file that the open dialog's FileName names and fills the table. The
// draft is read completely first: a draft that cannot be read leaves the table as it was.
void ParseChosenDraft() {
  ChosenDraft draft =
      ReadChosenDraft(ui::DialogPathUtf8(kMainWindow, kOpenDraftDialog, ui::kDialogFileName));
  if (draft.status != core::DraftStatus::kOk) {
    rt::ShowMessageText(DraftStatusMessage(draft.status), 0);
    return;
  }
  ButtonsHeld held;
  if (!ShowDraft(draft, held)) return;
  ShowProjectName(draft.projectName);
  rt::ShowMessageText(draft.doneMessage, 0);
  held.ExportReady();
}

// The closing message of an export, with the count of characters that code page 936
// could not hold.
std::u16string ExportDoneMessage(size_t lost) {
  if (lost == 0) return Text(TextId::kExportDone);
  return Text(TextId::kExportDoneLostCharacters,
              {language::NumberText(static_cast<int64_t>(lost))});
}

// One cell for the SRT file: its code page 936 text as the commands read it, or its
// wide text in UTF-8. `lost` counts the characters that code page 936 cannot hold.
std::string ExportCell(int32_t row, SubtitleColumn column, bool utf8, size_t& lost) {
  int32_t number = ColumnNumber(column);
  ui::CellWideTextResult wide = ui::TableGetCellWideText(kMainWindow, kSubtitleTable, row, number);
  if (!wide.isText)
    rt::ReportRuntimeError(rt::kErrorTypeMismatch, kExportUnit, kReadCellStatement + number);
  if (utf8) return ui::Utf16ToUtf8(wide.text);
  lost += ui::Cp936LostCharacters(wide.text);
  ui::CellTextResult cell = ui::TableGetCellText(kMainWindow, kSubtitleTable, row, number);
  if (!cell.isText)
    rt::ReportRuntimeError(rt::kErrorTypeMismatch, kExportUnit, kReadCellStatement + number);
  return rt::TextToString(cell.text.get());
}

// The table's rows as SRT: each cell as it stands, in UTF-8 or code page 936.
std::string SrtFromTable(bool utf8, size_t& lost) {
  std::string srt;
  for (int32_t row = 1; row <= SubtitleCount; row++) {
    // Read left to right, so that a failing cell is reported as before.
    std::string serial = ExportCell(row, SubtitleColumn::kSerial, utf8, lost);
    std::string range = ExportCell(row, SubtitleColumn::kTimeRange, utf8, lost);
    std::string text = ExportCell(row, SubtitleColumn::kText, utf8, lost);
    core::AppendSrtBlock(srt, serial, range, text);
  }
  return srt;
}

// The table's rows read back as subtitles in UTF-8, their texts tidied as the draft's
// are, their times parsed when `withTimes`. False with the row when a time cell holds
// no time range.
bool SubtitlesFromTable(bool withTimes, std::vector<core::Subtitle>& subtitles, int32_t& badRow) {
  subtitles.clear();
  size_t lost = 0;
  for (int32_t row = 1; row <= SubtitleCount; row++) {
    core::Subtitle subtitle;
    subtitle.text = core::TidyLineBreaks(ExportCell(row, SubtitleColumn::kText, true, lost));
    if (withTimes && !core::ParseTimeRange(ExportCell(row, SubtitleColumn::kTimeRange, true, lost),
                                           subtitle.startUs, subtitle.endUs)) {
      badRow = row;
      return false;
    }
    subtitles.push_back(std::move(subtitle));
  }
  return true;
}

// The table's rows as ASS, each in the look its captions have in the draft. A row as it
// was filled keeps its captions as they are (times, each caption's own style and style
// ranges), so an unedited table gives what subvane-cli writes; an edited row takes its
// cells' time and text in its first caption's look. False with the row when a time cell
// holds no time range.
bool AssFromTable(std::string& ass, int32_t& badRow) {
  std::vector<std::vector<core::Subtitle>> filled = TrackListRowCaptions(shownDraft, shownItem);
  std::vector<core::Subtitle> rows = TrackListRows(shownDraft, shownItem);
  auto lookOf = [](const core::Subtitle& subtitle) {
    return shownModel ? core::CaptionLookOf(*shownModel, subtitle.origin) : core::CaptionLook();
  };
  std::vector<core::AssCue> cues;
  size_t lost = 0;
  for (int32_t row = 1; row <= SubtitleCount; row++) {
    std::string text = core::TidyLineBreaks(ExportCell(row, SubtitleColumn::kText, true, lost));
    std::string range = ExportCell(row, SubtitleColumn::kTimeRange, true, lost);
    auto i = static_cast<size_t>(row - 1);
    bool known = i < filled.size() && i < rows.size() && !filled[i].empty();
    bool sameTimes = known && range == core::TimeRangeText(rows[i].startUs, rows[i].endUs);
    if (sameTimes && text == rows[i].text) {
      core::AssCue cue;
      for (const core::Subtitle& caption : filled[i]) cue.push_back({caption, lookOf(caption)});
      cues.push_back(std::move(cue));
      continue;
    }
    core::Subtitle subtitle = known ? filled[i].front() : core::Subtitle();
    if (sameTimes) {
      subtitle.startUs = rows[i].startUs;
      subtitle.endUs = rows[i].endUs;
    } else if (!core::ParseTimeRange(range, subtitle.startUs, subtitle.endUs)) {
      badRow = row;
      return false;
    }
    subtitle.text = text;
    cues.push_back({{subtitle, lookOf(subtitle)}});
  }
  core::CanvasSize canvas = shownModel ? core::DraftCanvasOf(*shownModel) : core::CanvasSize();
  ass = core::AssText(cues, canvas, shownDraft.tracks);
  return true;
}

// What a save file type writes: SRT in code page 936, else SRT, WebVTT, a transcript or
// ASS in UTF-8.
struct SaveFormat {
  core::CaptionFormat format;
  bool utf8;
};

SaveFormat SaveFormatOf(SaveFileType type) {
  switch (type) {
    case SaveFileType::kUtf8Srt:
      return {core::CaptionFormat::kSrt, true};
    case SaveFileType::kWebVtt:
      return {core::CaptionFormat::kVtt, true};
    case SaveFileType::kText:
      return {core::CaptionFormat::kTxt, true};
    case SaveFileType::kAss:
      return {core::CaptionFormat::kAss, true};
    case SaveFileType::kSrt:
    case SaveFileType::kCount:
      break;
  }
  return {core::CaptionFormat::kSrt, false};
}

std::u16string BadTimeMessage(int32_t row, core::CaptionFormat format) {
  const char16_t* name = format == core::CaptionFormat::kAss ? u"ASS" : u"WebVTT";
  return Text(TextId::kExportBadTime, {name, language::NumberText(row)});
}

// `name` (UTF-8) with `extension` added when its last part has none, as the dialog adds
// the chosen type's to a bare name. No byte of a UTF-8 character passes for '.' or '\\'.
std::string WithExtension(const std::string& name, const char* extension) {
  size_t dot = name.find_last_of('.');
  size_t separator = name.find_last_of("\\/");
  bool hasExtension =
      dot != std::string::npos && (separator == std::string::npos || dot > separator);
  return hasExtension ? name : name + extension;
}

// Where the open dialog starts when no editor has a draft folder yet (UTF-8): where
// JianyingPro will keep its projects, under the parent of the roaming folder
// (…\AppData\Roaming\ gives …\AppData\Local\JianyingPro\User Data\Projects\).
std::string FutureProjectsFolder() {
  std::string roaming = ui::PlatformFolderPathUtf8(ui::kFolderAppData);
  if (!roaming.empty() && roaming.back() == '\\') roaming.pop_back();
  size_t slash = roaming.find_last_of('\\');
  std::string parent = slash == std::string::npos ? std::string() : roaming.substr(0, slash + 1);
  return parent + kProjectsFolder;
}

}  // namespace

void OnMainWindowCreated() {
  ShowWindowTexts();
  // Find and replace search the captions; Ctrl+T moves the times.
  if (ui::CGridCtrl* grid = ui::TableGrid(kMainWindow, kSubtitleTable))
    grid->SetActions({static_cast<int32_t>(SubtitleColumn::kText), &ShiftTypedTimes});
  // The open dialog starts where the editors keep their drafts (core::PreferredDraftFolder).
  std::string folder;
  if (!PreferredDraftFolderForWindow(folder)) folder = FutureProjectsFolder();
  ui::SetDialogPathUtf8(kMainWindow, kOpenDraftDialog, ui::kDialogInitialFolder, folder);
  WriteText(kOpenDraftDialog, rt::kFirstOwnProperty + ui::kDialogFileName, "draft.json");
}

void OnParseClicked() {
  HandlerRunning running;
  if (!EditsMayBeLost()) return;
  if (!rt::cmd::ShowFileDialog(kMainWindow, kOpenDraftDialog)) return;
  ParseChosenDraft();
}

void OnFilesDropped() {
  if (handlerRunning || rt::DroppedFiles().empty()) return;
  HandlerRunning running;
  // Of several items the first counts; a project folder stands for its draft file,
  // which then counts as chosen in the open dialog.
  std::string file = DroppedDraftFile(rt::DroppedFiles().front());
  if (file.empty()) {
    rt::ShowMessageText(Text(TextId::kFolderWithoutDraft), 0);
    return;
  }
  if (!EditsMayBeLost()) return;
  ui::SetDialogPathUtf8(kMainWindow, kOpenDraftDialog, ui::kDialogFileName, file);
  ParseChosenDraft();
}

void OnExportClicked() {
  HandlerRunning running;
  if (!rt::cmd::ShowFileDialog(kMainWindow, kSaveSrtDialog)) return;
  // The export writes the rows the table shows now, after any the user deleted.
  ui::TableCommitEdit(kMainWindow, kSubtitleTable);
  SubtitleCount = static_cast<int32_t>(rt::Services().ReadComponentProperty(
                      kMainWindow, kSubtitleTable, kTableRowCountProperty, -1)) -
                  1;
  SaveFormat type = SaveFormatOf(static_cast<SaveFileType>(rt::Services().ReadComponentProperty(
      kMainWindow, kSaveSrtDialog, rt::kFirstOwnProperty + ui::kDialogChosenFilter, -1)));
  std::string bytes;
  size_t lost = 0;
  if (type.format == core::CaptionFormat::kSrt) {
    bytes = SrtFromTable(type.utf8, lost);
  } else if (type.format == core::CaptionFormat::kAss) {
    int32_t badRow = 0;
    if (!AssFromTable(bytes, badRow)) {
      rt::ShowMessageText(BadTimeMessage(badRow, type.format), 0);
      return;
    }
  } else {
    std::vector<core::Subtitle> subtitles;
    int32_t badRow = 0;
    if (!SubtitlesFromTable(type.format == core::CaptionFormat::kVtt, subtitles, badRow)) {
      rt::ShowMessageText(BadTimeMessage(badRow, type.format), 0);
      return;
    }
    bytes = core::CaptionFileText(subtitles, type.format);
  }
  std::string name =
      WithExtension(ui::DialogPathUtf8(kMainWindow, kSaveSrtDialog, ui::kDialogFileName),
                    core::CaptionFormatExtension(type.format));
  // Written beside the chosen file and put in its place only once complete: a full
  // disk or a failed close leaves the old file as it was.
  std::string reason;
  bool written = !name.empty() && core::WriteFileAtomically(name, bytes, reason);
  if (written) ForgetTableEdits();
  rt::ShowMessageText(written ? ExportDoneMessage(lost) : Text(TextId::kExportFailed), 0);
}

void OnMainWindowClosing() {
  // A handler at work holds the window's own boxes and dialogs; a close that comes
  // through while the table fills ends the parse, which loses no edit.
  if (handlerRunning) return;
  HandlerRunning running;
  if (!EditsMayBeLost()) rt::RefuseClose();
}

void OnTrackChosen() {
  auto chosen = static_cast<int32_t>(rt::Services().ReadComponentProperty(
      kMainWindow, kTrackList, rt::kFirstOwnProperty + rt::kListSelection, -1));
  // The list shows again what the table holds when the choice is not taken.
  const auto keepShownItem = [] {
    if (MainWindowOpen())
      rt::Services().WriteComponentProperty(
          kMainWindow, kTrackList, rt::kFirstOwnProperty + rt::kListSelection, -1, shownItem, 0);
  };
  if (handlerRunning) {
    keepShownItem();
    return;
  }
  HandlerRunning running;
  if (!EditsMayBeLost()) {
    keepShownItem();
    return;
  }
  ButtonsHeld held;
  FillTableWithItem(chosen);
}

}  // namespace app
