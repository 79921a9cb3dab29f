#include "app/main_window.h"

#include <cstring>
#include <iterator>

#include "app/handlers.h"
#include "json/encoding.h"
#include "loader/json_library.h"
#include "platform/platform.h"
#include "runtime/services.h"
#include "ui/support_libraries.h"

namespace app {

namespace {

// The window as the user sees it: two buttons on the left, the caption-track list above
// the subtitle table, which fills the rest, and two dialogs that show only when asked.
const char kTemplates[] =
    "window id=0x52010001 type=0x00010001 name=MainWindow text=\"Subvane\" "
    "left=50 top=50 width=738 height=387 on0=0 on1=3 on2=4 "
    "set.centred=1 set.minimiseBox=1 set.maximiseBox=0 set.resizable=0 set.acceptsFiles=1\n"
    "component id=0x56010002 type=0x00010006 name=解析按钮 text=\"解析\" "
    "left=8 top=24 width=80 height=40 on0=1\n"
    "component id=0x56010003 type=0x00010006 name=导出按钮 text=\"导出\" "
    "left=8 top=80 width=80 height=40 disabled=1 on0=2\n"
    "component id=0x56010004 type=0x00020001 name=高级表格1 "
    "left=96 top=40 width=624 height=312 "
    "set.gridLineColour=0xC0C0C0 set.gridLines=3 set.rowResize=1 set.columnResize=1 "
    "set.rowHeight=24 set.columnWidth=60 set.rows=1 set.cols=3 set.fixedRows=1 "
    "set.fixedCols=1 set.editable=1 set.selectable=0 set.enterAction=0 set.listMode=0 "
    "set.column0=\"序号,50,2,0\" set.column1=\"时间戳,200,2,0\" "
    "set.column2=\"字幕文本,350,0,0\"\n"
    "component id=0x56010005 type=0x0001001F name=打开json对话框 visible=0 "
    "set.DialogType=0 set.Title=\"打开JSON文件\" set.Filter=\"JSON文件（*.json）|*.json\" "
    "set.InitialFilter=0 set.DefaultExtension=\"\" set.CreatePrompt=0 set.FileMustExist=1 "
    "set.OverwritePrompt=1 set.PathMustExist=1 set.NoChangeFolder=0\n"
    "component id=0x56010006 type=0x0001001F name=保存srt对话框 visible=0 "
    "set.DialogType=1 set.Title=\"保存srt文件\" "
    "set.Filter=\"字幕文件（*.srt）|*.srt|字幕文件 UTF-8（*.srt）|*.srt|"
    "WebVTT 字幕（*.vtt）|*.vtt|纯文本（*.txt）|*.txt\" "
    "set.InitialFilter=0 set.DefaultExtension=srt set.CreatePrompt=0 set.FileMustExist=1 "
    "set.OverwritePrompt=1 set.PathMustExist=1 set.NoChangeFolder=0\n"
    "component id=0x56010007 type=0x00010009 name=轨道列表 "
    "left=96 top=8 width=360 height=300 disabled=1 on0=5\n";

const rt::EventHandler kRoutines[] = {OnMainWindowCreated, OnParseClicked, OnExportClicked,
                                      OnFilesDropped,      OnMainWindowClosing, OnTrackChosen};

void ProgramInitialise() {}
void ProgramCleanUp() {}
void ProgramStart() {}

}  // namespace

const rt::ProgramDescriptor& Program() {
  static const rt::ProgramDescriptor program = {
      {3, 0, 104137},
      kRoutines,
      static_cast<int32_t>(std::size(kRoutines)),
      nullptr,
      0,
      kTemplates,
      static_cast<uint32_t>(sizeof kTemplates - 1),
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
  ProgramInitialise();
  services.CallRuntimeRoutine(rt::kRoutineAddExitCallback,
                              reinterpret_cast<intptr_t>(&ProgramCleanUp), 0, 0);
  MapJsonLibrary();
  ProgramStart();
  services.LoadStartWindow(kMainWindow);
  services.RunMessageLoop();
  return 0;
}

}  // namespace app
