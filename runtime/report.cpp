#include "runtime/report.h"

#include <iterator>

#include "heap/heap.h"
#include "language/catalogue.h"
#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "runtime/message_box.h"
#include "runtime/program.h"
#include "runtime/runtime_state.h"
#include "runtime/value.h"
#include "runtime/window.h"

namespace rt {

namespace {

using language::TextId;

// The messages of error codes 1 to 11, in the order of RuntimeErrorCode.
constexpr TextId kMessages[] = {
    TextId::kErrorIndexOutOfRange,   TextId::kErrorNumberExpected,
    TextId::kErrorDimensionMismatch, TextId::kErrorIndexBelowOne,
    TextId::kErrorTypeMismatch,      TextId::kErrorDllStack,
    TextId::kErrorSubStatementValue, TextId::kErrorCompareEqualOnly,
    TextId::kErrorChoiceIndex,       TextId::kErrorRedimension,
    TextId::kErrorArgumentType,
};
static_assert(std::size(kMessages) == kErrorArgumentType, "a message for every error code");

std::u16string Quoted(const std::string& cp936Name) {
  return u"\r\n\"" + platform::Cp936ToUtf16(cp936Name) + u"\"";
}

[[noreturn]] void Report(const std::u16string& message, int32_t code, int32_t where,
                         int32_t position) {
  RuntimeState& state = State();
  state.suppressEvents++;
  bool suppressBox = false;
  if (state.errorHandler && !state.errorHandlerRunning) {
    state.errorHandlerRunning = true;
    // The program's handler reads code page 936, as every text it is given.
    std::string details = platform::Utf16ToCp936(message + ReportPlaceBlock(where, position));
    suppressBox = state.errorHandler(code, details.c_str()) != 0;
    state.errorHandlerRunning = false;
  }
  if (!suppressBox) {
    ShowMessageText(ReportText(message, code, where, position), platform::kMbIconError,
                    language::Text(TextId::kErrorTitle));
  }
  // The program's clean-up must not run after a fatal error.
  state.exitCallbacks.clear();
  EndProgram(-1);
}

[[noreturn]] void ReportAllocationFailure(int64_t bytes) {
  FatalError(language::Text(TextId::kErrorAllocationFailed, {language::NumberText(bytes)}));
}

// Wherever the runtime's reports are part of the program, a heap block refused outside
// an AllocationFailureThrows scope is one of them.
const bool kAllocationFailuresReported =
    (SetAllocationFailureHandler(ReportAllocationFailure), true);

}  // namespace

const char16_t* RuntimeErrorMessage(int32_t code) {
  if (code < 1 || code > kErrorArgumentType) return u"";
  return language::Text(kMessages[code - 1]);
}

std::u16string ReportPlaceBlock(int32_t where, int32_t position) {
  std::u16string block =
      u"\r\n" + language::NumberText(where) + u", " + language::NumberText(position);
  if (where != 0 && IdKind(where) == kIdKindWindow) {
    const WindowTemplate* window = FindWindowTemplate(where);
    if (!window) {
      block += u"\r\n" + std::u16string(language::Text(TextId::kErrorWindowNotFound));
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
        block += u"\r\n" + std::u16string(language::Text(TextId::kErrorComponentNotFound));
    }
  }
  block += u"\r\n";
  return block;
}

std::u16string ReportText(const std::u16string& message, int32_t code, int32_t where,
                          int32_t position) {
  std::u16string text = language::Text(TextId::kErrorReportHeading) + std::u16string(u"\r\n");
  if (code != 0)
    text +=
        u"\r\n" + language::Text(TextId::kErrorReportCode, {language::NumberText(code)}) + u"\r\n";
  if (!message.empty())
    text += u"\r\n" + language::Text(TextId::kErrorReportMessage, {message}) + u"\r\n";
  text += ReportPlaceBlock(where, position);
  return text;
}

void ReportRuntimeError(int32_t code, int32_t where, int32_t position) {
  Report(RuntimeErrorMessage(code), code, where, position);
}

void FatalError(const std::u16string& message, int32_t where, int32_t position) {
  Report(message, 0, where, position);
}

void FatalError(TextId message, int32_t where, int32_t position) {
  Report(language::Text(message), 0, where, position);
}

void FatalErrorOfProgram(const std::string& cp936Message) {
  Report(platform::Cp936ToUtf16(cp936Message), 0, 0, 0);
}

void SetErrorHandler(ErrorHandler handler) { State().errorHandler = handler; }

}  // namespace rt
