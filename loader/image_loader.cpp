#include "loader/image_loader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "loader/export_lookup.h"
#include "loader/pe_format.h"
#include "loader/pe_image.h"

namespace loader {

namespace {

struct Directory {
  uint32_t address = 0;
  uint32_t size = 0;
};

// Reads data directory `index` from the headers mapped at the start of `image`.
bool ReadDirectory(const pe::ByteSpan& image, const pe::HeaderFormat& format, uint32_t index,
                   Directory* directory) {
  if (!image.Contains(pe::kNtHeadersOffsetField, 4)) return false;
  const uint64_t entry =
      uint64_t{image.U32(pe::kNtHeadersOffsetField)} + pe::DirectoryField(format, index);
  if (!image.Contains(entry, 8)) return false;
  directory->address = image.U32(entry);
  directory->size = image.U32(entry + 4);
  return true;
}

// Adds the distance between the actual and the preferred base to every absolute
// address the relocation table names: 32-bit ones in either form, 64-bit ones in a PE32+
// image. Runs even when the distance is 0, so a broken table is refused wherever the
// image lands. Every word it changes lies in a section: a relocation of the headers
// would rewrite what validation has checked.
bool ApplyRelocations(const pe::ByteSpan& image, const ImageLayout& layout, uintptr_t base) {
  Directory directory;
  if (!ReadDirectory(image, *layout.format, pe::kRelocationDirectory, &directory)) return false;
  if (directory.size == 0) return true;
  if (!image.Contains(directory.address, directory.size)) return false;
  // Addresses wrap at the image's own width whatever the host's pointer size.
  const uint64_t delta = uint64_t{base} - layout.imageBase;
  const bool wide = layout.format->pointerSize == 8;

  uint64_t block = directory.address;
  const uint64_t end = uint64_t{directory.address} + directory.size;
  while (end - block >= pe::kRelocationBlockHeaderSize) {
    const uint32_t page = image.U32(block);
    const uint32_t blockSize = image.U32(block + 4);
    if (page == 0) break;
    // A block too small for its own header would never advance the walk.
    if (blockSize < pe::kRelocationBlockHeaderSize || blockSize > end - block) return false;
    const uint32_t entryCount = (blockSize - pe::kRelocationBlockHeaderSize) / 2;
    for (uint32_t i = 0; i < entryCount; ++i) {
      const uint16_t entry = image.U16(block + pe::kRelocationBlockHeaderSize + uint64_t{i} * 2);
      const uint16_t type = entry >> 12;
      const uint64_t target = uint64_t{page} + (entry & 0x0FFF);
      if (type == pe::kRelocationHighLow) {
        if (!InsideSection(layout, target, 4)) return false;
        pe::Write32(image.Bytes() + target, image.U32(target) + static_cast<uint32_t>(delta));
      } else if (type == pe::kRelocationDir64 && wide) {
        if (!InsideSection(layout, target, 8)) return false;
        pe::Write64(image.Bytes() + target, image.U64(target) + delta);
      }
    }
    block += blockSize;
  }
  return true;
}

enum class DescriptorState { kLibrary, kEnd, kMalformed };

// Reads import descriptor `index`: its offset in the image and its library's name.
DescriptorState ReadDescriptor(const pe::ByteSpan& image, uint32_t directory, uint64_t index,
                               uint64_t* descriptor, const char** library) {
  *descriptor = directory + index * pe::kImportDescriptorSize;
  if (!image.Contains(*descriptor, pe::kImportDescriptorSize)) return DescriptorState::kMalformed;
  const uint32_t name = image.U32(*descriptor + pe::kImportNameField);
  if (name == 0) return DescriptorState::kEnd;
  if (!image.HoldsString(name)) return DescriptorState::kMalformed;
  *library = reinterpret_cast<const char*>(image.Bytes() + name);
  return DescriptorState::kLibrary;
}

// Frees the libraries of descriptors 0 to `lastIndex`, by the handles their names
// have now, stopping at the end of the list.
void FreeImportedLibraries(LoaderHost& host, const pe::ByteSpan& image, uint32_t directory,
                           uint64_t lastIndex) {
  for (uint64_t index = 0; index <= lastIndex; ++index) {
    uint64_t descriptor = 0;
    const char* library = nullptr;
    if (ReadDescriptor(image, directory, index, &descriptor, &library) !=
        DescriptorState::kLibrary) {
      return;
    }
    host.FreeImportLibrary(host.FindLoadedLibrary(library));
  }
}

// Fills the address table of one descriptor; false at the first import that has no
// address, or whose name lies outside the image or whose slot lies outside a section.
bool BindLibraryImports(LoaderHost& host, const pe::ByteSpan& image, const ImageLayout& layout,
                        uint64_t descriptor, const char* library, uintptr_t handle,
                        ImportResolver resolver, uintptr_t user) {
  const uint32_t originalFirstThunk = image.U32(descriptor + pe::kImportOriginalFirstThunkField);
  const uint32_t firstThunk = image.U32(descriptor + pe::kImportFirstThunkField);
  const uint32_t lookup = originalFirstThunk != 0 ? originalFirstThunk : firstThunk;
  // Lookup entries and address slots are as wide as the image's pointers.
  const uint32_t width = layout.format->pointerSize;
  for (uint64_t i = 0;; ++i) {
    const uint64_t entryOffset = lookup + i * width;
    if (!image.Contains(entryOffset, width)) return false;
    const uint64_t entry = width == 8 ? image.U64(entryOffset) : image.U32(entryOffset);
    if (entry == 0) return true;
    const bool byOrdinal = (entry & layout.format->importByOrdinal) != 0;
    const char* value = nullptr;
    if (byOrdinal) {
      value = reinterpret_cast<const char*>(static_cast<uintptr_t>(entry & 0xFFFF));
    } else {
      const uint64_t name = entry + 2;  // past the two-byte hint
      if (!image.HoldsString(name)) return false;
      value = reinterpret_cast<const char*>(image.Bytes() + name);
    }
    const uint32_t ordinalFlag = byOrdinal ? pe::kImportByOrdinal : 0;
    uintptr_t address = resolver != nullptr ? resolver(library, value, ordinalFlag, user) : 0;
    if (address == 0) address = host.FindProcedure(handle, value);
    if (address == 0) return false;
    const uint64_t slot = firstThunk + i * width;
    if (!InsideSection(layout, slot, width)) return false;
    if (width == 8) {
      pe::Write64(image.Bytes() + slot, address);
    } else {
      pe::Write32(image.Bytes() + slot, static_cast<uint32_t>(address));
    }
  }
}

bool ResolveImports(LoaderHost& host, const pe::ByteSpan& image, const ImageLayout& layout,
                    ImportResolver resolver, uintptr_t user) {
  if (!host.HasImportFunctions()) return false;
  Directory directory;
  if (!ReadDirectory(image, *layout.format, pe::kImportDirectory, &directory)) return false;
  if (directory.size == 0) return true;
  for (uint64_t index = 0;; ++index) {
    uint64_t descriptor = 0;
    const char* library = nullptr;
    switch (ReadDescriptor(image, directory.address, index, &descriptor, &library)) {
      case DescriptorState::kEnd:
        return true;
      case DescriptorState::kMalformed:
        if (index > 0) FreeImportedLibraries(host, image, directory.address, index - 1);
        return false;
      case DescriptorState::kLibrary:
        break;
    }
    // The handle is not tested: a library that cannot be loaded fails at its first
    // import, which GetProcAddress cannot find in a null module.
    const uintptr_t handle = host.LoadImportLibrary(library);
    if (!BindLibraryImports(host, image, layout, descriptor, library, handle, resolver, user)) {
      FreeImportedLibraries(host, image, directory.address, index);
      return false;
    }
  }
}

void ReleaseImports(LoaderHost& host, const pe::ByteSpan& image, const ImageLayout& layout) {
  if (!host.HasReleaseFunctions()) return;
  Directory directory;
  if (!ReadDirectory(image, *layout.format, pe::kImportDirectory, &directory) ||
      directory.size == 0) {
    return;
  }
  FreeImportedLibraries(host, image, directory.address, UINT64_MAX);
}

uint32_t PageProtectionFor(uint32_t rights) {
  const bool execute = (rights & pe::kSectionExecute) != 0;
  const bool write = (rights & pe::kSectionWrite) != 0;
  const bool read = (rights & pe::kSectionRead) != 0;
  if (execute)
    return write ? pe::kPageExecuteReadWrite : read ? pe::kPageExecuteRead : pe::kPageExecute;
  if (write) return pe::kPageReadWrite;
  return read ? pe::kPageReadOnly : pe::kPageNoAccess;
}

// Gives the headers read-only pages and each section the access its characteristics
// ask for. A page shared by two sections gets the rights of both.
bool ProtectImage(LoaderHost& host, uintptr_t base, const ImageLayout& layout) {
  // Windows maps an image aligned more finely than a page as one writable, executable
  // view; so does this loader.
  if (layout.sectionAlignment < pe::kPageSize) return true;
  const uint64_t pageCount = (uint64_t{layout.imageSize} + pe::kPageSize - 1) / pe::kPageSize;
  std::vector<uint32_t> rights(pageCount, 0);
  const auto grant = [&](uint64_t start, uint64_t end, uint32_t access) {
    end = std::min<uint64_t>(end, layout.imageSize);
    for (uint64_t page = start / pe::kPageSize; page * pe::kPageSize < end; ++page) {
      rights[page] |= access;
    }
  };
  grant(0, layout.headerCopyLength, pe::kSectionRead);
  constexpr uint32_t kAccessBits = pe::kSectionExecute | pe::kSectionRead | pe::kSectionWrite;
  for (const SectionLayout& section : layout.sections) {
    grant(section.virtualAddress, SectionMappedEnd(section, layout.sectionAlignment),
          section.characteristics & kAccessBits);
  }
  for (uint64_t first = 0; first < pageCount;) {
    uint64_t next = first + 1;
    while (next < pageCount && rights[next] == rights[first]) ++next;
    const uint64_t start = first * pe::kPageSize;
    const uint64_t length = std::min<uint64_t>(next * pe::kPageSize, layout.imageSize) - start;
    if (!host.ProtectPages(base + start, static_cast<uint32_t>(length),
                           PageProtectionFor(rights[first]))) {
      return false;
    }
    first = next;
  }
  return true;
}

enum class FunctionTable { kNone, kAdded, kRefused };

// Hands a PE32+ image's exception directory to the system, so that stack walks and
// unwinding pass through the mapped code as through a DLL the system loaded. Every
// entry must name a stretch of executable code and unwind data inside the image.
FunctionTable AddExceptionTable(LoaderHost& host, const pe::ByteSpan& image,
                                const ImageLayout& layout, uintptr_t base, uintptr_t* table) {
  if (layout.format->pointerSize != 8) return FunctionTable::kNone;
  Directory directory;
  if (!ReadDirectory(image, *layout.format, pe::kExceptionDirectory, &directory)) {
    return FunctionTable::kRefused;
  }
  if (directory.size == 0) return FunctionTable::kNone;
  if (directory.size % pe::kRuntimeFunctionSize != 0 ||
      !InsideSection(layout, directory.address, directory.size)) {
    return FunctionTable::kRefused;
  }
  const uint32_t count = directory.size / pe::kRuntimeFunctionSize;
  for (uint32_t i = 0; i < count; ++i) {
    const uint64_t entry = uint64_t{directory.address} + uint64_t{i} * pe::kRuntimeFunctionSize;
    const uint32_t start = image.U32(entry);
    const uint32_t end = image.U32(entry + 4);
    const uint32_t unwind = image.U32(entry + 8);
    if (end <= start || !InsideSection(layout, start, end - start, pe::kSectionExecute) ||
        !InsideSection(layout, unwind, 4)) {
      return FunctionTable::kRefused;
    }
  }
  *table = base + directory.address;
  return host.AddFunctionTable(*table, count, base) ? FunctionTable::kAdded
                                                    : FunctionTable::kRefused;
}

}  // namespace

uintptr_t LoadModuleWithHost(LoaderHost& host, const void* data, uint32_t size,
                             ImportResolver resolver, uintptr_t user) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  ImageLayout layout;
  if (!ReadImageLayout(bytes, size, &layout)) return 0;
  if (layout.format->machine != host.ImageMachine()) return 0;

