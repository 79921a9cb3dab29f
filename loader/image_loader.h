// The mapping of a DLL image over whatever provides memory, libraries and the
// entry-point call: the Windows kernel in the program, a stand-in in the tests.
#pragma once

#include <cstdint>

#include "loader/module_loader.h"
#include "loader/pe_format.h"

namespace loader {

class LoaderHost {
 public:
  virtual ~LoaderHost() = default;

  // Reserves and commits `size` zero-filled, readable, writable and executable bytes
  // at `preferred` (0: anywhere). Returns their address, or 0 when refused.
  virtual uintptr_t AllocateImage(uintptr_t preferred, uint32_t size) = 0;
  // Releases a block from AllocateImage.
  virtual void ReleaseImage(uintptr_t base) = 0;
  // Gives `size` bytes from `address` the page protection `protection`; false if refused.
  virtual bool ProtectPages(uintptr_t address, uint32_t size, uint32_t protection) = 0;

  // True when library loading, freeing, symbol lookup and handle lookup are all at hand.
  virtual bool HasImportFunctions() = 0;
  // True when library freeing and handle lookup are at hand.
  virtual bool HasReleaseFunctions() = 0;
  // LoadLibraryA: a handle on the library, 0 when it cannot be loaded.
  virtual uintptr_t LoadImportLibrary(const char* name) = 0;
  // FreeLibrary.
  virtual void FreeImportLibrary(uintptr_t library) = 0;
  // GetProcAddress: the export's address in `library`, 0 when there is none.
  virtual uintptr_t FindProcedure(uintptr_t library, const char* nameOrOrdinal) = 0;
  // GetModuleHandleA: the handle of an already loaded library, 0 when not loaded.
  virtual uintptr_t FindLoadedLibrary(const char* name) = 0;

  // Calls the entry point at `entry` with (base, reason, null); returns its answer.
  virtual int CallEntryPoint(uintptr_t entry, uintptr_t base, uint32_t reason) = 0;

  // The machine type of the images whose code this host can run; others are refused.
  virtual uint16_t ImageMachine() { return pe::kNativeMachine; }
  // RtlAddFunctionTable: makes the `count` unwind entries at `table` of the image at
  // `base` known to the system's stack walks. False when refused. x64 only.
  virtual bool AddFunctionTable(uintptr_t table, uint32_t count, uintptr_t base) = 0;
  // RtlDeleteFunctionTable, for a table added before the entry point refused.
  virtual void DeleteFunctionTable(uintptr_t table) = 0;
};

// Maps the image as LoadModuleFromMemory does, with `host` doing what needs the
// platform. Returns the base address, or 0 with everything undone.
uintptr_t LoadModuleWithHost(LoaderHost& host, const void* data, uint32_t size,
                             ImportResolver resolver, uintptr_t user);

}  // namespace loader
