// The test library "subvane_callee.dll": CalleeAdd (ordinal 1) removes its two arguments
// as Windows functions do, CalleeCdeclAdd (ordinal 2) leaves them to its caller.
#pragma once

namespace dlltest {

constexpr const char* kCalleeLibrary = "subvane_callee.dll";

// Makes the library findable: in Windows it lies beside the test program already.
void PrepareCalleeLibrary();
// True while some load of the library has not been freed.
bool CalleeLibraryLoaded();

}  // namespace dlltest
