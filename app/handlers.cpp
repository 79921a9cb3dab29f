#include "app/handlers.h"

#include <chrono>
#include <string>
#include <vector>

#include "app/draft_file.h"
#include "app/main_window.h"
#include "app/srt_text.h"
#include "app/subtitles.h"
#include "app/timestamp.h"
#include "json/encoding.h"
#include "json/json_node.h"
#include "json/parse_arena.h"
#include "platform/platform.h"
#include "runtime/command_wrappers.h"
#include "runtime/commands.h"
#include "runtime/report.h"
#include "runtime/services.h"
#include "ui/file_dialog.h"
#include "ui/special_folder.h"
#include "ui/table_commands.h"

namespace app {

int32_t SubtitleCount = 0;

namespace {

constexpr int32_t kAppDataFolder = 8;
constexpr int32_t kTableRowCountProperty = rt::kFirstOwnProperty + 9;
constexpr char kProjectsFolder[] = "Local\\JianyingPro\\User Data\\Projects\\";
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

rt::OwnedText ReadText(rt::ComponentId component, int32_t property) {
  return rt::OwnedText(static_cast<char*>(rt::WordsPointer(
      rt::Services().ReadComponentProperty(kMainWindow, component, property, -1))));
}

std::string Gbk(const std::string& utf8) {
  rt::OwnedText text(json::Utf8ToGbk(utf8.c_str()));
  return rt::TextToString(text.get());
}

// False once the user has closed the window (the table goes with it).
bool MainWindowOpen() { return rt::SystemRequest(rt::kRequestWindowObject, kMainWindow, 0) != 0; }

// Both buttons wait while the table fills, so that neither a second parse nor an
// export of a half-filled table can start.
class ButtonsHeld {
 public:
  ButtonsHeld() : exportWasDisabled_(ExportDisabled()) {
    WriteFlag(kParseButton, rt::kPropDisabled, true);
    WriteFlag(kExportButton, rt::kPropDisabled, true);
  }
  ~ButtonsHeld() {
    if (!MainWindowOpen()) return;
    WriteFlag(kParseButton, rt::kPropDisabled, false);
    WriteFlag(kExportButton, rt::kPropDisabled, exportWasDisabled_ && !exportReady_);
  }
  void ExportReady() { exportReady_ = true; }

 private:
  static bool ExportDisabled() {
    return rt::Services().ReadComponentProperty(kMainWindow, kExportButton, rt::kPropDisabled,
                                                -1) != 0;
  }
  bool exportWasDisabled_;
  bool exportReady_ = false;
};

// False when the window was closed while the rows went in: the fill stops there.
bool FillTable(const std::vector<Subtitle>& subtitles) {
  // A new draft replaces the rows of the last one; the title row stays.
  rt::Services().WriteComponentProperty(kMainWindow, kSubtitleTable, kTableRowCountProperty, -1,
                                        1, 0);
  int32_t row = 1;
  auto lastPump = std::chrono::steady_clock::now();
  for (const Subtitle& subtitle : subtitles) {
    std::string serial = std::to_string(row);
    std::string range = TimestampText(subtitle.startUs) + " --> " + TimestampText(subtitle.endUs);
    ui::TableAppendRow(kMainWindow, kSubtitleTable);
    ui::TableSetCellText(kMainWindow, kSubtitleTable, row, 0, serial.c_str());
    ui::TableSetCellText(kMainWindow, kSubtitleTable, row, 1, range.c_str());
    ui::TableSetCellText(kMainWindow, kSubtitleTable, row, 2, Gbk(subtitle.text).c_str());
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
  return MainWindowOpen();
}

}  // namespace

void OnMainWindowCreated() {
  // The editor keeps its projects under the parent of the roaming folder:
  // …\AppData\Roaming\ gives …\AppData\Local\JianyingPro\User Data\Projects\.
  rt::OwnedText roaming = ui::GetSpecialFolder(kAppDataFolder);
  rt::OwnedText trimmed = rt::cmd::LeftText(roaming.get(), rt::cmd::TextLength(roaming.get()) - 1);
  int32_t slash = rt::cmd::FindTextReverse(trimmed.get(), "\\");
  rt::OwnedText parent = rt::cmd::LeftText(trimmed.get(), slash);
  std::string folder = rt::TextToString(parent.get()) + kProjectsFolder;
  WriteText(kOpenDraftDialog, rt::kFirstOwnProperty + ui::kDialogInitialFolder, folder.c_str());
  WriteText(kOpenDraftDialog, rt::kFirstOwnProperty + ui::kDialogFileName, "draft.json");
}

void OnParseClicked() {
  if (!rt::cmd::ShowFileDialog(kMainWindow, kOpenDraftDialog)) return;
  rt::OwnedText name = ReadText(kOpenDraftDialog, rt::kFirstOwnProperty + ui::kDialogFileName);
  rt::OwnedBytes bytes = rt::cmd::ReadFileBytes(name.get());

  std::vector<Subtitle> subtitles;
  bool parsed;
  {
    // The tree is read once and dropped before the table fills: its items come from
    // one region, which spares the heap a call for each of them.
    json::ParseArena arena;
    json::JsonDocument document;
    parsed = ParseDraftBytes(bytes.get(), document);
    if (parsed) subtitles = ExtractSubtitles(document);
  }
  if (!parsed) {
    bool encrypted = IsEncryptedDraft(rt::BytesData(bytes.get()),
                                      static_cast<size_t>(rt::BytesLength(bytes.get())));
    rt::cmd::ShowMessage(DraftStatusMessage(encrypted ? DraftStatus::kEncrypted
                                                      : DraftStatus::kNotJson),
                         0);
    return;
  }
  ButtonsHeld held;
  SubtitleCount = static_cast<int32_t>(subtitles.size());
  if (!FillTable(subtitles)) return;
  rt::cmd::ShowMessage("解析完成", 0);
  held.ExportReady();
}

void OnExportClicked() {
  if (!rt::cmd::ShowFileDialog(kMainWindow, kSaveSrtDialog)) return;
  std::string srt;
  for (int32_t row = 1; row <= SubtitleCount; row++) {
    std::string cells[3];
    for (int32_t column = 0; column < 3; column++) {
      ui::CellTextResult cell = ui::TableGetCellText(kMainWindow, kSubtitleTable, row, column);
      if (!cell.isText) rt::ReportRuntimeError(5, kExportUnit, 100 + column);
      cells[column] = rt::TextToString(cell.text.get());
    }
    AppendSrtBlock(srt, cells[0], cells[1], cells[2]);
  }
  rt::OwnedText name = ReadText(kSaveSrtDialog, rt::kFirstOwnProperty + ui::kDialogFileName);
  // Written beside the chosen file and put in its place only once complete: a full
  // disk or a failed close leaves the old file as it was.
  bool written = platform::FileWriteReplacing(name.get(), srt.data(), srt.size());
  rt::cmd::ShowMessage(written ? "导出完成" : "导出失败：无法写入所选文件。", 0);
}

}  // namespace app
