// Relocation, imports, section protection and the entry point of a mapped image.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "loader/image_loader.h"
#include "tests/loader/real_image.h"
#include "tests/loader/stand_in_host.h"
#include "tests/loader/test_image.h"

namespace loader_test {
namespace {

constexpr uint32_t kRelocations = 5;  // index of the base relocation directory
constexpr uint32_t kImports = 1;

uintptr_t Load(StandInHost& host, const std::vector<uint8_t>& bytes,
               ImportResolver resolver = nullptr, uintptr_t user = 0) {
  return loader::LoadModuleWithHost(host, bytes.data(), static_cast<uint32_t>(bytes.size()),
                                    resolver, user);
}

uint32_t WordAt(uintptr_t base, uint32_t offset) {
  return Get32(reinterpret_cast<const uint8_t*>(base) + offset);
}

// A data page of distinct words at 0x1000 and a relocation section at 0x2000.
TestImage RelocatedImage(const std::vector<uint8_t>& relocations) {
  TestImage image;
  std::vector<uint8_t> data;
  for (uint32_t i = 0; i < 16; ++i) Put32(data, 4 * i, 0x10000000 + 0x100 * i);
  image.sections.push_back({0x1000, 0x40, data, kDataSection});
  image.sections.push_back({0x2000, static_cast<uint32_t>(relocations.size()), relocations,
                            kReadOnlySection});
  image.directories[kRelocations] = {0x2000, static_cast<uint32_t>(relocations.size())};
  return image;
}

TEST(LoaderRelocation, AdjustsOnlyTheAbsoluteWordsByTheDistanceMoved) {
  // Types 3 at words 1 and 5, 0 (padding) at word 2, 1 and 10 (not for 32-bit images)
  // at words 3 and 4; a block of page 0 ends the walk before word 7 would move.
  std::vector<uint8_t> relocations =
      RelocationBlock(0x1000, {0x3004, 0x0008, 0x100C, 0xA010, 0x3014});
  const std::vector<uint8_t> terminator = RelocationBlock(0, {0x301C});
  relocations.insert(relocations.end(), terminator.begin(), terminator.end());
  const std::vector<uint8_t> after = RelocationBlock(0x1000, {0x301C});
  relocations.insert(relocations.end(), after.begin(), after.end());
  const std::vector<uint8_t> bytes = RelocatedImage(relocations).Build();

  StandInHost host;
  const uintptr_t base = Load(host, bytes);
  ASSERT_NE(base, 0u);
  const uint32_t delta = static_cast<uint32_t>(base) - 0x10000000u;
  for (uint32_t i = 0; i < 16; ++i) {
    const uint32_t original = 0x10000000 + 0x100 * i;
    const bool moved = i == 1 || i == 5;
    EXPECT_EQ(WordAt(base, 0x1000 + 4 * i), moved ? original + delta : original) << "word " << i;
  }
}

TEST(LoaderRelocation, RefusesBrokenTablesEvenWhereNothingMoves) {
  struct Case {
    const char* what;
    std::vector<uint8_t> relocations;
  };
  std::vector<uint8_t> endless = RelocationBlock(0x1000, {});
  Put32(endless, 4, 0);  // a block of size 0 would never advance
  std::vector<uint8_t> overlong = RelocationBlock(0x1000, {0x3000});
  Put32(overlong, 4, 0x100);
  const Case cases[] = {
      {"block of size 0", endless},
      {"block larger than the table", overlong},
      {"target past the image", RelocationBlock(0x2000, {0x3FFE})},
      {"target page past the image", RelocationBlock(0x7FFFF000, {0x3000})},
  };
  for (const Case& c : cases) {
    TestImage image = RelocatedImage(c.relocations);
    StandInHost host;
    std::vector<uint8_t> block(0x3000 + 0x1000);
    host.fixedBase = reinterpret_cast<uintptr_t>(block.data());
    image.imageBase = static_cast<uint32_t>(host.fixedBase);
    EXPECT_EQ(Load(host, image.Build()), 0u) << c.what;
    EXPECT_EQ(host.liveBlocks, 0) << c.what;
  }
  TestImage outside = RelocatedImage(RelocationBlock(0x1000, {0x3000}));
  outside.directories[kRelocations] = {0x2000, 0x10000};
  StandInHost host;
  EXPECT_EQ(Load(host, outside.Build()), 0u) << "table past the image";
  EXPECT_EQ(host.liveBlocks, 0);
}

// The image may ask for words of its own sections to be moved, never for words of its
// headers, which validation has read and the export lookup reads again.
TEST(LoaderRelocation, RefusesTargetsOutsideTheSections) {
  const std::vector<TestImage> cases = {
      RelocatedImage(RelocationBlock(0x10, {0x3000 | (kNtOffset + 80 - 0x10)})),  // SizeOfImage
      RelocatedImage(RelocationBlock(0x1000 - 0xC00, {0x3000})),  // between headers and sections
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    StandInHost host;
    EXPECT_EQ(Load(host, cases[i].Build()), 0u) << i;
    EXPECT_EQ(host.liveBlocks, 0) << i;
  }
}

// Two fields of the real image changed: its first relocation block now points into the
// header page, at SizeOfImage, which the move would rewrite.
TEST(LoaderRelocation, RealImageWithARelocatedHeaderIsRefused) {
  std::vector<uint8_t> file = ReadRealImage();
  SKIP_WITHOUT_REAL_IMAGE(file);
  const uint32_t nt = Get32(&file[60]);
  const uint32_t table = Get32(&file[nt + 160]);
  // The table's file offset: find the section that holds it.
  uint32_t tableOffset = 0;
  const uint32_t sections = file[nt + 6] | (file[nt + 7] << 8);
  const uint32_t firstSection = nt + 24 + (file[nt + 20] | (file[nt + 21] << 8));
  for (uint32_t i = 0; i < sections; ++i) {
    const uint8_t* header = &file[firstSection + 40 * i];
    const uint32_t address = Get32(header + 12), raw = Get32(header + 16);
    if (table >= address && table < address + raw) {
      tableOffset = Get32(header + 20) + table - address;
    }
  }
  ASSERT_NE(tableOffset, 0u);
  Put32(file, tableOffset, 0x10);                                            // page 0x10
  Put16(file, tableOffset + 8, static_cast<uint16_t>(0x3000 | (nt + 80 - 0x10)));  // SizeOfImage
  StandInHost host;
  EXPECT_EQ(Load(host, file, [](const char*, const char*, uint32_t, uintptr_t) -> uintptr_t {
              return 0x7700F000;
            }),
            0u);
  EXPECT_EQ(host.liveBlocks, 0);
}

TEST(LoaderRelocation, RealImageMovesExactlyItsAbsoluteWords) {
  const std::vector<uint8_t> file = ReadRealImage();
  SKIP_WITHOUT_REAL_IMAGE(file);
  const uint32_t nt = Get32(&file[60]);
  const uint32_t imageSize = Get32(&file[nt + 80]);
  const auto resolver = [](const char*, const char*, uint32_t, uintptr_t) -> uintptr_t {
    return 0x7700F000;
  };
  // Two loads, one where nothing moves and one 0x00120000 further up.
  std::vector<uint8_t> blocks[2] = {std::vector<uint8_t>(imageSize), std::vector<uint8_t>(imageSize)};
  uintptr_t bases[2];
  for (int i = 0; i < 2; ++i) {
    StandInHost host;
    host.libraries["msvcrt.dll"] = 0x77000000;
    host.fixedBase = reinterpret_cast<uintptr_t>(blocks[i].data());
    std::vector<uint8_t> bytes = file;
    Put32(bytes, nt + 52, static_cast<uint32_t>(host.fixedBase) - (i == 0 ? 0 : 0x00120000));
    bases[i] = Load(host, bytes, resolver);
    ASSERT_EQ(bases[i], host.fixedBase);
  }
  // The relocation table lists each absolute word once; count its type-3 entries.
  std::set<uint32_t> listed;
  const uint32_t table = Get32(&file[nt + 160]);
  const uint32_t tableSize = Get32(&file[nt + 164]);
  for (uint32_t block = table; block < table + tableSize;) {
    const uint8_t* mapped = &blocks[0][block];
    const uint32_t page = Get32(mapped);
    const uint32_t size = Get32(mapped + 4);
    if (page == 0) break;
    for (uint32_t e = 8; e + 2 <= size; e += 2) {
      const uint16_t entry = mapped[e] | (mapped[e + 1] << 8);
      if ((entry >> 12) == 3) listed.insert(page + (entry & 0xFFF));
    }
    block += size;
  }
  ASSERT_FALSE(listed.empty());
  std::set<uint32_t> moved;
  for (uint32_t offset = 0; offset + 4 <= imageSize; ++offset) {
    const uint32_t still = Get32(&blocks[0][offset]);
    const uint32_t shifted = Get32(&blocks[1][offset]);
    if (listed.count(offset) != 0) {
      EXPECT_EQ(shifted - still, 0x00120000u) << std::hex << offset;
      moved.insert(offset);
    }
  }
  // Every byte outside the listed words and the preferred base is the same in both.
  std::vector<bool> inWord(imageSize, false);
  for (uint32_t k = 0; k < 4; ++k) inWord[nt + 52 + k] = true;
  for (uint32_t offset : listed) {
    for (uint32_t k = 0; k < 4; ++k) inWord[offset + k] = true;
  }
  for (uint32_t offset = 0; offset < imageSize; ++offset) {
    if (!inWord[offset]) {
      ASSERT_EQ(blocks[0][offset], blocks[1][offset]) << std::hex << offset;
    }
  }
  EXPECT_EQ(moved, listed);
}

struct ResolverLog {
  std::vector<std::string> calls;  // "library|name|flag" or "library|#ordinal|flag"
  std::map<std::string, uintptr_t> answers;
};

uintptr_t LoggingResolver(const char* library, const char* nameOrOrdinal, uint32_t flag,
                          uintptr_t user) {
  auto* log = reinterpret_cast<ResolverLog*>(user);
  const std::string import = flag != 0
      ? "#" + std::to_string(reinterpret_cast<uintptr_t>(nameOrOrdinal))
      : std::string(nameOrOrdinal);
  const std::string call = std::string(library) + "|" + import + "|" + std::to_string(flag);
  log->calls.push_back(call);
  const auto found = log->answers.find(call);
  return found != log->answers.end() ? found->second : 0;
}

TestImage ImportingImage(const std::vector<TestLibrary>& libraries, ImportTable* table) {
  *table = BuildImportTable(0x1000, libraries);
  TestImage image;
  image.sections.push_back({0x1000, static_cast<uint32_t>(table->bytes.size()), table->bytes,
                            kDataSection});
  image.directories[kImports] = {0x1000, table->directorySize};
  return image;
}

TEST(LoaderImports, AsksTheResolverFirstAndGetProcAddressForWhatItLeaves) {
  ImportTable table;
  const TestImage image = ImportingImage(
      {{"first.dll", {{"Alpha"}, {"", 7}}}, {"second.dll", {{"Beta"}}, true}}, &table);
  StandInHost host;
  host.libraries = {{"first.dll", 0x100}, {"second.dll", 0x200}};
  host.AddProcedure(0x200, "Beta", 0xBE7A);
  ResolverLog log;
  log.answers = {{"first.dll|Alpha|0", 0xA1FA}, {"first.dll|#7|2147483648", 0x0777}};

  const uintptr_t base = Load(host, image.Build(), LoggingResolver, reinterpret_cast<uintptr_t>(&log));
  ASSERT_NE(base, 0u);
  EXPECT_EQ(log.calls, (std::vector<std::string>{"first.dll|Alpha|0", "first.dll|#7|2147483648",
                                                 "second.dll|Beta|0"}));
  EXPECT_EQ(WordAt(base, table.slots[0][0]), 0xA1FAu);
  EXPECT_EQ(WordAt(base, table.slots[0][1]), 0x0777u);
  EXPECT_EQ(WordAt(base, table.slots[1][0]), 0xBE7Au) << "found by GetProcAddress";
  EXPECT_EQ(host.loadedLibraries, (std::vector<std::string>{"first.dll", "second.dll"}));
  EXPECT_EQ(host.OpenLibraryReferences(), 2) << "a mapped image keeps its libraries";
}

TEST(LoaderImports, AMissingImportFreesTheLibrariesLoadedSoFarAndTheMemory) {
  ImportTable table;
  const TestImage image = ImportingImage(
      {{"first.dll", {{"Alpha"}}}, {"second.dll", {{"Beta"}, {"Missing"}}}, {"third.dll", {{"Gamma"}}}},
      &table);
  StandInHost host;
  host.libraries = {{"first.dll", 0x100}, {"second.dll", 0x200}, {"third.dll", 0x300}};
  host.AddProcedure(0x100, "Alpha", 1);
  host.AddProcedure(0x200, "Beta", 2);
  host.AddProcedure(0x300, "Gamma", 3);
  EXPECT_EQ(Load(host, image.Build()), 0u);
  EXPECT_EQ(host.loadedLibraries, (std::vector<std::string>{"first.dll", "second.dll"}));
  EXPECT_EQ(host.OpenLibraryReferences(), 0);
  EXPECT_EQ(host.liveBlocks, 0);

  ImportTable absentTable;
  const TestImage absent = ImportingImage({{"absent.dll", {{"Alpha"}}}}, &absentTable);
  StandInHost second;
  EXPECT_EQ(Load(second, absent.Build()), 0u) << "a library that does not load has no exports";
  EXPECT_EQ(second.liveBlocks, 0);

  StandInHost bare;
  bare.importFunctions = false;
  TestImage noImports;
  EXPECT_EQ(Load(bare, noImports.Build()), 0u) << "without LoadLibraryA and friends nothing maps";
  EXPECT_EQ(bare.liveBlocks, 0);
}

TEST(LoaderImports, RefusesTablesThatPointOutsideTheImage) {
  struct Case {
    const char* what;
    uint32_t offset;  // within the import section
    uint32_t value;
  };
  ImportTable table;
  const TestImage image = ImportingImage({{"first.dll", {{"Alpha"}}}, {"second.dll", {{"Beta"}}}}, &table);
  const std::vector<uint8_t> good = image.Build();
  const uint32_t raw = 0x400;  // the import section's file offset
  const Case cases[] = {
      {"second library's name past the image", 20 + 12, 0x7FFFFFF0},
      {"second library's lookup table past the image", 20 + 0, 0x00FFFFFC},
      {"second library's address table past the image", 20 + 16, 0x00FFFFFC},
      {"import name past the image", Get32(&good[raw + 20]) - 0x1000, 0x7FFFFFF0},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = good;
    Put32(bytes, raw + c.offset, c.value);
    StandInHost host;
    host.libraries = {{"first.dll", 0x100}, {"second.dll", 0x200}};
    host.AddProcedure(0x100, "Alpha", 1);
    host.AddProcedure(0x200, "Beta", 2);
    EXPECT_EQ(Load(host, bytes), 0u) << c.what;
    EXPECT_EQ(host.OpenLibraryReferences(), 0) << c.what;
    EXPECT_EQ(host.liveBlocks, 0) << c.what;
  }
  // An address table in the headers: binding would write over SizeOfImage.
  {
    std::vector<uint8_t> bytes = good;
    Put32(bytes, raw + 16, kNtOffset + 80);
    Put32(bytes, raw + 0, Get32(&good[raw + 16]));  // the lookup table stays where it was
    StandInHost host;
    host.libraries = {{"first.dll", 0x100}, {"second.dll", 0x200}};
    host.AddProcedure(0x100, "Alpha", 1);
    host.AddProcedure(0x200, "Beta", 2);
    EXPECT_EQ(Load(host, bytes), 0u) << "address table in the headers";
    EXPECT_EQ(host.OpenLibraryReferences(), 0);
    EXPECT_EQ(host.liveBlocks, 0);
  }
  // A directory whose descriptors run off the image's end.
  TestImage offEnd = image;
  offEnd.directories[kImports] = {0x1FF0, 20};
  StandInHost host;
  EXPECT_EQ(Load(host, offEnd.Build()), 0u);
  EXPECT_EQ(host.liveBlocks, 0);
}

TEST(LoaderImports, RealImageNeedsOnlyLibrariesEveryWindowsHas) {
  const std::vector<uint8_t> file = ReadRealImage();
  SKIP_WITHOUT_REAL_IMAGE(file);
  StandInHost host;
  ResolverLog log;
  const auto answerAll = [](const char* library, const char* name, uint32_t flag, uintptr_t user) {
    LoggingResolver(library, name, flag, user);
    return uintptr_t{0x7700F000};
  };
  ASSERT_NE(Load(host, file, answerAll, reinterpret_cast<uintptr_t>(&log)), 0u);
  ASSERT_FALSE(host.loadedLibraries.empty());
  for (const std::string& library : host.loadedLibraries) {
    EXPECT_TRUE(strcasecmp(library.c_str(), "msvcrt.dll") == 0 ||
                strcasecmp(library.c_str(), "kernel32.dll") == 0)
        << library;
  }
  EXPECT_GT(log.calls.size(), 5u);
}

TEST(LoaderEntryPoint, ARefusingEntryPointIsToldToDetachAndEverythingIsReleased) {
  ImportTable table;
  TestImage image = ImportingImage({{"first.dll", {{"Alpha"}}}}, &table);
  image.sections.push_back({0x2000, 0x10, std::vector<uint8_t>(0x10, 0xC3), kCodeSection});
  image.entryPoint = 0x2004;
  StandInHost host;
  host.libraries = {{"first.dll", 0x100}};
  host.AddProcedure(0x100, "Alpha", 1);
  host.attachAnswer = 0;
  EXPECT_EQ(Load(host, image.Build()), 0u);
  EXPECT_EQ(host.entryReasons, (std::vector<uint32_t>{1, 0}));
  ASSERT_EQ(host.entryAddresses.size(), 2u);
  EXPECT_EQ(host.entryAddresses[0], host.base + 0x2004);
  EXPECT_EQ(host.OpenLibraryReferences(), 0);
  EXPECT_EQ(host.liveBlocks, 0);

  StandInHost accepting;
  accepting.libraries = host.libraries;
  accepting.procedures = host.procedures;
  EXPECT_EQ(Load(accepting, image.Build()), accepting.base);
  EXPECT_EQ(accepting.entryReasons, (std::vector<uint32_t>{1}));

  image.characteristics = 0x0102;  // an executable, not a DLL: its entry point is not ours to run
  StandInHost executable;
  executable.libraries = host.libraries;
  executable.procedures = host.procedures;
  executable.attachAnswer = 0;
  EXPECT_NE(Load(executable, image.Build()), 0u);
  EXPECT_TRUE(executable.entryReasons.empty());
}

// The protection each page of the mapped image was given last.
std::map<uint32_t, uint32_t> PageProtections(const StandInHost& host) {
  std::map<uint32_t, uint32_t> pages;
  for (const auto& p : host.protections) {
    for (uint32_t page = p.offset & ~0xFFFu; page < p.offset + p.size; page += 0x1000) {
      pages[page] = p.protection;
    }
  }
  return pages;
}

TEST(LoaderProtection, EachSectionGetsTheAccessItsCharacteristicsAskFor) {
  TestImage image;
  image.sections.push_back({0x1000, 0x1800, std::vector<uint8_t>(0x10, 0xC3), kCodeSection});
  image.sections.push_back({0x3000, 0x10, std::vector<uint8_t>(0x10, 1), kReadOnlySection});
  image.sections.push_back({0x4000, 0x10, {}, kDataSection});
  image.sections.push_back({0x5000, 0x10, {}, 0xE0000020});  // writable code
  image.sections.push_back({0x6000, 0x10, {}, 0x00000040});  // no access
  StandInHost host;
  ASSERT_NE(Load(host, image.Build()), 0u);
  EXPECT_EQ(PageProtections(host),
            (std::map<uint32_t, uint32_t>{{0x0000, 0x02}, {0x1000, 0x20}, {0x2000, 0x20},
                                          {0x3000, 0x02}, {0x4000, 0x04}, {0x5000, 0x40},
                                          {0x6000, 0x01}}));

  StandInHost refusing;
  refusing.protectAnswer = false;
  EXPECT_EQ(Load(refusing, image.Build()), 0u);
  EXPECT_EQ(refusing.liveBlocks, 0);

  // Sections aligned more finely than a page share pages: the image stays as allocated.
  TestImage packed;
  packed.sectionAlignment = 0x200;
  packed.sections.push_back({0x400, 0x10, std::vector<uint8_t>(0x10, 1), kCodeSection});
  packed.sections.push_back({0x600, 0x10, std::vector<uint8_t>(0x10, 1), kDataSection});
  StandInHost finelyAligned;
  EXPECT_NE(Load(finelyAligned, packed.Build()), 0u);
  EXPECT_TRUE(finelyAligned.protections.empty());
}

TEST(LoaderProtection, RealImageCodeIsReadExecuteAndOnlyDataIsWritable) {
  const std::vector<uint8_t> file = ReadRealImage();
  SKIP_WITHOUT_REAL_IMAGE(file);
  StandInHost host;
  const auto answerAll = [](const char*, const char*, uint32_t, uintptr_t) -> uintptr_t {
    return 0x7700F000;
  };
  ASSERT_NE(Load(host, file, answerAll), 0u);
  const std::map<uint32_t, uint32_t> pages = PageProtections(host);
  const uint32_t nt = Get32(&file[60]);
  const uint16_t count = file[nt + 6] | (file[nt + 7] << 8);
  const std::map<std::string, uint32_t> expected = {
      {".text", 0x20}, {".data", 0x04}, {".rdata", 0x02}, {".bss", 0x04},
      {".edata", 0x02}, {".idata", 0x04}, {".reloc", 0x02}};
  EXPECT_EQ(pages.at(0), 0x02u) << "headers";
  for (uint16_t s = 0; s < count; ++s) {
    const uint8_t* header = &file[nt + 24 + 224 + 40 * s];
    const std::string name(reinterpret_cast<const char*>(header), strnlen(reinterpret_cast<const char*>(header), 8));
    ASSERT_EQ(expected.count(name), 1u) << name;
    EXPECT_EQ(pages.at(Get32(header + 12)), expected.at(name)) << name;
  }
}

}  // namespace
}  // namespace loader_test
