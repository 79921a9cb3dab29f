// A window like the main window, for the scripted GUI checks: the subtitle table with
// three data rows (the third a two-line caption), the two file dialogs, and three
// buttons. Each button writes what the program would read into the report file named on
// the command line:
//   "读取" (read)  every cell through GetCellText, then the table's row heights, scroll
//                 position, current cell and the columns it draws,
//   "打开" (open)  ShowFileDialog on the open dialog and its FileName,
//   "保存" (save)  the same for the save dialog.
// The report is UTF-8: a line "seq N" (N counts reports), then the lines of the report.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "heap/heap.h"
#include "runtime/command_impl.h"
#include "runtime/kernel_library.h"
#include "runtime/program.h"
#include "runtime/services.h"
#include "runtime/window.h"
#include "ui/file_dialog.h"
#include "ui/support_libraries.h"
#include "ui/table_commands.h"
#include "ui/table_component.h"
#include "ui/text_convert.h"

namespace {

constexpr rt::ComponentId kWindow = 0x52010001;
constexpr rt::ComponentId kTable = 0x56010002;
constexpr rt::ComponentId kOpenDialog = 0x56010003;
constexpr rt::ComponentId kSaveDialog = 0x56010004;

std::wstring reportPath;
int reportCount = 0;

std::string Utf8(const std::string& cp936) {
  ui::WideText w = ui::Cp936ToUtf16(cp936);
  if (w.empty()) return std::string();
  const auto* units = reinterpret_cast<const wchar_t*>(w.data());
  int n = WideCharToMultiByte(CP_UTF8, 0, units, static_cast<int>(w.size()), nullptr, 0, nullptr,
                              nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, units, static_cast<int>(w.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

// Writes the report whole, then renames it over the old one, so a reader never sees half.
void Report(const std::string& body) {
  std::string text = "seq " + std::to_string(++reportCount) + "\n" + body;
  std::wstring temp = reportPath + L".part";
  FILE* f = _wfopen(temp.c_str(), L"wb");
  if (!f) return;
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  MoveFileExW(temp.c_str(), reportPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::string FileName(rt::ComponentId dialog) {
  rt::OwnedText text(static_cast<char*>(
      rt::WordsPointer(rt::Services().ReadComponentProperty(kWindow, dialog, 10, -1))));
  return rt::TextToString(text.get());
}

void ShowDialog(rt::ComponentId dialog, const char* name) {
  rt::CommandArg args[1] = {rt::ArgComponent(kWindow, dialog, rt::kComponentFileDialog)};
  bool ok = rt::Services().CallCoreCommand(&rt::CmdShowFileDialog, 1, args).value.words.low == 1;
  Report(std::string(name) + " " + (ok ? "1" : "0") + " " + Utf8(FileName(dialog)) + "\n");
}

void OnCreated() {
  for (int row = 1; row <= 3; ++row) {
    ui::TableAppendRow(kWindow, kTable);
    ui::TableSetCellText(kWindow, kTable, row, 0, std::to_string(row).c_str());
  }
  ui::TableSetCellText(kWindow, kTable, 1, 1, "00:00:01,000 --> 00:00:02,500");
  ui::TableSetCellText(kWindow, kTable, 1, 2, "第一行字幕");
  ui::TableSetCellText(kWindow, kTable, 3, 1, "00:00:03,000 --> 00:00:04,250");
  ui::TableSetCellText(kWindow, kTable, 3, 2, "两行字幕的上一行\r\n下一行 second line");
  auto* table =
      dynamic_cast<ui::TableComponent*>(rt::FindLoadedWindow(kWindow)->FindComponent(kTable));
  RECT rc{};
  if (table && table->NativeView()) {
    HWND grid = static_cast<HWND>(table->NativeView());
    GetClientRect(grid, &rc);
    MapWindowPoints(grid, HWND_DESKTOP, reinterpret_cast<POINT*>(&rc), 2);
  }
  Report("ready " + std::to_string(rc.left) + " " + std::to_string(rc.top) + " " +
         std::to_string(rc.right - rc.left) + " " + std::to_string(rc.bottom - rc.top) + "\n");
}

void OnRead() {
  std::string body;
  ui::CGridCtrl* grid = nullptr;
  if (auto* t =
          dynamic_cast<ui::TableComponent*>(rt::FindLoadedWindow(kWindow)->FindComponent(kTable))) {
    grid = &t->Grid();
  }
  int rows = grid ? grid->RowCount() : 0;
  for (int r = 0; r <= rows; ++r) {
    for (int c = 0; c < 3; ++c) {
      ui::CellTextResult cell = ui::TableGetCellText(kWindow, kTable, r, c);
      body += "cell " + std::to_string(r) + "," + std::to_string(c) + " " +
              (cell.isText ? "text " + Escaped(Utf8(rt::TextToString(cell.text.get()))) : "bool") +
              "\n";
    }
  }
  if (grid) {
    for (int r = 0; r < rows; ++r) {
      body += "height " + std::to_string(r) + " " + std::to_string(grid->RowHeight(r)) + "\n";
    }
    body += "left " + std::to_string(grid->LeftColumn()) + "\n";
    body += "client " + std::to_string(grid->ClientWidth()) + " " +
            std::to_string(grid->ClientHeight()) + "\n";
    body += "current " + std::to_string(grid->CurrentRow()) + " " +
            std::to_string(grid->CurrentColumn()) + "\n";
    for (auto [column, x] : grid->ShownColumns()) {
      body += "column " + std::to_string(column) + " " + std::to_string(x) + " " +
              std::to_string(x + grid->ColumnWidth(column)) + "\n";
    }
  }
  Report(body);
}

void OnOpen() { ShowDialog(kOpenDialog, "open"); }
void OnSave() { ShowDialog(kSaveDialog, "save"); }

const rt::EventHandler kRoutines[] = {OnCreated, OnRead, OnOpen, OnSave};

const char kTemplates[] =
    "window id=0x52010001 type=0x00010001 name=启动窗口 text=\"表格测试\" left=50 top=50 "
    "width=738 height=387 on0=0 set.centred=1\n"
    "component id=0x56010005 type=0x00010006 name=读取按钮 text=\"读取\" left=8 top=24 "
    "width=80 height=40 on0=1\n"
    "component id=0x56010006 type=0x00010006 name=打开按钮 text=\"打开\" left=8 top=80 "
    "width=80 height=40 on0=2\n"
    "component id=0x56010007 type=0x00010006 name=保存按钮 text=\"保存\" left=8 top=136 "
    "width=80 height=40 on0=3\n"
    "component id=0x56010002 type=0x00020001 name=高级表格1 left=96 top=8 width=624 height=344 "
    "set.rows=1 set.cols=3 set.fixedRows=1 set.fixedCols=1 set.gridLines=3 "
    "set.gridLineColour=0xC0C0C0 set.rowHeight=24 set.editable=1 set.enterAction=0 "
    "set.column0=\"序号,50,2,0\" set.column1=\"时间戳,200,2,0\" set.column2=\"字幕文本,350,0,0\"\n"
    "component id=0x56010003 type=0x0001001F name=打开json对话框 set.DialogType=0 "
    "set.Title=\"打开JSON文件\" set.Filter=\"JSON文件（*.json）|*.json\" set.FileName=draft.json\n"
    "component id=0x56010004 type=0x0001001F name=保存srt对话框 set.DialogType=1 "
    "set.Title=\"保存srt文件\" set.Filter=\"字幕文件（*.srt）|*.srt\" set.DefaultExtension=srt\n";

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) {
    std::fprintf(stderr, "usage: ui_gui_demo REPORT-FILE\n");
    return 2;
  }
  reportPath = argv[1];
  LocalFree(argv);
  static rt::ProgramDescriptor descriptor{{3, 0, 104137},
                                          kRoutines,
                                          static_cast<int32_t>(std::size(kRoutines)),
                                          nullptr,
                                          0,
                                          kTemplates,
                                          static_cast<uint32_t>(std::strlen(kTemplates)),
                                          ui::kSupportLibraryCount,
                                          ui::kSupportLibraries,
                                          0,
                                          nullptr,
                                          nullptr};
  rt::SetProgramForTests(descriptor);
  rt::InitRuntime();
  rt::LoadStartWindow(kWindow);
  rt::RunMessageLoop();
  return 0;
}
