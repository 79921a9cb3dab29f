#include "loader/module_list.h"

#include "loader/local_name.h"

namespace loader {

bool ModuleNameIsKernel32(const uint16_t* units, size_t count) {
  uint16_t wanted[13];
  ComposeName(wanted, 'k', 'e', 'r', 'n', 'e', 'l', '3', '2', '.', 'd', 'l', 'l');
  constexpr size_t kWantedLength = 12;
  if (units == nullptr || count != kWantedLength) return false;
  for (size_t i = 0; i < kWantedLength; ++i) {
    uint16_t unit = units[i];
    if (unit >= 'A' && unit <= 'Z') unit = static_cast<uint16_t>(unit + ('a' - 'A'));
    if (unit != wanted[i]) return false;
  }
  return true;
}

uintptr_t FindKernel32InModuleList(const ModuleListLinks* head) {
  if (head == nullptr) return 0;
  for (const ModuleListLinks* link = head->next; link != nullptr && link != head;
       link = link->next) {
    // The links are the entry's first member, so the entry starts where they do.
    const auto* entry = reinterpret_cast<const ModuleListEntry*>(link);
    // The stored length excludes the terminator, and the buffer need not hold one:
    // comparing by length never reads past the name.
    if (ModuleNameIsKernel32(entry->baseName.units, entry->baseName.length / 2)) {
      return reinterpret_cast<uintptr_t>(entry->base);
    }
  }
  return 0;
}

}  // namespace loader
