#include "tests/loader/test_image.h"

#include <algorithm>

namespace loader_test {

void Put16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) {
  if (bytes.size() < offset + 2) bytes.resize(offset + 2);
  bytes[offset] = static_cast<uint8_t>(value);
  bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  Put16(bytes, offset, static_cast<uint16_t>(value));
  Put16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

void Put64(std::vector<uint8_t>& bytes, size_t offset, uint64_t value) {
  Put32(bytes, offset, static_cast<uint32_t>(value));
  Put32(bytes, offset + 4, static_cast<uint32_t>(value >> 32));
}

uint32_t Get32(const uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

uint64_t Get64(const uint8_t* bytes) {
  return Get32(bytes) | (static_cast<uint64_t>(Get32(bytes + 4)) << 32);
}

TestImage ImageFor(uint16_t machine) {
  TestImage image;
  image.machine = machine;
  if (machine == kMachineAmd64) {
    image.characteristics = 0x2022;  // executable, large addresses, DLL
    image.optionalHeaderSize = 240;
    image.imageBase = 0x180000000;
  }
  return image;
}

std::vector<uint8_t> TestImage::Build() const {
  std::vector<uint8_t> file(0x400, 0);
  Put16(file, 0, 0x5A4D);
  Put32(file, 60, kNtOffset);
  Put32(file, kNtOffset, 0x00004550);
  Put16(file, kNtOffset + 4, machine);
  Put16(file, kNtOffset + 6, static_cast<uint16_t>(sections.size()));
  Put16(file, kNtOffset + 20, optionalHeaderSize);
  Put16(file, kNtOffset + 22, characteristics);
  const uint32_t optional = kNtOffset + 24;
  Put16(file, optional, Wide() ? 0x020B : 0x010B);
  Put32(file, optional + 16, entryPoint);
  if (Wide()) {
    Put64(file, optional + 24, imageBase);
  } else {
    Put32(file, optional + 28, static_cast<uint32_t>(imageBase));
  }
  Put32(file, optional + 32, sectionAlignment);
  Put32(file, optional + 36, kFileAlignment);
  uint32_t imageSize = sizeOfImage;
  if (imageSize == 0) {
    imageSize = sectionAlignment;
    for (const TestSection& section : sections) {
      const uint32_t end =
          section.virtualAddress + std::max<uint32_t>(section.virtualSize, section.raw.size());
      imageSize =
          std::max(imageSize, (end + sectionAlignment - 1) / sectionAlignment * sectionAlignment);
    }
  }
  Put32(file, optional + 56, imageSize);
  Put32(file, optional + 60, 0x400);
  const uint32_t directoryTable = optional + (Wide() ? 112 : 96);
  Put32(file, directoryTable - 4, 16);
  for (size_t i = 0; i < directories.size(); ++i) {
    Put32(file, directoryTable + 8 * i, directories[i].first);
    Put32(file, directoryTable + 4 + 8 * i, directories[i].second);
  }
  for (size_t i = 0; i < sections.size(); ++i) {
    const TestSection& section = sections[i];
    const uint32_t header = SectionHeaderOffset(static_cast<uint32_t>(i), optionalHeaderSize);
    file[header] = '.';
    file[header + 1] = static_cast<uint8_t>('a' + i);
    const uint32_t rawOffset = static_cast<uint32_t>(file.size());
    const uint32_t rawSize = static_cast<uint32_t>(section.raw.size());
    Put32(file, header + 8, section.virtualSize);
    Put32(file, header + 12, section.virtualAddress);
    Put32(file, header + 16, rawSize);
    Put32(file, header + 20, rawSize != 0 ? rawOffset : 0);
    Put32(file, header + 36, section.characteristics);
    file.insert(file.end(), section.raw.begin(), section.raw.end());
    file.resize((file.size() + kFileAlignment - 1) / kFileAlignment * kFileAlignment, 0);
  }
  return file;
}

std::vector<uint8_t> RelocationBlock(uint32_t page, const std::vector<uint16_t>& entries) {
  std::vector<uint8_t> block;
  Put32(block, 0, page);
  Put32(block, 4, static_cast<uint32_t>(8 + 2 * entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) Put16(block, 8 + 2 * i, entries[i]);
  return block;
}

ImportTable BuildImportTable(uint32_t rva, const std::vector<TestLibrary>& libraries,
                             uint32_t width) {
  const auto put = [width](std::vector<uint8_t>& bytes, size_t offset, uint64_t value) {
    if (width == 8) {
      Put64(bytes, offset, value);
    } else {
      Put32(bytes, offset, static_cast<uint32_t>(value));
    }
  };
  const uint64_t byOrdinal = width == 8 ? 1ull << 63 : 0x80000000u;
  ImportTable table;
  table.directorySize = static_cast<uint32_t>(20 * (libraries.size() + 1));
  std::vector<uint8_t>& bytes = table.bytes;
  bytes.assign(table.directorySize, 0);
  for (size_t i = 0; i < libraries.size(); ++i) {
    const TestLibrary& library = libraries[i];
    const size_t count = library.imports.size() + 1;
    const uint32_t lookup = static_cast<uint32_t>(bytes.size());
    const uint32_t addresses = lookup + static_cast<uint32_t>(width * count);
    bytes.resize(addresses + width * count, 0);
    table.slots.emplace_back();
    for (size_t k = 0; k < library.imports.size(); ++k) {
      const TestImport& import = library.imports[k];
      uint64_t entry = byOrdinal | import.ordinal;
      if (!import.name.empty()) {
        entry = rva + static_cast<uint32_t>(bytes.size());
        bytes.push_back(0);  // hint
        bytes.push_back(0);
        bytes.insert(bytes.end(), import.name.begin(), import.name.end());
        bytes.push_back(0);
      }
      put(bytes, lookup + width * k, entry);
      put(bytes, addresses + width * k, entry);
      table.slots.back().push_back(rva + addresses + static_cast<uint32_t>(width * k));
    }
    const uint32_t name = rva + static_cast<uint32_t>(bytes.size());
    bytes.insert(bytes.end(), library.name.begin(), library.name.end());
    bytes.push_back(0);
    Put32(bytes, 20 * i, library.withoutLookupTable ? 0 : rva + lookup);
    Put32(bytes, 20 * i + 12, name);
    Put32(bytes, 20 * i + 16, rva + addresses);
  }
  return table;
}

std::vector<uint8_t> BuildExportTable(uint32_t rva, uint32_t ordinalBase,
                                      const std::vector<TestExport>& exports) {
  std::vector<uint8_t> bytes(40, 0);
  const uint32_t functions = 40;
  const uint32_t count = static_cast<uint32_t>(exports.size());
  uint32_t nameCount = 0;
  for (const TestExport& e : exports) nameCount += e.name.empty() ? 0 : 1;
  const uint32_t names = functions + 4 * count;
  const uint32_t ordinals = names + 4 * nameCount;
  bytes.resize(ordinals + 2 * nameCount, 0);
  Put32(bytes, 16, ordinalBase);
  Put32(bytes, 20, count);
  Put32(bytes, 24, nameCount);
  Put32(bytes, 28, rva + functions);
  Put32(bytes, 32, rva + names);
  Put32(bytes, 36, rva + ordinals);
  uint32_t named = 0;
  for (uint32_t i = 0; i < count; ++i) {
    Put32(bytes, functions + 4 * i, exports[i].address);
    if (exports[i].name.empty()) continue;
    Put32(bytes, names + 4 * named, rva + static_cast<uint32_t>(bytes.size()));
    Put16(bytes, ordinals + 2 * named, static_cast<uint16_t>(i));
    bytes.insert(bytes.end(), exports[i].name.begin(), exports[i].name.end());
    bytes.push_back(0);
    ++named;
  }
  return bytes;
}

}  // namespace loader_test
