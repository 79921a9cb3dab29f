// Which images the loader refuses before it allocates anything, and where the parts
// of an accepted image land.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "loader/image_loader.h"
#include "tests/loader/real_image.h"
#include "tests/loader/stand_in_host.h"
#include "tests/loader/test_image.h"

namespace loader_test {
namespace {

TestImage OneSectionImage(uint16_t machine = kMachineI386) {
  TestImage image = ImageFor(machine);
  image.sections.push_back({0x1000, 0x20, std::vector<uint8_t>(0x20, 0xAB), kDataSection});
  return image;
}

uintptr_t Load(StandInHost& host, const std::vector<uint8_t>& bytes) {
  return loader::LoadModuleWithHost(host, bytes.data(), static_cast<uint32_t>(bytes.size()),
                                    nullptr, 0);
}

// Every refusal, in each form: the fields after the image base lie 16 bytes further on
// in a PE32+ image, whose optional header is 240 bytes long.
TEST(LoaderLayout, RefusesMalformedHeadersWithoutAllocating) {
  for (const uint16_t machine : {kMachineI386, kMachineAmd64}) {
    SCOPED_TRACE(machine);
    const std::vector<uint8_t> good = OneSectionImage(machine).Build();
    const bool wide = machine == kMachineAmd64;
    const uint16_t optionalSize = wide ? 240 : 224;
    const uint32_t directories = kNtOffset + 24 + (wide ? 112 : 96);
    const uint32_t section = SectionHeaderOffset(0, optionalSize);
    {
      StandInHost host;
      host.machine = machine;
      ASSERT_NE(Load(host, good), 0u) << "the unmodified image must load";
    }
    struct Case {
      const char* what;
      std::function<void(std::vector<uint8_t>&)> spoil;
    };
    const Case cases[] = {
        {"shorter than a DOS header", [](auto& b) { b.resize(63); }},
        {"no MZ signature", [](auto& b) { b[1] = 'X'; }},
        {"NT headers past the end", [](auto& b) { b.resize(kNtOffset + 247); }},
        {"optional header past the end", [&](auto& b) { b.resize(kNtOffset + 23 + optionalSize); }},
        {"negative NT headers offset", [](auto& b) { Put32(b, 60, 0xFFFFFFF0u); }},
        {"no PE signature", [](auto& b) { b[kNtOffset + 1] = 'F'; }},
        {"the other form's machine",
         [&](auto& b) { Put16(b, kNtOffset + 4, wide ? kMachineI386 : kMachineAmd64); }},
        {"another machine", [](auto& b) { Put16(b, kNtOffset + 4, 0xAA64); }},
        {"an optional header of neither form", [](auto& b) { Put16(b, kNtOffset + 24, 0x0107); }},
        {"not an executable image", [](auto& b) { Put16(b, kNtOffset + 22, 0x2100); }},
        {"optional header too short", [&](auto& b) { Put16(b, kNtOffset + 20, optionalSize - 1); }},
        {"section data past the end", [&](auto& b) { Put32(b, section + 16, 0x201); }},
        {"section data offset wraps", [&](auto& b) { Put32(b, section + 20, 0xFFFFFFF0u); }},
        {"section table past the end", [](auto& b) { Put16(b, kNtOffset + 6, 0xFFFF); }},
        {"section alignment 0", [](auto& b) { Put32(b, kNtOffset + 56, 0); }},
        {"section end past 4 GiB", [&](auto& b) { Put32(b, section + 12, 0xFFFFF000u); }},
        {"section over the headers", [&](auto& b) { Put32(b, section + 12, 0x100); }},
        {"entry point past the image", [](auto& b) { Put32(b, kNtOffset + 40, 0x2000); }},
        {"entry point in a data section", [](auto& b) { Put32(b, kNtOffset + 40, 0x1004); }},
        {"entry point in the headers", [](auto& b) { Put32(b, kNtOffset + 40, 0x40); }},
        {"thread-local storage", [&](auto& b) { Put32(b, directories + 8 * 9, 0x1000); }},
        {"thread-local storage size", [&](auto& b) { Put32(b, directories + 4 + 8 * 9, 24); }},
    };
    for (const Case& c : cases) {
      std::vector<uint8_t> bytes = good;
      c.spoil(bytes);
      StandInHost host;
      host.machine = machine;
      EXPECT_EQ(Load(host, bytes), 0u) << c.what;
      EXPECT_TRUE(host.allocationRequests.empty()) << c.what;
    }
    StandInHost host;
    EXPECT_EQ(loader::LoadModuleWithHost(host, nullptr, 4096, nullptr, 0), 0u);
    EXPECT_TRUE(host.allocationRequests.empty());
  }
}

// A 32-bit program cannot call 64-bit code, nor the other way round: each refuses the
// other's image before it allocates anything.
TEST(LoaderLayout, EachHostMapsOnlyImagesOfItsOwnMachine) {
  for (const uint16_t machine : {kMachineI386, kMachineAmd64}) {
    const uint16_t other = machine == kMachineI386 ? kMachineAmd64 : kMachineI386;
    StandInHost host;
    host.machine = machine;
    EXPECT_EQ(Load(host, OneSectionImage(other).Build()), 0u) << machine;
    EXPECT_TRUE(host.allocationRequests.empty()) << machine;
    EXPECT_NE(Load(host, OneSectionImage(machine).Build()), 0u) << machine;
  }
  StandInHost wide;
  wide.machine = kMachineAmd64;
  wide.refusePreferred = true;
  ASSERT_NE(Load(wide, OneSectionImage(kMachineAmd64).Build()), 0u);
  // The 64-bit preferred base is asked for whole; a host whose addresses cannot hold it
  // (the 32-bit build's tests) asks for memory anywhere at once.
  const std::vector<uintptr_t> expected =
      sizeof(uintptr_t) == 8 ? std::vector<uintptr_t>{static_cast<uintptr_t>(0x180000000ull), 0}
                             : std::vector<uintptr_t>{0};
  EXPECT_EQ(wide.allocationRequests, expected);
}

TEST(LoaderLayout, RefusesAnImageOfNoSize) {
  TestImage image;
  image.sizeOfImage = 0;
  image.sectionAlignment = 0x1000;
  std::vector<uint8_t> bytes = image.Build();
  Put32(bytes, kNtOffset + 80, 0);
  StandInHost host;
  EXPECT_EQ(Load(host, bytes), 0u);
  EXPECT_TRUE(host.allocationRequests.empty());
}

TEST(LoaderLayout, SizesTheImageByItsLastSectionAndCopiesHeadersToTheSectionTable) {
  TestImage image;
  image.sizeOfImage = 0x2000;  // smaller than the sections reach
  image.sections.push_back({0x1000, 0x10, std::vector<uint8_t>(0x30, 0x11), kCodeSection});
  // Raw data longer than the virtual size still counts; the end rounds up to 0x1000.
  image.sections.push_back({0x3000, 0x10, std::vector<uint8_t>(0x1001, 0x22), kDataSection});
  image.sections.push_back({0x6000, 0x80, {}, kDataSection});  // no raw data: stays zero
  std::vector<uint8_t> bytes = image.Build();
  const uint32_t tableEnd = SectionHeaderOffset(3);
  bytes[tableEnd] = 0x5A;  // in the file's header area, beyond the section table

  StandInHost host;
  const uintptr_t base = Load(host, bytes);
  ASSERT_NE(base, 0u);
  EXPECT_EQ(host.size, 0x7000u);
  const auto* mapped = reinterpret_cast<const uint8_t*>(base);
  EXPECT_EQ(std::memcmp(mapped, bytes.data(), tableEnd), 0);
  EXPECT_EQ(mapped[tableEnd], 0) << "only the headers up to the section table are copied";
  EXPECT_EQ(mapped[0x1000 + 0x2F], 0x11) << "raw bytes beyond the virtual size are copied";
  EXPECT_EQ(mapped[0x1000 + 0x30], 0);
  EXPECT_EQ(mapped[0x3000 + 0x1000], 0x22);
  EXPECT_EQ(mapped[0x3000 + 0x1001], 0);
  for (uint32_t i = 0; i < 0x80; ++i) ASSERT_EQ(mapped[0x6000 + i], 0);
}

TEST(LoaderLayout, TriesThePreferredBaseFirstThenAnywhere) {
  const std::vector<uint8_t> bytes = OneSectionImage().Build();
  StandInHost host;
  host.refusePreferred = true;
  EXPECT_NE(Load(host, bytes), 0u);
  EXPECT_EQ(host.allocationRequests, (std::vector<uintptr_t>{0x10000000, 0}));

  StandInHost full;
  full.sizeLimit = 0;
  EXPECT_EQ(Load(full, bytes), 0u);
  EXPECT_EQ(full.allocationRequests.size(), 2u);
}

TEST(LoaderLayout, RealImageMapsAsItsHeadersDescribe) {
  const std::vector<RealImage> images = ReadRealImages();
  SKIP_WITHOUT_REAL_IMAGES(images);
  for (const RealImage& real : images) {
    SCOPED_TRACE(real.name);
    const std::vector<uint8_t>& file = real.bytes;
    const uint32_t nt = real.ntOffset;
    const uint16_t sectionCount = file[nt + 6] | (file[nt + 7] << 8);
    const uint32_t tableEnd = real.SectionHeader(sectionCount);

    StandInHost host;
    host.machine = real.machine;
    host.libraries["msvcrt.dll"] = 0x77000000;
    // Every import answers, so the load gets past its import table.
    const auto resolver = [](const char*, const char*, uint32_t, uintptr_t) -> uintptr_t {
      return 0x7700F000;
    };
    // A block whose address is the preferred base, seen at the image's width, so nothing
    // moves.
    std::vector<uint8_t> block(Get32(&file[nt + 80]) + 0x10000);
    host.fixedBase = reinterpret_cast<uintptr_t>(block.data());
    const std::vector<uint8_t> preferred = real.PreferringBase(host.fixedBase);
    const uintptr_t base = loader::LoadModuleWithHost(
        host, preferred.data(), static_cast<uint32_t>(file.size()), resolver, 0);
    ASSERT_EQ(base, host.fixedBase);

    EXPECT_EQ(host.size, Get32(&file[nt + 80])) << "SizeOfImage";
    if (real.Wide()) {
      EXPECT_EQ(sectionCount, 9) << ".text .data .rdata .pdata .xdata .bss .edata .idata .reloc";
      EXPECT_EQ(Get64(&file[real.ImageBaseField()]), 0x180000000u) << "preferred base";
      EXPECT_NE(Get32(&file[real.DirectoryField(3) + 4]), 0u) << "an exception directory";
    } else {
      EXPECT_EQ(sectionCount, 7)
          << "the DLL's sections: .text .data .rdata .bss .edata .idata .reloc";
      EXPECT_EQ(Get32(&file[real.ImageBaseField()]), 0x10000000u) << "preferred base";
    }
    EXPECT_NE(Get32(&file[real.DirectoryField(5) + 4]), 0u) << "a base relocation table";
    EXPECT_EQ(Get32(&file[real.DirectoryField(9)]), 0u) << "no thread-local storage directory";
    EXPECT_EQ(std::memcmp(block.data(), preferred.data(), tableEnd), 0);
    for (uint32_t i = tableEnd; i < 0x1000; ++i) ASSERT_EQ(block[i], 0) << i;

    const uint32_t importDirectory = Get32(&file[real.DirectoryField(1)]);
    for (uint16_t s = 0; s < sectionCount; ++s) {
      const uint8_t* header = &file[real.SectionHeader(s)];
      const std::string name(reinterpret_cast<const char*>(header),
                             strnlen(reinterpret_cast<const char*>(header), 8));
      const uint32_t virtualSize = Get32(header + 8);
      const uint32_t address = Get32(header + 12);
      const uint32_t rawSize = Get32(header + 16);
      const uint32_t rawOffset = Get32(header + 20);
      const bool holdsImports =
          importDirectory >= address && importDirectory < address + virtualSize;
      if (!holdsImports) {
        EXPECT_EQ(std::memcmp(&block[address], &file[rawOffset], rawSize), 0) << name;
      }
      for (uint32_t i = rawSize; i < virtualSize; ++i) ASSERT_EQ(block[address + i], 0) << name;
    }
  }
}

}  // namespace
}  // namespace loader_test
