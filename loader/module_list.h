// The process's list of loaded modules as the system keeps it (one entry per module,
// linked in memory order), and the search for kernel32.dll in it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace loader {

struct ModuleListLinks {
  ModuleListLinks* next;
  ModuleListLinks* previous;
};

struct CountedUtf16 {
  uint16_t length;  // in bytes, without the terminating zero
  uint16_t capacity;
  const uint16_t* units;
};

// One module's entry, seen from its in-memory-order links: the fields the walk reads,
// laid out as the system lays them out with native pointers.
struct ModuleListEntry {
  ModuleListLinks inMemoryOrder;
  ModuleListLinks inInitializationOrder;
  void* base;
  void* entryPoint;
  uint32_t sizeOfImage;
  CountedUtf16 fullName;
  CountedUtf16 baseName;
};

// True when the UTF-16 name of `count` units is "kernel32.dll", with 'A' to 'Z' taken
// as their lowercase letters and no other folding.
bool ModuleNameIsKernel32(const uint16_t* units, size_t count);

// Walks the circular list from the entry after `head` and returns the base of the
// first module named kernel32.dll, or 0 once the walk is back at `head`.
uintptr_t FindKernel32InModuleList(const ModuleListLinks* head);

}  // namespace loader
