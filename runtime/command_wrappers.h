// Typed calls of the core commands, so that a call site reads like a plain function
// call. Each lays its argument records out and goes through the service table's
// CallCoreCommand. Texts and byte arrays that come back belong to the caller.
#pragma once

#include <cstdint>
#include <cstring>

#include "heap/heap.h"
#include "runtime/command_impl.h"
#include "runtime/services.h"
#include "runtime/value.h"

namespace rt {
namespace cmd {

namespace detail {

template <size_t N>
inline CommandResult Call(CommandFn command, CommandArg (&args)[N]) {
  return Services().CallCoreCommand(command, static_cast<int32_t>(N), args);
}
inline CommandResult Call(CommandFn command) {
  return Services().CallCoreCommand(command, 0, nullptr);
}
inline CommandArg Address(const void* p) {
  CommandArg a{};
  a.value.ptr = const_cast<void*>(p);
  a.type = kTypeInt;
  return a;
}
inline CommandArg BytesArg(const void* block) {
  CommandArg a{};
  a.value.ptr = const_cast<void*>(block ? block : static_cast<const void*>(&kEmptyBytes));
  a.type = kTypeBytes;
  return a;
}
inline OwnedText TakeText(const CommandResult& r) {
  return OwnedText(static_cast<char*>(r.value.ptr));
}
inline OwnedBytes TakeBytes(const CommandResult& r) {
  return OwnedBytes(static_cast<uint8_t*>(r.value.ptr));
}

}  // namespace detail

// ---- Files and the user ---------------------------------------------------------------

// The whole file; empty when it is missing, empty or cannot be read.
inline OwnedBytes ReadFileBytes(const char* name) {
  CommandArg args[] = {ArgText(name)};
  return detail::TakeBytes(detail::Call(CmdReadFileBytes, args));
}
// A FileHandle registered with the runtime, 0 on failure. Modes 1..6, sharing 1..4.
inline int32_t OpenFile(const char* name, int32_t mode = 3, int32_t share = 1) {
  CommandArg args[] = {ArgText(name), ArgInt(mode), ArgInt(share)};
  return detail::Call(CmdOpenFile, args).value.words.low;
}
// Writes the text's bytes at the file's position; false (position restored) on failure.
inline bool WriteFileText(int32_t file, const char* text) {
  CommandArg args[] = {ArgInt(file), ArgText(text)};
  return detail::Call(CmdWriteFileText, args).value.words.low != 0;
}
// Shows a message box titled "信息：" (or `title`); returns the button: OK 0 ... No 6.
inline int32_t ShowMessage(const char* text, int32_t flags, const char* title = nullptr) {
  CommandArg args[] = {ArgText(text), ArgInt(flags), title ? ArgText(title) : ArgNone(), ArgNone()};
  return detail::Call(CmdShowMessage, args).value.words.low;
}
// Dispatches the messages waiting for the user-interface thread; quit stays queued.
inline void ProcessPendingMessages() { detail::Call(CmdProcessPendingMessages); }
// Shows the file dialog `component` of `window`; true when the user confirmed a file.
inline bool ShowFileDialog(ComponentId window, ComponentId component) {
  CommandArg args[] = {ArgComponent(window, component, kComponentFileDialog)};
  return detail::Call(CmdShowFileDialog, args).value.words.low != 0;
}

// ---- Texts, numbers, byte arrays and memory ------------------------------------------

inline int32_t TextLength(const char* text) {
  CommandArg args[] = {ArgText(text)};
  return detail::Call(CmdTextLength, args).value.words.low;
}
inline int32_t BytesLength(const void* bytesBlock) {
  CommandArg args[] = {detail::BytesArg(bytesBlock)};
  return detail::Call(CmdBytesLength, args).value.words.low;
}
inline OwnedText LeftText(const char* text, int32_t count) {
  CommandArg args[] = {ArgText(text), ArgInt(count)};
  return detail::TakeText(detail::Call(CmdLeftText, args));
}
inline OwnedText RightText(const char* text, int32_t count) {
  CommandArg args[] = {ArgText(text), ArgInt(count)};
  return detail::TakeText(detail::Call(CmdRightText, args));
}
// Marks an optional position argument as left out.
constexpr int32_t kNoStart = INT32_MIN;
// 1-based byte position of the last `needle` in `haystack` that ends before position
// `start` (the whole text with kNoStart), or -1.
inline int32_t FindTextReverse(const char* haystack, const char* needle, int32_t start = kNoStart,
                               bool ignoreCase = false) {
  CommandArg args[] = {ArgText(haystack), ArgText(needle),
                       start == kNoStart ? ArgNone() : ArgInt(start), ArgBool(ignoreCase)};
  return detail::Call(CmdFindTextReverse, args).value.words.low;
}
inline int32_t ToInt(const CommandArg& value) {
  CommandArg args[] = {value};
  return detail::Call(CmdToInt, args).value.words.low;
}
inline int32_t ToInt(bool value) { return ToInt(ArgBool(value)); }
inline OwnedBytes ToBytes(const CommandArg& value) {
  CommandArg args[] = {value};
  return detail::TakeBytes(detail::Call(CmdToBytes, args));
}
inline OwnedBytes ToBytes(const char* text) { return ToBytes(ArgText(text)); }
inline OwnedBytes ToBytes(double value) { return ToBytes(ArgDouble(value)); }
// The value of type number `type` (1 Byte ... 10 Text) at 1-based `position`; the raw
// result words, whose third word names the type. A Text result belongs to the caller.
inline CommandResult ReadBytesValue(const void* bytesBlock, int32_t type,
                                    int32_t position = kNoStart) {
  CommandArg args[] = {detail::BytesArg(bytesBlock), ArgInt(type),
                       position == kNoStart ? ArgNone() : ArgInt(position)};
  return detail::Call(CmdReadBytesValue, args);
}
inline int32_t ReadBytesInt(const void* bytesBlock, int32_t position) {
  return ReadBytesValue(bytesBlock, 3, position).value.words.low;
}
inline OwnedBytes BlankBytes(int32_t length) {
  CommandArg args[] = {ArgInt(length)};
  return detail::TakeBytes(detail::Call(CmdBlankBytes, args));
}
inline OwnedText ValueToText(const CommandArg& value) {
  CommandArg args[] = {value};
  return detail::TakeText(detail::Call(CmdValueToText, args));
}
inline OwnedText ValueToText(int32_t value) { return ValueToText(ArgInt(value)); }
inline OwnedText BytesToText(const void* bytesBlock) {
  return ValueToText(detail::BytesArg(bytesBlock));
}
inline OwnedText HexText(int32_t value) {
  CommandArg args[] = {ArgInt(value)};
  return detail::TakeText(detail::Call(CmdHexText, args));
}
inline OwnedText TextAtAddress(const void* address) {
  CommandArg args[] = {detail::Address(address)};
  return detail::TakeText(detail::Call(CmdTextAtAddress, args));
}
inline int32_t IntAtAddress(const void* address) {
  CommandArg args[] = {detail::Address(address)};
  return detail::Call(CmdIntAtAddress, args).value.words.low;
}
inline double DoubleAtAddress(const void* address) {
  CommandArg args[] = {detail::Address(address)};
  return detail::Call(CmdDoubleAtAddress, args).value.f64;
}
// Copies the value's bytes (a Text with its terminator) to `address`; a length from 0
// to the value's size copies only that many, a negative one leaves it out.
inline void WriteMemory(const CommandArg& value, void* address, int32_t length = -1) {
  CommandArg args[] = {value, detail::Address(address), length < 0 ? ArgNone() : ArgInt(length)};
  detail::Call(CmdWriteMemory, args);
}
inline int32_t ShiftLeft(int32_t value, int32_t count) {
  CommandArg args[] = {ArgInt(value), ArgInt(count)};
  return detail::Call(CmdShiftLeft, args).value.words.low;
}

}  // namespace cmd
}  // namespace rt
