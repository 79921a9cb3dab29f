// Declared DLL commands: functions of system libraries that the program names by
// library file name and export name, bound on first call and freed at exit.
#pragma once

#include <cstdint>

#include "runtime/program.h"

namespace rt {

// The place that the service entry reports a stack error with: the program unit that
// holds the program's DLL calls (kind 4), and the command number as the position.
constexpr int32_t kDllCallerUnit = 0x04000002;

// Creates the command tables from the program's declarations (all unbound); tables of
// an earlier call are freed first.
void InitDllCommands(const ProgramDescriptor& program);
// Frees every module bound for a command and clears the tables.
void FreeDllCommands();
// The address of command `number`, binding it on first use; a failed bind is fatal.
void* BindDllCommand(int32_t number);
// Binds command `number` and calls it with `argc` arguments; its own result comes back.
// A stack pointer that the call leaves moved is run-time error 6 at (where, position).
intptr_t CallDllCommandAt(int32_t where, int32_t position, int32_t number, int32_t argc,
                          const intptr_t* args);
// The service entry: CallDllCommandAt with kDllCallerUnit and the command number.
intptr_t CallDllCommand(int32_t number, int32_t argc, const intptr_t* args);

// The module that command `number` was bound from, 0 while unbound or out of range.
intptr_t DllCommandModule(int32_t number);

}  // namespace rt
