#include <windows.h>

#include "tests/dll/callee_library.h"

namespace dlltest {

void PrepareCalleeLibrary() {}

bool CalleeLibraryLoaded() { return GetModuleHandleW(L"subvane_callee.dll") != nullptr; }

}  // namespace dlltest
