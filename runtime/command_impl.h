// The implementations of the 22 core commands, each a CommandFn, and the value-to-text
// rule that several of them share. Call them through rt::CallCore or the typed
// wrappers in runtime/command_wrappers.h.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/services.h"
#include "runtime/value.h"

namespace rt {

// ---- Files and the user ---------------------------------------------------------------

// (Text name) -> Bytes: the whole file, empty when it cannot be read or is empty.
void CmdReadFileBytes(CommandResult* result, int32_t argc, CommandArg* args);
// (Text name, [Int mode = 3], [Int sharing = 1]) -> Int FileHandle, 0 on failure.
void CmdOpenFile(CommandResult* result, int32_t argc, CommandArg* args);
// (Int file, values...) -> Bool: each value's text written; false (position restored)
// when a write fails or the file is not open.
void CmdWriteFileText(CommandResult* result, int32_t argc, CommandArg* args);
// (value, Int flags, [Text title], [window]) -> Int button number (OK 0 ... No 6).
void CmdShowMessage(CommandResult* result, int32_t argc, CommandArg* args);
// () -> nothing: dispatches waiting messages; a quit message stays queued.
void CmdProcessPendingMessages(CommandResult* result, int32_t argc, CommandArg* args);
// (ComponentRef of a file dialog) -> Bool: true when the user confirmed a file.
void CmdShowFileDialog(CommandResult* result, int32_t argc, CommandArg* args);

// ---- Texts, numbers, byte arrays and memory ------------------------------------------

// (Text) -> Int byte count.
void CmdTextLength(CommandResult* result, int32_t argc, CommandArg* args);
// (Bytes) -> Int length; 0 for the empty array.
void CmdBytesLength(CommandResult* result, int32_t argc, CommandArg* args);
// (Text, Int count) -> Text of the first min(count, length) bytes.
void CmdLeftText(CommandResult* result, int32_t argc, CommandArg* args);
// (Text, Int count) -> Text of the last min(count, length) bytes.
void CmdRightText(CommandResult* result, int32_t argc, CommandArg* args);
// (Text haystack, Text needle, [Int start], [Bool ignoreCase]) -> Int 1-based byte
// position of the last match that does not split a double-byte character, or -1.
void CmdFindTextReverse(CommandResult* result, int32_t argc, CommandArg* args);
// (any basic value) -> Int.
void CmdToInt(CommandResult* result, int32_t argc, CommandArg* args);
// (any basic value or array) -> Bytes holding the value's own bytes.
void CmdToBytes(CommandResult* result, int32_t argc, CommandArg* args);
// (Bytes, Int type 1..10, [Int position]) -> value of that type; fatal for another type.
void CmdReadBytesValue(CommandResult* result, int32_t argc, CommandArg* args);
// (Int length) -> Bytes of that many zeros; empty for length <= 0.
void CmdBlankBytes(CommandResult* result, int32_t argc, CommandArg* args);
// (any value) -> Text: a byte array up to its first zero, else the value-to-text rule.
void CmdValueToText(CommandResult* result, int32_t argc, CommandArg* args);
// (Int) -> Text of uppercase hexadecimal digits.
void CmdHexText(CommandResult* result, int32_t argc, CommandArg* args);
// (address) -> Text copied from the zero-terminated string there; empty for 0.
void CmdTextAtAddress(CommandResult* result, int32_t argc, CommandArg* args);
// (address) -> Int stored there.
void CmdIntAtAddress(CommandResult* result, int32_t argc, CommandArg* args);
// (address) -> Double stored there.
void CmdDoubleAtAddress(CommandResult* result, int32_t argc, CommandArg* args);
// (value, address, [Int length]) -> nothing: copies the value's bytes to the address.
void CmdWriteMemory(CommandResult* result, int32_t argc, CommandArg* args);
// (Int value, Int count) -> Int value << (count mod 32).
void CmdShiftLeft(CommandResult* result, int32_t argc, CommandArg* args);

// ---- Shared by the commands ------------------------------------------------------------

// The value-to-text rule: numbers in decimal, Bool as "真"/"假", DateTime as a date,
// Text as itself; byte arrays and any other type give the empty text.
std::string ValueText(const CommandArg& value);
// A DateTime (days since 30 December 1899) as the value-to-text rule writes it.
std::string DateTimeText(double days);

// An address argument: the low word in the 32-bit build, both words in a 64-bit one.
inline void* ArgAddress(const CommandArg& a) { return a.value.ptr; }
// The record of optional argument `i`, or null when the caller left it out.
inline const CommandArg* OptionalArg(int32_t argc, const CommandArg* args, int32_t i) {
  return (i < argc && args[i].type != kTypeNone) ? &args[i] : nullptr;
}
// A text argument's bytes; a null pointer reads as the empty text.
inline const char* ArgTextPtr(const CommandArg& a) {
  return a.value.ptr ? static_cast<const char*>(a.value.ptr) : "";
}

}  // namespace rt
