// Fatal run-time error reports: one message box titled "错误" (in the window's language),
// then the process ends with exit code -1. Nothing returns to the failing code.
#pragma once

#include <cstdint>
#include <string>

#include "language/catalogue.h"

namespace rt {

// The codes of the program's own run-time checks, each with its message in
// RuntimeErrorMessage.
enum RuntimeErrorCode : int32_t {
  kErrorSubscriptOutOfRange = 1,
  kErrorNotNumeric = 2,
  kErrorDimensionMismatch = 3,
  kErrorSubscriptBelowOne = 4,
  kErrorTypeMismatch = 5,
  kErrorDllStack = 6,
  kErrorNoValueReturned = 7,
  kErrorNotComparable = 8,
  kErrorChoiceIndex = 9,
  kErrorArrayDimension = 10,
  kErrorArgumentType = 11,
};

// Reports error `code` (a RuntimeErrorCode) raised at statement `position` of program
// unit `where`.
[[noreturn]] void ReportRuntimeError(int32_t code, int32_t where, int32_t position);
// The runtime's own reports: a message of its own, code 0, and a place.
[[noreturn]] void FatalError(const std::u16string& message, int32_t where = 0,
                             int32_t position = 0);
[[noreturn]] void FatalError(language::TextId message, int32_t where = 0, int32_t position = 0);
// A report that the program asks for, with its own message in code page 936.
[[noreturn]] void FatalErrorOfProgram(const std::string& cp936Message);

// The text that the report's box shows for this error (also handed to an installed
// error handler, without the leading lines).
std::u16string ReportText(const std::u16string& message, int32_t code, int32_t where,
                          int32_t position);
// The place block: "\r\n<where>, <position>", window and component names, "\r\n".
std::u16string ReportPlaceBlock(int32_t where, int32_t position);
// The message of error code 1 to 11, empty for any other code.
const char16_t* RuntimeErrorMessage(int32_t code);

// An installed handler gets the code and the message with its place block; a non-zero
// answer suppresses the box. The process ends all the same.
using ErrorHandler = int32_t (*)(int32_t code, const char* details);
void SetErrorHandler(ErrorHandler handler);

}  // namespace rt
