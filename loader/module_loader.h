// Maps a 32-bit DLL image from memory the way the Windows loader maps a DLL file,
// and finds exports by name in any mapped module. A mapped image's base address is
// its whole handle; there is no unload.
#pragma once

#include <cstdint>

// Supplies the address of one import, or 0 to let GetProcAddress find it. `nameOrOrdinal`
// is the import's name, or its ordinal cast to a pointer when `ordinalFlag` is 0x80000000.
using ImportResolver = uintptr_t (*)(const char* library, const char* nameOrOrdinal,
                                     uint32_t ordinalFlag, uintptr_t user);

// Returns the address of the export named (or, for a small value, numbered)
// `nameOrOrdinal` in the mapped module, or 0 when the module has no such export.
uintptr_t GetExportByName(uintptr_t module, const char* nameOrOrdinal);

// Windows build only. Maps the DLL image `data` of `size` bytes, resolving its imports
// through `resolver` (may be null) before GetProcAddress, and runs its entry point.
// Returns the base address, or 0 with everything undone.
uintptr_t LoadModuleFromMemory(const void* data, uint32_t size, ImportResolver resolver,
                               uintptr_t user);

// Windows build only. Base address of kernel32.dll in this process, found in the
// process's in-memory module list; 0 if it is not there.
uintptr_t FindKernel32();
