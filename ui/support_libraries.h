// The support libraries that a program of this system registers: library 1 with
// windows, buttons, drop-down lists and file dialogs, library 2 with the table view.
#pragma once

#include <cstdint>

#include "runtime/component.h"

namespace ui {

extern const rt::SupportLibrary kKernelLibrary;
constexpr int32_t kSupportLibraryCount = 2;
extern const rt::SupportLibrary* const kSupportLibraries[kSupportLibraryCount];

}  // namespace ui
