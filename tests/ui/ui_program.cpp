#include "tests/ui/ui_program.h"

#include <cstring>

#include "runtime/kernel_library.h"
#include "runtime/program.h"
#include "ui/file_dialog.h"
#include "ui/support_libraries.h"
#include "ui/table_component.h"

namespace uitest {
namespace {

void Nothing() {}
const rt::EventHandler kRoutines[] = {Nothing};

const char kTemplates[] =
    "window id=0x52010001 type=0x00010001 name=启动窗口 text=\"Subvane\" left=50 top=50 "
    "width=738 height=387\n"
    "component id=0x56010002 type=0x00020001 name=高级表格1 left=96 top=8 width=624 height=344 "
    "set.rows=1 set.cols=3 set.fixedRows=1 set.fixedCols=1 set.gridLines=3 "
    "set.gridLineColour=0xC0C0C0 set.rowHeight=24 set.editable=1 set.enterAction=0 "
    "set.column0=\"序号,50,2,0\" set.column1=\"时间戳,200,2,0\" set.column2=\"字幕文本,350,0,0\"\n"
    "component id=0x56010003 type=0x0001001F name=打开json对话框 set.DialogType=0 "
    "set.Title=\"打开JSON文件\" set.Filter=\"JSON文件（*.json）|*.json\" set.InitialFilter=0\n"
    "component id=0x56010004 type=0x0001001F name=保存srt对话框 set.DialogType=1 "
    "set.Title=\"保存srt文件\" set.Filter=\"字幕文件（*.srt）|*.srt\" set.DefaultExtension=srt\n";

}  // namespace

void Start() {
  static rt::ProgramDescriptor descriptor;
  descriptor = rt::ProgramDescriptor{{3, 0, 104137},
                                     kRoutines,
                                     1,
                                     nullptr,
                                     0,
                                     kTemplates,
                                     static_cast<uint32_t>(std::strlen(kTemplates)),
                                     ui::kSupportLibraryCount,
                                     ui::kSupportLibraries,
                                     0,
                                     nullptr,
                                     nullptr};
  rt::ResetRuntimeForTests();
  ResetViews();
  rt::SetProgramForTests(descriptor);
  rt::InitRuntime();
  rt::LoadStartWindow(kWindow);
}

void Stop() {
  rt::ResetRuntimeForTests();
  ResetViews();
}

}  // namespace uitest
