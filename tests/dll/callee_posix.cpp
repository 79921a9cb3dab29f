#include <cstdint>

#include "platform/posix/kernel32_standin.h"
#include "tests/dll/callee_library.h"

namespace dlltest {

namespace {

intptr_t CalleeAdd(intptr_t a, intptr_t b) { return a + b; }

}  // namespace

void PrepareCalleeLibrary() {
  platform::standin::RegisterModule(kCalleeLibrary,
                                    {{"CalleeAdd", reinterpret_cast<void*>(&CalleeAdd)},
                                     {"CalleeCdeclAdd", reinterpret_cast<void*>(&CalleeAdd)}});
}

bool CalleeLibraryLoaded() { return platform::standin::ModuleLoadCount(kCalleeLibrary) > 0; }

}  // namespace dlltest
