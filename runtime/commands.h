// The runtime's 22 core commands, called through CallCoreCommand, and typed wrappers
// that make a call site read like a plain function call.
#pragma once

#include <cstdint>

#include "heap/heap.h"
#include "runtime/services.h"

namespace rt {

enum CoreCommand : int32_t {
  // Files and the user
  kCmdReadFileBytes,
  kCmdOpenFile,
  kCmdWriteFileText,
  kCmdShowMessage,
  kCmdProcessPendingMessages,
  kCmdShowFileDialog,
  // Texts, numbers, byte arrays and memory
  kCmdTextLength,
  kCmdBytesLength,
  kCmdLeftText,
  kCmdRightText,
  kCmdFindTextReverse,
  kCmdToInt,
  kCmdToBytes,
  kCmdReadBytesValue,
  kCmdBlankBytes,
  kCmdValueToText,
  kCmdHexText,
  kCmdTextAtAddress,
  kCmdIntAtAddress,
  kCmdDoubleAtAddress,
  kCmdWriteMemory,
  kCmdShiftLeft,
  kCoreCommandCount
};
static_assert(kCoreCommandCount == 22, "the command table holds 22 commands");

// The implementations, indexed by CoreCommand.
extern const CommandFn kCoreCommands[kCoreCommandCount];

// Runs core command `command` with the given records.
CommandResult CallCore(CoreCommand command, int32_t argc, CommandArg* args);

// Closes a FileHandle that OpenFile gave and forgets it; false if it was not open.
bool CloseFile(int32_t file);

}  // namespace rt
