#include "loader/json_library.h"
#include "loader/json_library_image.h"
#include "loader/module_loader.h"

uintptr_t JsonLibraryModule = 0;

void MapJsonLibrary() {
  JsonLibraryModule = LoadModuleFromMemory(
      JsonLibraryImage.bytes, static_cast<uint32_t>(JsonLibraryImage.length), nullptr, 0);
}

void* JsonLibraryExport(const char* name) {
  if (JsonLibraryModule == 0) return nullptr;
  return reinterpret_cast<void*>(GetExportByName(JsonLibraryModule, name));
}
