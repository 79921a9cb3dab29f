// Export lookup by ordinal and by exact name, on the real image and on tables that
// lie about their sizes.
#include <gtest/gtest.h>

#include "loader/export_lookup.h"
#include "loader/image_loader.h"
#include "loader/module_loader.h"
#include "tests/loader/real_image.h"
#include "tests/loader/stand_in_host.h"
#include "tests/loader/test_image.h"

namespace loader_test {
namespace {

constexpr uint32_t kExports = 0;

const char* Ordinal(uintptr_t ordinal) { return reinterpret_cast<const char*>(ordinal); }

void Put32At(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uintptr_t AnswerAll(const char*, const char*, uint32_t, uintptr_t) { return 0x7700F000; }

TEST(LoaderExports, RealImageFindsExactNamesAndOrdinals) {
  const std::vector<RealImage> images = ReadRealImages();
  SKIP_WITHOUT_REAL_IMAGES(images);
  for (const RealImage& real : images) {
    SCOPED_TRACE(real.name);
    const std::vector<uint8_t>& file = real.bytes;
    StandInHost host;
    host.machine = real.machine;
    const uintptr_t base = loader::LoadModuleWithHost(
        host, file.data(), static_cast<uint32_t>(file.size()), AnswerAll, 0);
    ASSERT_NE(base, 0u);

    const uintptr_t byName = GetExportByName(base, "cJSON_GetArraySize");
    ASSERT_NE(byName, 0u);
    EXPECT_GT(byName, base);
    EXPECT_LT(byName, base + host.size);
    EXPECT_EQ(GetExportByName(base, "cjson_getarraysize"), 0u);
    EXPECT_EQ(GetExportByName(base, "cJSON_GetArraySizE"), 0u);
    EXPECT_EQ(GetExportByName(base, "cJSON_GetArraySiz"), 0u);
    EXPECT_EQ(GetExportByName(base, "cJSON_GetArraySize2"), 0u);
    EXPECT_EQ(GetExportByName(base, ""), 0u);
    EXPECT_EQ(GetExportByName(base, nullptr), 0u);
    EXPECT_EQ(GetExportByName(0, "cJSON_GetArraySize"), 0u);

    // Ordinals start at 1; exactly one of them is the function found by name.
    int matches = 0;
    for (uintptr_t ordinal = 1; ordinal <= 78; ++ordinal) {
      const uintptr_t address = GetExportByName(base, Ordinal(ordinal));
      EXPECT_NE(address, 0u) << ordinal;
      matches += address == byName;
    }
    EXPECT_EQ(matches, 1);
    EXPECT_EQ(GetExportByName(base, Ordinal(0)), 0u);
  }
}

// An image whose export table sits at 0x1000 in a section of its own.
std::vector<uint8_t> ExportingImage(const std::vector<TestExport>& exports,
                                    uint32_t ordinalBase = 1) {
  TestImage image;
  const std::vector<uint8_t> table = BuildExportTable(0x1000, ordinalBase, exports);
  image.sections.push_back({0x1000, static_cast<uint32_t>(table.size()), table, kReadOnlySection});
  image.directories[kExports] = {0x1000, static_cast<uint32_t>(table.size())};
  image.sizeOfImage = 0x2000;
  return image.Build();
}

// Maps the image with the stand-in host and looks `name` up in it.
struct MappedExports {
  explicit MappedExports(const std::vector<uint8_t>& bytes)
      : base(loader::LoadModuleWithHost(host, bytes.data(), static_cast<uint32_t>(bytes.size()),
                                        nullptr, 0)) {}
  uintptr_t Find(const char* name) const { return base == 0 ? 0 : GetExportByName(base, name); }
  uint8_t* At(uint32_t offset) const { return reinterpret_cast<uint8_t*>(base) + offset; }
  StandInHost host;
  uintptr_t base;
};

TEST(LoaderExports, OrdinalsCountFromTheBaseAndNamesOnlyNameValidOrdinals) {
  MappedExports image(ExportingImage({{"Alpha", 0x1100}, {"", 0x1200}, {"Gamma", 0x1300}}, 5));
  ASSERT_NE(image.base, 0u);
  EXPECT_EQ(image.Find("Alpha"), image.base + 0x1100);
  EXPECT_EQ(image.Find("Gamma"), image.base + 0x1300);
  EXPECT_EQ(image.Find(Ordinal(5)), image.base + 0x1100);
  EXPECT_EQ(image.Find(Ordinal(6)), image.base + 0x1200);
  EXPECT_EQ(image.Find(Ordinal(7)), image.base + 0x1300);

  // A name whose ordinal index is out of range is passed over, not followed.
  const uint32_t ordinals = Get32(image.At(0x1000 + 36));
  image.At(ordinals)[0] = 9;
  EXPECT_EQ(image.Find("Alpha"), 0u);
  EXPECT_EQ(image.Find("Gamma"), image.base + 0x1300);
}

// Whatever the mapped headers claim later, the lookup stays inside what was mapped.
TEST(LoaderExports, TheLookupIsBoundedByTheSizeMappedNotByTheHeaders) {
  MappedExports image(ExportingImage({{"Alpha", 0x1100}, {"Beta", 0x1200}}));
  ASSERT_NE(image.base, 0u);
  ASSERT_EQ(image.host.size, 0x2000u);
  Put32At(image.At(kNtOffset + 80), 0x40000000);  // SizeOfImage
  Put32At(image.At(0x1000 + 28), 0x3000);         // function table past the block
  EXPECT_EQ(image.Find("Beta"), 0u);
  EXPECT_EQ(image.Find(Ordinal(1)), 0u);
  Put32At(image.At(0x1000 + 28), 0x1000 + 40);  // back where it was
  EXPECT_EQ(image.Find("Beta"), image.base + 0x1200);
}

TEST(LoaderExports, TablesReachingPastTheImageFindNothing) {
  struct Case {
    const char* what;
    uint32_t field;  // in the export directory
    uint32_t value;
  };
  const Case cases[] = {
      {"directory past the image", 0xFFFFFFFF, 0x1FF0},
      {"function count past the image", 20, 0x40000000},
      {"name count past the image", 24, 0x40000000},
      {"function table past the image", 28, 0x1FFC},
      {"name table past the image", 32, 0x7FFFFFFF},
      {"ordinal table past the image", 36, 0x1FFF},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = ExportingImage({{"Alpha", 0x1100}, {"Beta", 0x1200}});
    if (c.field == 0xFFFFFFFF) {
      Put32(bytes, kNtOffset + 120, c.value);
    } else {
      Put32(bytes, 0x400 + c.field, c.value);
    }
    MappedExports image(bytes);
    ASSERT_NE(image.base, 0u) << c.what;
    EXPECT_EQ(image.Find("Beta"), 0u) << c.what;
  }

  MappedExports image(ExportingImage({{"Alpha", 0x2000}, {"Beta", 0x1200}}));
  EXPECT_EQ(image.Find("Alpha"), 0u) << "an address outside the image";
  EXPECT_EQ(image.Find("Beta"), image.base + 0x1200);
  const auto* mapped = reinterpret_cast<const uint8_t*>(image.base);
  EXPECT_EQ(loader::FindExportInImage(mapped, 0x2000, "Beta"), image.base + 0x1200);
  EXPECT_EQ(loader::FindExportInImage(mapped, 0x1010, "Beta"), 0u)
      << "a span that ends inside the directory";
  // A name running into the image's end without a terminator matches nothing.
  const uint32_t names = Get32(image.At(0x1000 + 32));
  std::fill(image.At(0x1FF0), image.At(0x2000), 'B');
  image.At(names)[4] = 0xF0;  // second name now at 0x1FF0
  image.At(names)[5] = 0x1F;
  image.At(names)[6] = 0;
  image.At(names)[7] = 0;
  EXPECT_EQ(image.Find("BBBBBBBBBBBBBBBB"), 0u);

  std::vector<uint8_t> empty = ExportingImage({{"Alpha", 0x1100}});
  Put32(empty, kNtOffset + 124, 0);
  MappedExports noDirectory(empty);
  EXPECT_EQ(noDirectory.Find("Alpha"), 0u) << "directory size 0";
}

}  // namespace
}  // namespace loader_test
