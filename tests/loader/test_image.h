// Small DLL images (PE32 for x86, PE32+ for x64) made byte by byte for the loader tests,
// and the parts (relocation blocks, import and export tables) that go into their sections.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace loader_test {

constexpr uint32_t kNtOffset = 0x80;
constexpr uint32_t kFileAlignment = 0x200;
constexpr uint32_t kCodeSection = 0x60000020;      // code, execute, read
constexpr uint32_t kDataSection = 0xC0000040;      // initialised data, read, write
constexpr uint32_t kReadOnlySection = 0x40000040;  // initialised data, read

struct TestSection {
  uint32_t virtualAddress;
  uint32_t virtualSize;
  std::vector<uint8_t> raw;
  uint32_t characteristics;
};

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;

struct TestImage {
  uint16_t machine = kMachineI386;
  uint16_t characteristics = 0x2102;  // executable, 32-bit, DLL
  uint16_t optionalHeaderSize = 224;
  uint64_t imageBase = 0x10000000;
  uint32_t sectionAlignment = 0x1000;
  uint32_t sizeOfImage = 0;  // 0: up to the end of the last section
  uint32_t entryPoint = 0;
  std::array<std::pair<uint32_t, uint32_t>, 16> directories{};
  std::vector<TestSection> sections;

  // The file bytes: headers in the first 0x400 bytes, then each section's raw data. A
  // PE32+ image (machine x64) gets that form's optional header: the magic 0x20B, an
  // 8-byte image base and the data directories 16 bytes further on.
  std::vector<uint8_t> Build() const;
  bool Wide() const { return machine == kMachineAmd64; }
};

// An empty image of the form that `machine` runs: PE32 for x86, PE32+ for x64.
TestImage ImageFor(uint16_t machine);

// File offset of section `index`'s header in an image built by TestImage.
constexpr uint32_t SectionHeaderOffset(uint32_t index, uint16_t optionalHeaderSize = 224) {
  return kNtOffset + 24 + optionalHeaderSize + 40 * index;
}

void Put16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value);
void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
void Put64(std::vector<uint8_t>& bytes, size_t offset, uint64_t value);
uint32_t Get32(const uint8_t* bytes);
uint64_t Get64(const uint8_t* bytes);

// One base relocation block for `page`, entries as (type << 12) | offset.
std::vector<uint8_t> RelocationBlock(uint32_t page, const std::vector<uint16_t>& entries);

struct TestImport {
  std::string name;  // empty: by ordinal
  uint16_t ordinal = 0;
};

struct TestLibrary {
  std::string name;
  std::vector<TestImport> imports;
  bool withoutLookupTable = false;  // OriginalFirstThunk 0: the address table names the imports
};

struct ImportTable {
  std::vector<uint8_t> bytes;  // the raw data of a section placed at `rva`
  uint32_t directorySize = 0;
  std::vector<std::vector<uint32_t>> slots;  // per library, the RVA of each address slot
};

// Lookup entries and address slots of `width` bytes: 4 in a PE32 image, 8 in a PE32+ one,
// where the ordinal flag is bit 63.
ImportTable BuildImportTable(uint32_t rva, const std::vector<TestLibrary>& libraries,
                             uint32_t width = 4);

struct TestExport {
  std::string name;  // empty: by ordinal only
  uint32_t address;
};

// An export directory with ordinal base `ordinalBase`, names in the order given.
std::vector<uint8_t> BuildExportTable(uint32_t rva, uint32_t ordinalBase,
                                      const std::vector<TestExport>& exports);

}  // namespace loader_test
