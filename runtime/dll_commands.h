// Declared DLL commands: functions of system libraries that the program names by
// library file name and export name, bound on first call and freed at exit.
#pragma once

#include <cstdint>

#include "runtime/program.h"

namespace rt {

// Creates the command tables from the program's declarations (all unbound).
void InitDllCommands(const ProgramDescriptor& program);
// Frees every module bound for a command and clears the tables.
void FreeDllCommands();
// The address of command `number`, binding it on first use; a failed bind is fatal.
void* BindDllCommand(int32_t number);
// Binds command `number` and calls it with `argc` arguments; its own result comes back.
intptr_t CallDllCommand(int32_t number, int32_t argc, const intptr_t* args);

}  // namespace rt
