// Relocation, imports, section protection and the entry point of a mapped image.
#include <gtest/gtest.h>

#include <array>
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

uint64_t QuadAt(uintptr_t base, uint32_t offset) {
  return Get64(reinterpret_cast<const uint8_t*>(base) + offset);
}

// An address slot: as wide as the image's pointers.
uint64_t SlotAt(uintptr_t base, uint32_t offset, bool wide) {
  return wide ? QuadAt(base, offset) : WordAt(base, offset);
}

// A data page of distinct words at 0x1000 and a relocation section at 0x2000.
TestImage RelocatedImage(const std::vector<uint8_t>& relocations, uint16_t machine = kMachineI386) {
  TestImage image = ImageFor(machine);
  std::vector<uint8_t> data;
  for (uint32_t i = 0; i < 16; ++i) Put32(data, 4 * i, 0x10000000 + 0x100 * i);
  image.sections.push_back({0x1000, 0x40, data, kDataSection});
  image.sections.push_back(
      {0x2000, static_cast<uint32_t>(relocations.size()), relocations, kReadOnlySection});
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

// In a PE32+ image a type-10 entry moves 8 bytes by the whole 64-bit distance, and a
// type-3 entry still moves 4 bytes by its low half.
TEST(LoaderRelocation, Pe32PlusMovesSixtyFourBitAddressesWhole) {
  std::vector<uint8_t> data;
  for (uint32_t i = 0; i < 8; ++i) Put64(data, 8 * i, 0x180000000ull + 0x100 * i);
  const std::vector<uint8_t> relocations = RelocationBlock(0x1000, {0xA008, 0x3018, 0xA028});
  TestImage image = ImageFor(kMachineAmd64);
  image.sections.push_back({0x1000, 0x40, data, kDataSection});
  image.sections.push_back(
      {0x2000, static_cast<uint32_t>(relocations.size()), relocations, kReadOnlySection});
  image.directories[kRelocations] = {0x2000, static_cast<uint32_t>(relocations.size())};
  StandInHost host;
  host.machine = kMachineAmd64;
  const uintptr_t base = Load(host, image.Build());
  ASSERT_NE(base, 0u);
  const uint64_t delta = uint64_t{base} - 0x180000000ull;
  for (uint32_t i = 0; i < 8; ++i) {
    const uint64_t original = 0x180000000ull + 0x100 * i;
    uint64_t expected = original;
    if (i == 1 || i == 5) expected = original + delta;
    if (i == 3) {
      expected =
          (original & 0xFFFFFFFF00000000ull) |
          static_cast<uint32_t>(static_cast<uint32_t>(original) + static_cast<uint32_t>(delta));
    }
    EXPECT_EQ(QuadAt(base, 0x1000 + 8 * i), expected) << "quad " << i;
  }
  // Eight bytes must fit the section: the last four of a section are no place for one.
  TestImage straddling = image;
  straddling.sections[0].virtualSize = 0x1000;
  straddling.sections[0].raw.resize(0x1000);
  const std::vector<uint8_t> atEnd = RelocationBlock(0x1000, {0xAFFC});
  straddling.sections[1].raw = atEnd;
  straddling.sections[1].virtualSize = static_cast<uint32_t>(atEnd.size());
  straddling.directories[kRelocations] = {0x2000, static_cast<uint32_t>(atEnd.size())};
  StandInHost refusing;
  refusing.machine = kMachineAmd64;
  EXPECT_EQ(Load(refusing, straddling.Build()), 0u);
  EXPECT_EQ(refusing.liveBlocks, 0);
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
  for (const uint16_t machine : {kMachineI386, kMachineAmd64}) {
    for (const Case& c : cases) {
      TestImage image = RelocatedImage(c.relocations, machine);
      StandInHost host;
      host.machine = machine;
      std::vector<uint8_t> block(0x3000 + 0x1000);
      host.fixedBase = reinterpret_cast<uintptr_t>(block.data());
      image.imageBase =
          machine == kMachineAmd64 ? host.fixedBase : static_cast<uint32_t>(host.fixedBase);
      EXPECT_EQ(Load(host, image.Build()), 0u) << c.what << " " << machine;
      EXPECT_EQ(host.liveBlocks, 0) << c.what;
    }
    TestImage outside = RelocatedImage(RelocationBlock(0x1000, {0x3000}), machine);
    outside.directories[kRelocations] = {0x2000, 0x10000};
    StandInHost host;
    host.machine = machine;
    EXPECT_EQ(Load(host, outside.Build()), 0u) << "table past the image " << machine;
    EXPECT_EQ(host.liveBlocks, 0);
  }
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

// The real image's file offset of the image offset `address`, 0 when no section holds it.
uint32_t FileOffsetOf(const RealImage& real, uint32_t address) {
  const std::vector<uint8_t>& file = real.bytes;
  const uint32_t sections = file[real.ntOffset + 6] | (file[real.ntOffset + 7] << 8);
  for (uint32_t i = 0; i < sections; ++i) {
    const uint8_t* header = &file[real.SectionHeader(i)];
    const uint32_t start = Get32(header + 12), raw = Get32(header + 16);
    if (address >= start && address < start + raw) return Get32(header + 20) + address - start;
  }
  return 0;
}

uintptr_t AnswerAll(const char*, const char*, uint32_t, uintptr_t) { return 0x7700F000; }

// Two fields of the real image changed: its first relocation block now points into the
// header page, at SizeOfImage, which the move would rewrite.
TEST(LoaderRelocation, RealImageWithARelocatedHeaderIsRefused) {
  const std::vector<RealImage> images = ReadRealImages();
  SKIP_WITHOUT_REAL_IMAGES(images);
  for (const RealImage& real : images) {
    SCOPED_TRACE(real.name);
    std::vector<uint8_t> file = real.bytes;
    const uint32_t tableOffset = FileOffsetOf(real, Get32(&file[real.DirectoryField(5)]));
    ASSERT_NE(tableOffset, 0u);
    Put32(file, tableOffset, 0x10);  // page 0x10
    const uint16_t type = real.Wide() ? 0xA000 : 0x3000;
    Put16(file, tableOffset + 8, static_cast<uint16_t>(type | (real.ntOffset + 80 - 0x10)));
    StandInHost host;
    host.machine = real.machine;
    EXPECT_EQ(Load(host, file, AnswerAll), 0u);
    EXPECT_EQ(host.liveBlocks, 0);
  }
}

// Two loads, one where nothing moves and one 0x00120000 further up: exactly the words
// the table lists differ, each by that distance, at the image's pointer width.
TEST(LoaderRelocation, RealImageMovesExactlyItsAbsoluteWords) {
  const std::vector<RealImage> images = ReadRealImages();
  SKIP_WITHOUT_REAL_IMAGES(images);
  for (const RealImage& real : images) {
    SCOPED_TRACE(real.name);
    const std::vector<uint8_t>& file = real.bytes;
    const uint32_t nt = real.ntOffset;
    const uint32_t imageSize = Get32(&file[nt + 80]);
    const uint32_t width = real.Wide() ? 8 : 4;
    std::vector<uint8_t> blocks[2] = {std::vector<uint8_t>(imageSize),
                                      std::vector<uint8_t>(imageSize)};
    for (int i = 0; i < 2; ++i) {
      StandInHost host;
      host.machine = real.machine;
      host.libraries["msvcrt.dll"] = 0x77000000;
      host.fixedBase = reinterpret_cast<uintptr_t>(blocks[i].data());
      const uint64_t preferred = uint64_t{host.fixedBase} - (i == 0 ? 0 : 0x00120000);
      ASSERT_EQ(Load(host, real.PreferringBase(preferred), AnswerAll), host.fixedBase);
    }
    // The relocation table lists each absolute word once, by the image's own type.
    std::set<uint32_t> listed;
    const uint32_t table = Get32(&file[real.DirectoryField(5)]);
    const uint32_t tableSize = Get32(&file[real.DirectoryField(5) + 4]);
    for (uint32_t block = table; block < table + tableSize;) {
      const uint8_t* mapped = &blocks[0][block];
      const uint32_t page = Get32(mapped);
      const uint32_t size = Get32(mapped + 4);
      if (page == 0) break;
      for (uint32_t e = 8; e + 2 <= size; e += 2) {
        const uint16_t entry = mapped[e] | (mapped[e + 1] << 8);
        if ((entry >> 12) == (real.Wide() ? 10 : 3)) listed.insert(page + (entry & 0xFFF));
      }
      block += size;
    }
    ASSERT_FALSE(listed.empty());
    std::set<uint32_t> moved;
    for (uint32_t offset : listed) {
      const uint64_t still =
          SlotAt(reinterpret_cast<uintptr_t>(blocks[0].data()), offset, real.Wide());
      const uint64_t shifted =
          SlotAt(reinterpret_cast<uintptr_t>(blocks[1].data()), offset, real.Wide());
      EXPECT_EQ(shifted - still, 0x00120000u) << std::hex << offset;
      moved.insert(offset);
    }
    // Every byte outside the listed words and the preferred base is the same in both.
    std::vector<bool> inWord(imageSize, false);
    for (uint32_t k = 0; k < width; ++k) inWord[real.ImageBaseField() + k] = true;
    for (uint32_t offset : listed) {
      for (uint32_t k = 0; k < width; ++k) inWord[offset + k] = true;
    }
    for (uint32_t offset = 0; offset < imageSize; ++offset) {
      if (!inWord[offset]) {
        ASSERT_EQ(blocks[0][offset], blocks[1][offset]) << std::hex << offset;
      }
    }
    EXPECT_EQ(moved, listed);
  }
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

TestImage ImportingImage(const std::vector<TestLibrary>& libraries, ImportTable* table,
                         uint16_t machine = kMachineI386) {
  *table = BuildImportTable(0x1000, libraries, machine == kMachineAmd64 ? 8 : 4);
  TestImage image = ImageFor(machine);
  image.sections.push_back(
      {0x1000, static_cast<uint32_t>(table->bytes.size()), table->bytes, kDataSection});
  image.directories[kImports] = {0x1000, table->directorySize};
  return image;
}

// In both forms: a PE32+ image's lookup entries and address slots are 8 bytes, its
// ordinal flag bit 63, and an address above 4 GB lands in its slot whole.
TEST(LoaderImports, AsksTheResolverFirstAndGetProcAddressForWhatItLeaves) {
  for (const uint16_t machine : {kMachineI386, kMachineAmd64}) {
    SCOPED_TRACE(machine);
    const bool wide = machine == kMachineAmd64;
    const uintptr_t high = wide ? static_cast<uintptr_t>(0x7FF612345678ull) : 0x0777;
    ImportTable table;
    const TestImage image = ImportingImage(
        {{"first.dll", {{"Alpha"}, {"", 7}}}, {"second.dll", {{"Beta"}}, true}}, &table, machine);
    StandInHost host;
    host.machine = machine;
    host.libraries = {{"first.dll", 0x100}, {"second.dll", 0x200}};
    host.AddProcedure(0x200, "Beta", 0xBE7A);
    ResolverLog log;
    log.answers = {{"first.dll|Alpha|0", 0xA1FA}, {"first.dll|#7|2147483648", high}};

    const uintptr_t base =
        Load(host, image.Build(), LoggingResolver, reinterpret_cast<uintptr_t>(&log));
    ASSERT_NE(base, 0u);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"first.dll|Alpha|0", "first.dll|#7|2147483648",
                                                   "second.dll|Beta|0"}));
    EXPECT_EQ(SlotAt(base, table.slots[0][0], wide), 0xA1FAu);
    EXPECT_EQ(SlotAt(base, table.slots[0][1], wide), uint64_t{high});
    EXPECT_EQ(SlotAt(base, table.slots[1][0], wide), 0xBE7Au) << "found by GetProcAddress";
    EXPECT_EQ(host.loadedLibraries, (std::vector<std::string>{"first.dll", "second.dll"}));
    EXPECT_EQ(host.OpenLibraryReferences(), 2) << "a mapped image keeps its libraries";
  }
}

