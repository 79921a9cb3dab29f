// The cJSON library as the JSON layer finds it: by exact export name in the mapped
// module (the Linux build's stand-in module answers with the linked library).
#include "loader/json_library.h"

#include <gtest/gtest.h>

#include "loader/module_loader.h"
#include "tests/loader/real_image.h"
#include "tests/loader/stand_in_host.h"
#include "tests/loader/test_image.h"

namespace loader_test {
namespace {

using ParseFunction = void*(CJSON_CALL*)(const char*);
using ArraySizeFunction = int(CJSON_CALL*)(const void*);
using DeleteFunction = void(CJSON_CALL*)(void*);

TEST(LoaderJsonLibrary, ExportsAreFoundOnlyOnceMappedAndOnlyByExactName) {
  JsonLibraryModule = 0;
  EXPECT_EQ(JsonLibraryExport("cJSON_Parse"), nullptr);

  MapJsonLibrary();
  ASSERT_NE(JsonLibraryModule, 0u);
  const auto parse = reinterpret_cast<ParseFunction>(JsonLibraryExport("cJSON_Parse"));
  const auto arraySize =
      reinterpret_cast<ArraySizeFunction>(JsonLibraryExport("cJSON_GetArraySize"));
  const auto destroy = reinterpret_cast<DeleteFunction>(JsonLibraryExport("cJSON_Delete"));
  ASSERT_NE(parse, nullptr);
  ASSERT_NE(arraySize, nullptr);
  ASSERT_NE(destroy, nullptr);
  void* array = parse("[1, \"two\", {\"three\": 3}]");
  ASSERT_NE(array, nullptr);
  EXPECT_EQ(arraySize(array), 3);
  destroy(array);
  EXPECT_EQ(parse("[1,"), nullptr);

  EXPECT_EQ(JsonLibraryExport("cjson_parse"), nullptr);
  EXPECT_EQ(JsonLibraryExport("cJSON_Parse@4"), nullptr);
  EXPECT_EQ(JsonLibraryExport(nullptr), nullptr);
}

uintptr_t AnswerAll(const char*, const char*, uint32_t, uintptr_t) { return 0x7700F000; }

TEST(LoaderJsonLibrary, EveryNameTheImageExportsIsFound) {
  const std::vector<RealImage> images = ReadRealImages();
  SKIP_WITHOUT_REAL_IMAGES(images);
  MapJsonLibrary();
  for (const RealImage& real : images) {
    SCOPED_TRACE(real.name);
    StandInHost host;
    host.machine = real.machine;
    const uintptr_t base = loader::LoadModuleWithHost(
        host, real.bytes.data(), static_cast<uint32_t>(real.bytes.size()), AnswerAll, 0);
    ASSERT_NE(base, 0u);
    const auto* image = reinterpret_cast<const uint8_t*>(base);
    const uint32_t directory = Get32(image + real.DirectoryField(0));
    const uint32_t count = Get32(image + directory + 24);
    const uint32_t names = Get32(image + directory + 32);
    EXPECT_EQ(count, 78u);
    for (uint32_t i = 0; i < count; ++i) {
      const char* name = reinterpret_cast<const char*>(image + Get32(image + names + 4 * i));
      EXPECT_NE(JsonLibraryExport(name), nullptr) << name;
    }
  }
}

}  // namespace
}  // namespace loader_test
