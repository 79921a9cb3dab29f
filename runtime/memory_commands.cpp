// The core commands that read and write memory at an address the caller gives.
#include <cstring>

#include "heap/heap.h"
#include "runtime/command_impl.h"
#include "runtime/value_bytes.h"

namespace rt {

void CmdTextAtAddress(CommandResult* result, int32_t, CommandArg* args) {
  const char* text = static_cast<const char*>(ArgAddress(args[0]));
  if (!text) return;
  result->value.ptr = NewText(text, std::strlen(text));
}

void CmdIntAtAddress(CommandResult* result, int32_t, CommandArg* args) {
  const void* at = ArgAddress(args[0]);
  if (!at) return;
  std::memcpy(&result->value.words.low, at, 4);
}

void CmdDoubleAtAddress(CommandResult* result, int32_t, CommandArg* args) {
  const void* at = ArgAddress(args[0]);
  if (!at) return;
  std::memcpy(&result->value.f64, at, 8);
}

void CmdWriteMemory(CommandResult*, int32_t argc, CommandArg* args) {
  RawBytes raw = ValueBytes(args[0], true, false);
  uint8_t* to = static_cast<uint8_t*>(ArgAddress(args[1]));
  if (!to || raw.size == 0) return;
  size_t size = raw.size;
  if (const CommandArg* length = OptionalArg(argc, args, 2)) {
    int32_t n = length->value.words.low;
    if (n >= 0 && static_cast<size_t>(n) <= size) size = static_cast<size_t>(n);
  }
  // Ascending order, byte by byte, as the caller may overlap source and target.
  for (size_t i = 0; i < size; ++i) to[i] = raw.data[i];
}

}  // namespace rt
