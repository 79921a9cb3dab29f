#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/text_win.h"

namespace platform {

intptr_t LibraryLoad(const char* fileName) {
  if (!fileName || !*fileName) return 0;
  std::wstring wide = WideFromGbk(fileName);
  if (wide.empty()) return 0;
  return reinterpret_cast<intptr_t>(LoadLibraryW(wide.c_str()));
}

void* LibraryFind(intptr_t module, const char* exportName) {
  if (!module || !exportName) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), exportName));
}

void* LibraryFindOrdinal(intptr_t module, uint16_t ordinal) {
  // Ordinal 0 would reach GetProcAddress as a null name.
  if (!module || ordinal == 0) return nullptr;
  return reinterpret_cast<void*>(
      GetProcAddress(reinterpret_cast<HMODULE>(module), MAKEINTRESOURCEA(ordinal)));
}

void LibraryFree(intptr_t module) {
  if (module) FreeLibrary(reinterpret_cast<HMODULE>(module));
}

}  // namespace platform