  // A preferred base the host's addresses cannot hold is no preference.
  const auto preferred = static_cast<uintptr_t>(layout.imageBase);
  uintptr_t base =
      host.AllocateImage(preferred == layout.imageBase ? preferred : 0, layout.imageSize);
  if (base == 0) base = host.AllocateImage(0, layout.imageSize);
  if (base == 0) return 0;
  const pe::ByteSpan image(reinterpret_cast<uint8_t*>(base), layout.imageSize);

  std::memcpy(image.Bytes(), bytes, layout.headerCopyLength);
  for (const SectionLayout& section : layout.sections) {
    if (section.rawSize == 0 || section.virtualAddress == 0) continue;
    std::memcpy(image.Bytes() + section.virtualAddress, bytes + section.rawOffset, section.rawSize);
  }

  if (!ApplyRelocations(image, layout, base) ||
      !ResolveImports(host, image, layout, resolver, user)) {
    host.ReleaseImage(base);
    return 0;
  }
  uintptr_t functionTable = 0;
  const FunctionTable added = ProtectImage(host, base, layout)
                                  ? AddExceptionTable(host, image, layout, base, &functionTable)
                                  : FunctionTable::kRefused;
  if (added == FunctionTable::kRefused) {
    ReleaseImports(host, image, layout);
    host.ReleaseImage(base);
    return 0;
  }
  if ((layout.characteristics & pe::kDllImage) != 0 && layout.entryPoint != 0) {
    const uintptr_t entry = base + layout.entryPoint;
    if (host.CallEntryPoint(entry, base, pe::kProcessAttach) == 0) {
      host.CallEntryPoint(entry, base, pe::kProcessDetach);
      if (added == FunctionTable::kAdded) host.DeleteFunctionTable(functionTable);
      ReleaseImports(host, image, layout);
      host.ReleaseImage(base);
      return 0;
    }
  }
  RememberMappedSize(base, layout.imageSize);
  return base;
}

}  // namespace loader
