// Export lookup over a mapped image whose size is known.
#pragma once

#include <cstdint>

namespace loader {

// Like GetExportByName, but every table is checked against `imageSize` rather than
// the size the image's own headers claim.
uintptr_t FindExportInImage(const uint8_t* image, uint32_t imageSize, const char* nameOrOrdinal);

// The loader's record of the images it mapped: GetExportByName bounds its lookup in
// such a module by the size mapped, never by what the image's headers say now.
void RememberMappedSize(uintptr_t base, uint32_t size);
// For a host that releases the memory of a mapped image (the tests' stand-in).
void ForgetMappedModule(uintptr_t base);
// The size mapped at `base`, or 0 for a module the loader did not map.
uint32_t MappedSize(uintptr_t base);

}  // namespace loader
