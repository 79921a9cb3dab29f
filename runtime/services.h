// The runtime's service table: everything the program's own code needs from outside
// itself goes through these thirteen entry points, in this fixed order.
#pragma once

#include <cstdint>

#include "runtime/value.h"

namespace rt {

// A command's implementation: fills `result` from `argc` argument records.
using CommandFn = void (*)(CommandResult* result, int32_t argc, CommandArg* args);

struct RuntimeServiceTable {
  void (*ReportRuntimeError)(int32_t code, int32_t where, int32_t position);  // never returns
  // Binds declared DLL command `number` and calls it with `argc` 32-bit (pointer-sized
  // in a 64-bit build) arguments; the function's own result comes back.
  intptr_t (*CallDllCommand)(int32_t number, int32_t argc, const intptr_t* args);
  CommandResult (*CallLibraryCommand)(CommandFn command, int32_t library, int32_t argc,
                                      CommandArg* args);
  CommandResult (*CallCoreCommand)(CommandFn command, int32_t argc, CommandArg* args);
  // A text property comes back as a new Text (the pointer in the value) owned by the caller.
  int64_t (*ReadComponentProperty)(int32_t window, int32_t component, int32_t property,
                                   int32_t index);
  // A text value is passed as its pointer in the low word (both words in a 64-bit build).
  void (*WriteComponentProperty)(int32_t window, int32_t component, int32_t property, int32_t index,
                                 int32_t low, int32_t high);
  void* (*Allocate)(int32_t bytes);
  void* (*Reallocate)(void* block, int32_t bytes);
  void (*Free)(void* block);
  void (*EndProgram)(int32_t exitCode);  // never returns
  void (*RunMessageLoop)();
  void (*LoadStartWindow)(int32_t windowId);
  intptr_t (*CallRuntimeRoutine)(int32_t routine, intptr_t a, intptr_t b, intptr_t c);
};

// The process's one service table.
const RuntimeServiceTable& Services();

// Routine numbers of CallRuntimeRoutine.
enum RuntimeRoutine : int32_t {
  kRoutineAddExitCallback = 3,
  kRoutineInitRuntime = 6,
};

// Common property numbers; a component type's own properties follow from 8 on.
enum CommonProperty : int32_t {
  kPropLeft = 0,
  kPropTop = 1,
  kPropWidth = 2,
  kPropHeight = 3,
  kPropText = 4,
  kPropVisible = 5,
  kPropDisabled = 6,
  kPropBytes = 7,
  kFirstOwnProperty = 8,
};

// Packs a pointer into the two value words of WriteComponentProperty.
inline void PointerWords(const void* p, int32_t* low, int32_t* high) {
  uint64_t v = reinterpret_cast<uintptr_t>(p);
  *low = static_cast<int32_t>(v & 0xFFFFFFFFu);
  *high = static_cast<int32_t>(v >> 32);
}
inline void* WordsPointer(int64_t value) {
  return reinterpret_cast<void*>(static_cast<uintptr_t>(value));
}

// The runtime's internal request entry, handed to support libraries and used by commands.
enum SystemRequestCode : int32_t {
  kRequestWindowObject = 2006,  // arg: window id -> Window* or 0
  kRequestComponentObject =
      2007,  // arg: window id, extra: component id -> Component* (fatal if missing)
  kRequestFileLookup = 2011,       // arg: FileHandle -> kind byte or -1
  kRequestFileRegister = 2012,     // arg: FileHandle, extra: kind -> 0
  kRequestFileRemove = 2013,       // arg: FileHandle -> 1 if it was registered
  kRequestProcessMessages = 2018,  // -> 0
  kRequestAllocate = 2024,         // extra: bytes -> block
  kRequestFatalMessage = 2027,     // arg: message text; does not return
};
intptr_t SystemRequest(int32_t code, intptr_t arg, int32_t extra);

}  // namespace rt