TEST(LoaderImports, AMissingImportFreesTheLibrariesLoadedSoFarAndTheMemory) {
  ImportTable table;
  const TestImage image = ImportingImage({{"first.dll", {{"Alpha"}}},
                                          {"second.dll", {{"Beta"}, {"Missing"}}},
                                          {"third.dll", {{"Gamma"}}}},
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
  const TestImage image =
      ImportingImage({{"first.dll", {{"Alpha"}}}, {"second.dll", {{"Beta"}}}}, &table);
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
  const std::vector<RealImage> images = ReadRealImages();
  SKIP_WITHOUT_REAL_IMAGES(images);
  for (const RealImage& real : images) {
    SCOPED_TRACE(real.name);
    StandInHost host;
    host.machine = real.machine;
    ResolverLog log;
    const auto answerAll = [](const char* library, const char* name, uint32_t flag,
                              uintptr_t user) {
      LoggingResolver(library, name, flag, user);
      return uintptr_t{0x7700F000};
    };
    ASSERT_NE(Load(host, real.bytes, answerAll, reinterpret_cast<uintptr_t>(&log)), 0u);
    ASSERT_FALSE(host.loadedLibraries.empty());
    for (const std::string& library : host.loadedLibraries) {
      EXPECT_TRUE(strcasecmp(library.c_str(), "msvcrt.dll") == 0 ||
                  strcasecmp(library.c_str(), "kernel32.dll") == 0)
          << library;
    }
    EXPECT_GT(log.calls.size(), 5u);
  }
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
  EXPECT_EQ(PageProtections(host), (std::map<uint32_t, uint32_t>{{0x0000, 0x02},
                                                                 {0x1000, 0x20},
                                                                 {0x2000, 0x20},
                                                                 {0x3000, 0x02},
                                                                 {0x4000, 0x04},
                                                                 {0x5000, 0x40},
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
  const std::vector<RealImage> images = ReadRealImages();
  SKIP_WITHOUT_REAL_IMAGES(images);
  const std::map<std::string, uint32_t> expected = {
      {".text", 0x20},  {".data", 0x04},  {".rdata", 0x02}, {".bss", 0x04},  {".edata", 0x02},
      {".idata", 0x04}, {".reloc", 0x02}, {".pdata", 0x02}, {".xdata", 0x02}};
  for (const RealImage& real : images) {
    SCOPED_TRACE(real.name);
    StandInHost host;
    host.machine = real.machine;
    ASSERT_NE(Load(host, real.bytes, AnswerAll), 0u);
    const std::map<uint32_t, uint32_t> pages = PageProtections(host);
    const std::vector<uint8_t>& file = real.bytes;
    const uint16_t count = file[real.ntOffset + 6] | (file[real.ntOffset + 7] << 8);
    EXPECT_EQ(pages.at(0), 0x02u) << "headers";
    for (uint16_t s = 0; s < count; ++s) {
      const uint8_t* header = &file[real.SectionHeader(s)];
      const std::string name(reinterpret_cast<const char*>(header),
                             strnlen(reinterpret_cast<const char*>(header), 8));
      ASSERT_EQ(expected.count(name), 1u) << name;
      EXPECT_EQ(pages.at(Get32(header + 12)), expected.at(name)) << name;
    }
  }
}

// A PE32+ image's exception directory goes to the system once the image is in place and
// before its entry point runs; a table that names anything but the image's own code and
// data is refused with everything undone, and a table is taken back when the entry point
// refuses. A PE32 image has no such table to give.
TEST(LoaderExceptionTable, Pe32PlusUnwindEntriesAreRegisteredOnlyWhenTheyNameTheImage) {
  constexpr uint32_t kExceptions = 3;
  const auto imageWith = [](const std::vector<std::array<uint32_t, 3>>& entries) {
    TestImage image = ImageFor(kMachineAmd64);
    image.sections.push_back({0x1000, 0x100, std::vector<uint8_t>(0x100, 0xC3), kCodeSection});
    std::vector<uint8_t> table;
    for (const auto& entry : entries) {
      for (uint32_t field : entry) Put32(table, table.size(), field);
    }
    table.resize(table.size() + 0x10, 0);  // unwind data after the entries
    image.sections.push_back(
        {0x2000, static_cast<uint32_t>(table.size()), table, kReadOnlySection});
    image.directories[kExceptions] = {0x2000, static_cast<uint32_t>(12 * entries.size())};
    return image;
  };
  const TestImage good = imageWith({{0x1000, 0x1010, 0x2018}, {0x1010, 0x1040, 0x2018}});
  {
    StandInHost host;
    host.machine = kMachineAmd64;
    const uintptr_t base = Load(host, good.Build());
    ASSERT_NE(base, 0u);
    ASSERT_EQ(host.functionTables.size(), 1u);
    EXPECT_EQ(host.functionTables[0].table, base + 0x2000);
    EXPECT_EQ(host.functionTables[0].count, 2u);
    EXPECT_EQ(host.functionTables[0].base, base);
  }
  struct Case {
    const char* what;
    TestImage image;
  };
  TestImage ragged = good;
  ragged.directories[kExceptions].second = 13;
  TestImage outside = good;
  outside.directories[kExceptions].first = 0x7000;
  const Case refused[] = {
      {"a size that is not whole entries", ragged},
      {"a table outside the sections", outside},
      {"a function that ends before it starts", imageWith({{0x1010, 0x1000, 0x2018}})},
      {"a function in data", imageWith({{0x2000, 0x2004, 0x2018}})},
      {"a function past its section", imageWith({{0x1F00, 0x2100, 0x2018}})},
      {"unwind data past the image", imageWith({{0x1000, 0x1010, 0x9000}})},
  };
  for (const Case& c : refused) {
    StandInHost host;
    host.machine = kMachineAmd64;
    EXPECT_EQ(Load(host, c.image.Build()), 0u) << c.what;
    EXPECT_EQ(host.liveBlocks, 0) << c.what;
    EXPECT_TRUE(host.functionTables.empty()) << c.what;
  }
  StandInHost refusingSystem;
  refusingSystem.machine = kMachineAmd64;
  refusingSystem.functionTableAnswer = false;
  EXPECT_EQ(Load(refusingSystem, good.Build()), 0u) << "the system refuses the table";
  EXPECT_EQ(refusingSystem.liveBlocks, 0);

  TestImage withEntry = good;
  withEntry.entryPoint = 0x1004;
  StandInHost refusingEntry;
  refusingEntry.machine = kMachineAmd64;
  refusingEntry.attachAnswer = 0;
  EXPECT_EQ(Load(refusingEntry, withEntry.Build()), 0u);
  EXPECT_TRUE(refusingEntry.functionTables.empty()) << "taken back with the image";
  EXPECT_EQ(refusingEntry.liveBlocks, 0);

  TestImage narrow = good;
  narrow.machine = kMachineI386;
  narrow.optionalHeaderSize = 224;
  narrow.imageBase = 0x10000000;
  StandInHost x86;
  EXPECT_NE(Load(x86, narrow.Build()), 0u);
  EXPECT_TRUE(x86.functionTables.empty()) << "x86 unwinds without tables";
}

}  // namespace
}  // namespace loader_test
