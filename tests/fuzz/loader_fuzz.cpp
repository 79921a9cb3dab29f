// Feeds arbitrary bytes to the loader as a DLL image, over the stand-in host, then
// looks exports up in whatever maps. Nothing may be read or written out of bounds. The
// host runs the machine the bytes name, so PE32 and PE32+ images both map.
#include <cstddef>
#include <cstdint>

#include "loader/image_loader.h"
#include "loader/module_loader.h"
#include "tests/loader/stand_in_host.h"

namespace {

// Answers most imports, but not those whose name starts with 'Z', so that the undo
// paths run too.
uintptr_t FuzzResolver(const char*, const char* nameOrOrdinal, uint32_t flag, uintptr_t) {
  if (flag != 0) return (reinterpret_cast<uintptr_t>(nameOrOrdinal) & 1) != 0 ? 0x1000 : 0;
  return nameOrOrdinal[0] == 'Z' ? 0 : 0x2000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  loader_test::StandInHost host;
  host.sizeLimit = 4u << 20;  // larger images only cost time
  host.libraries = {{"msvcrt.dll", 0x100}, {"kernel32.dll", 0x200}};
  host.AddProcedure(0x100, "malloc", 0x3000);
  host.attachAnswer = size % 3 != 0;
  if (size >= 64) {
    const uint32_t nt = data[60] | (data[61] << 8) | (data[62] << 16) | (uint32_t{data[63]} << 24);
    if (uint64_t{nt} + 6 <= size)
      host.machine = static_cast<uint16_t>(data[nt + 4] | (data[nt + 5] << 8));
  }
  const uintptr_t base = loader::LoadModuleWithHost(host, data, static_cast<uint32_t>(size),
                                                    size % 2 != 0 ? FuzzResolver : nullptr, 0);
  if (base != 0) {
    // The program's own lookup, on every image that maps. Names only: a small number
    // outside the image's ordinal range would be taken as a name pointer, which is the
    // caller's mistake, not the image's.
    for (const char* name : {"cJSON_Parse", "cJSON_Delete", "", "Z"}) GetExportByName(base, name);
  }
  return 0;
}
