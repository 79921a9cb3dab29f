// The search for kernel32.dll in the process's module list.
#include "loader/module_list.h"

#include <gtest/gtest.h>

#include <string>

namespace loader_test {
namespace {

bool IsKernel32(const std::u16string& name) {
  return loader::ModuleNameIsKernel32(reinterpret_cast<const uint16_t*>(name.data()), name.size());
}

TEST(LoaderModuleList, NameMatchesKernel32FoldingOnlyAsciiCapitals) {
  EXPECT_TRUE(IsKernel32(u"kernel32.dll"));
  EXPECT_TRUE(IsKernel32(u"KERNEL32.DLL"));
  EXPECT_TRUE(IsKernel32(u"Kernel32.Dll"));
  EXPECT_FALSE(IsKernel32(u"kernel32.dl"));
  EXPECT_FALSE(IsKernel32(u"kernel32.dlll"));
  EXPECT_FALSE(IsKernel32(u"kernelbase.dll"));
  EXPECT_FALSE(IsKernel32(u"\u212Aernel32.dll")) << "KELVIN SIGN is not a K here";
  EXPECT_FALSE(IsKernel32(u"kernel32\u0130dll"));
  EXPECT_FALSE(IsKernel32(std::u16string(u"kernel32.dll\0", 13))) << "the length excludes the zero";
  EXPECT_FALSE(IsKernel32(u""));
  EXPECT_FALSE(loader::ModuleNameIsKernel32(nullptr, 12));
}

// A circular list of modules with the given base names, as the system keeps it.
class ModuleList {
 public:
  explicit ModuleList(const std::vector<std::u16string>& names) : names_(names) {
    entries_.resize(names_.size());
    loader::ModuleListLinks* previous = &head_;
    for (size_t i = 0; i < entries_.size(); ++i) {
      loader::ModuleListEntry& entry = entries_[i];
      entry.base = reinterpret_cast<void*>(0x1000 * (i + 1));
      // Like the system's own strings, counted and not terminated.
      entry.baseName.length = static_cast<uint16_t>(names_[i].size() * 2);
      entry.baseName.units = reinterpret_cast<const uint16_t*>(names_[i].data());
      previous->next = &entry.inMemoryOrder;
      entry.inMemoryOrder.previous = previous;
      previous = &entry.inMemoryOrder;
    }
    previous->next = &head_;
    head_.previous = previous;
  }
  const loader::ModuleListLinks* Head() const { return &head_; }

 private:
  std::vector<std::u16string> names_;
  std::vector<loader::ModuleListEntry> entries_;
  loader::ModuleListLinks head_{};
};

TEST(LoaderModuleList, WalkReturnsTheFirstKernel32OrStopsAtTheHead) {
  EXPECT_EQ(
      loader::FindKernel32InModuleList(
          ModuleList({u"subvane.exe", u"ntdll.dll", u"KERNEL32.DLL", u"kernel32.dll"}).Head()),
      0x3000u);
  EXPECT_EQ(loader::FindKernel32InModuleList(ModuleList({u"subvane.exe", u"ntdll.dll"}).Head()),
            0u);
  EXPECT_EQ(loader::FindKernel32InModuleList(ModuleList({}).Head()), 0u);
  EXPECT_EQ(loader::FindKernel32InModuleList(nullptr), 0u);
}

TEST(LoaderModuleList, EntryLayoutIsTheSystemsOwn) {
  // The walk reads these through the in-memory-order links; the offsets are those of
  // the system's loader entry minus the 8 or 16 bytes of the load-order links before them.
  constexpr size_t kPointer = sizeof(void*);
  EXPECT_EQ(offsetof(loader::ModuleListEntry, base), 4 * kPointer);
  EXPECT_EQ(offsetof(loader::ModuleListEntry, baseName), kPointer == 4 ? 0x24u : 0x48u);
}

}  // namespace
}  // namespace loader_test
