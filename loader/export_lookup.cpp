#include "loader/export_lookup.h"

#include <vector>

#include "loader/module_loader.h"
#include "loader/pe_format.h"

namespace loader {

namespace {

// Compares the NUL-terminated `name` with the image's string at `offset`, which may
// run to the end of the image and no further.
bool ImageStringEquals(const pe::ByteSpan& image, uint32_t offset, const char* name) {
  if (offset >= image.Size()) return false;
  const uint8_t* text = image.Bytes() + offset;
  const uint32_t room = image.Size() - offset;
  for (uint32_t i = 0; i < room; ++i) {
    if (text[i] != static_cast<uint8_t>(name[i])) return false;
    if (text[i] == 0) return true;
  }
  return false;
}

struct MappedModule {
  uintptr_t base;
  uint32_t size;
};

// A handful of entries at most: the program maps one image.
std::vector<MappedModule>& MappedModules() {
  static std::vector<MappedModule> modules;
  return modules;
}

}  // namespace

void RememberMappedSize(uintptr_t base, uint32_t size) {
  ForgetMappedModule(base);
  MappedModules().push_back({base, size});
}

void ForgetMappedModule(uintptr_t base) {
  std::vector<MappedModule>& modules = MappedModules();
  for (auto it = modules.begin(); it != modules.end(); ++it) {
    if (it->base == base) {
      modules.erase(it);
      return;
    }
  }
}

uint32_t MappedSize(uintptr_t base) {
  for (const MappedModule& module : MappedModules())
    if (module.base == base) return module.size;
  return 0;
}

uintptr_t FindExportInImage(const uint8_t* imageBytes, uint32_t imageSize,
                            const char* nameOrOrdinal) {
  if (imageBytes == nullptr || nameOrOrdinal == nullptr) return 0;
  // Lookups never write; the span is non-const only because it serves the loader too.
  const pe::ByteSpan image(const_cast<uint8_t*>(imageBytes), imageSize);
  if (!image.Contains(0, pe::kDosHeaderSize) || image.U16(0) != pe::kDosSignature) return 0;
  const uint64_t nt = image.U32(pe::kNtHeadersOffsetField);
  if (!image.Contains(nt, pe::kMinNtHeadersSize) || image.U32(nt) != pe::kNtSignature) return 0;
  const pe::HeaderFormat* format = pe::HeaderFormatOf(image.U16(nt + pe::kOptionalMagicField));
  if (format == nullptr ||
      !image.Contains(nt, pe::kOptionalHeaderOffset + format->minOptionalHeaderSize)) {
    return 0;
  }
  const uint64_t field = nt + pe::DirectoryField(*format, pe::kExportDirectory);
  const uint32_t directory = image.U32(field);
  const uint32_t directorySize = image.U32(field + 4);
  if (directorySize == 0) return 0;
  if (!image.Contains(directory, pe::kExportDirectorySize)) return 0;

  const uint32_t ordinalBase = image.U32(uint64_t{directory} + pe::kExportBaseField);
  const uint32_t functionCount = image.U32(uint64_t{directory} + pe::kExportNumberOfFunctionsField);
  const uint32_t nameCount = image.U32(uint64_t{directory} + pe::kExportNumberOfNamesField);
  const uint32_t functions = image.U32(uint64_t{directory} + pe::kExportAddressOfFunctionsField);
  const uint32_t names = image.U32(uint64_t{directory} + pe::kExportAddressOfNamesField);
  const uint32_t nameOrdinals =
      image.U32(uint64_t{directory} + pe::kExportAddressOfNameOrdinalsField);
  if (!image.Contains(functions, uint64_t{functionCount} * 4)) return 0;

  const auto base = reinterpret_cast<uintptr_t>(imageBytes);
  const auto exportAt = [&](uint32_t index) -> uintptr_t {
    const uint32_t address = image.U32(uint64_t{functions} + uint64_t{index} * 4);
    // An address outside the image cannot be code or data of this module.
    return address < imageSize ? base + address : 0;
  };

  const auto value = reinterpret_cast<uintptr_t>(nameOrOrdinal);
  if (value - ordinalBase < functionCount) {
    return exportAt(static_cast<uint32_t>(value - ordinalBase));
  }
  if (!image.Contains(names, uint64_t{nameCount} * 4) ||
      !image.Contains(nameOrdinals, uint64_t{nameCount} * 2)) {
    return 0;
  }
  for (uint32_t i = 0; i < nameCount; ++i) {
    const uint16_t ordinal = image.U16(uint64_t{nameOrdinals} + uint64_t{i} * 2);
    if (ordinal >= functionCount) continue;
    if (ImageStringEquals(image, image.U32(uint64_t{names} + uint64_t{i} * 4), nameOrOrdinal)) {
      return exportAt(ordinal);
    }
  }
  return 0;
}

}  // namespace loader

uintptr_t GetExportByName(uintptr_t module, const char* nameOrOrdinal) {
  if (module == 0 || nameOrOrdinal == nullptr) return 0;
  const auto* bytes = reinterpret_cast<const uint8_t*>(module);
  if (const uint32_t mapped = loader::MappedSize(module))
    return loader::FindExportInImage(bytes, mapped, nameOrOrdinal);
  // A module the system loaded (kernel32) carries no size but its read-only headers:
  // take the one they state, once they look like headers, and hold every table to it.
  if (pe::Read16(bytes) != pe::kDosSignature) return 0;
  const uint32_t nt = pe::Read32(bytes + pe::kNtHeadersOffsetField);
  if (pe::Read32(bytes + nt) != pe::kNtSignature) return 0;
  const uint32_t imageSize = pe::Read32(bytes + nt + pe::kSizeOfImageField);
  return loader::FindExportInImage(bytes, imageSize, nameOrOrdinal);
}
