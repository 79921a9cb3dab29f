#include "runtime/report.h"

#include <cstdio>

#include "heap/heap.h"
#include "platform/platform.h"
#include "runtime/program.h"
#include "runtime/runtime_state.h"
#include "runtime/value.h"
#include "runtime/window.h"

namespace rt {

namespace {

const char* const kMessages[] = {
    "",
    "数组成员引用下标超出定义范围",
    "未得到所需要的数值型数据",
    "引用数组成员时维数不为1且不等于该数组目前所具有的维数",
    "数组成员引用下标必须大于等于1",
    "数据或数组类型不匹配",
    "调用DLL命令后发现堆栈错误",
    "子语句参数未返回数据或者返回了非系统基本类型或数组型数据",
    "被比较数据只能使用等于或不等于命令比较",
    "“多项选择”命令的索引值参数小于零或超出了所提供参数表范围",
    "“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零",
    "所提供参数的数据类型不符合要求",
};

std::string Quoted(const std::string& name) { return "\r\n\"" + name + "\""; }

[[noreturn]] void Report(const std::string& message, int32_t code, int32_t where,
                         int32_t position) {
  RuntimeState& state = State();
  state.suppressEvents++;
  std::string place = ReportPlaceBlock(where, position);
  bool suppressBox = false;
  if (state.errorHandler && !state.errorHandlerRunning) {
    state.errorHandlerRunning = true;
    std::string details = message + place;
    suppressBox = state.errorHandler(code, details.c_str()) != 0;
    state.errorHandlerRunning = false;
  }
  if (!suppressBox) {
    std::string text = ReportText(message, code, where, position);
    platform::ShowMessageBox(text.c_str(), "错误", platform::kMbIconError, nullptr);
  }
  // The program's clean-up must not run after a fatal error.
  state.exitCallbacks.clear();
  EndProgram(-1);
}

[[noreturn]] void ReportAllocationFailure(int64_t bytes) {
  char message[64];
  std::snprintf(message, sizeof message, "分配 %lld 字节内存失败!", static_cast<long long>(bytes));
  FatalError(message);
}

// Wherever the runtime's reports are part of the program, a heap block refused outside
// an AllocationFailureThrows scope is one of them.
const bool kAllocationFailuresReported =
    (SetAllocationFailureHandler(ReportAllocationFailure), true);

}  // namespace

const char* RuntimeErrorMessage(int32_t code) {
  if (code < 1 || code > 11) return "";
  return kMessages[code];
}

std::string ReportPlaceBlock(int32_t where, int32_t position) {
  char line[48];
  std::snprintf(line, sizeof line, "\r\n%d, %d", where, position);
  std::string block = line;
  if (where != 0 && IdKind(where) == kIdKindWindow) {
    const WindowTemplate* window = FindWindowTemplate(where);
    if (!window) {
      block += "\r\n未找到所指定的窗口";
    } else {
      block += Quoted(window->entries[0].name);
      const ComponentTemplate* component = nullptr;
      if (position == 0) {
        component = &window->entries[0];
      } else {
        for (const ComponentTemplate& entry : window->entries)
          if (entry.id == position) component = &entry;
      }
      if (component && component != &window->entries[0])
        block += Quoted(component->name);
      else
        block += "\r\n未找到所指定的窗口组件";
    }
  }
  block += "\r\n";
  return block;
}

std::string ReportText(const std::string& message, int32_t code, int32_t where, int32_t position) {
  std::string text = "运行时出错!\r\n";
  if (code != 0) text += "\r\n错误代码：" + std::to_string(code) + "\r\n";
  if (!message.empty()) text += "\r\n错误信息：" + message + "\r\n";
  text += ReportPlaceBlock(where, position);
  return text;
}

void ReportRuntimeError(int32_t code, int32_t where, int32_t position) {
  Report(RuntimeErrorMessage(code), code, where, position);
}

void FatalError(const std::string& message, int32_t where, int32_t position) {
  Report(message, 0, where, position);
}

void SetErrorHandler(ErrorHandler handler) { State().errorHandler = handler; }

}  // namespace rt
