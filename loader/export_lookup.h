// Export lookup over a mapped image whose size is known.
#pragma once

#include <cstdint>

namespace loader {

// Like GetExportByName, but every table is checked against `imageSize` rather than
// the size the image's own headers claim.
uintptr_t FindExportInImage(const uint8_t* image, uint32_t imageSize, const char* nameOrOrdinal);

}  // namespace loader
