// Sets the runtime up with the conversion functions as declared DLL commands and maps
// the JSON library once, before any test parses.
#include <gtest/gtest.h>

#include "json/encoding.h"
#include "loader/json_library.h"
#include "runtime/program.h"

namespace {

class JsonEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static const rt::ProgramDescriptor program{{0, 0, 0},
                                               nullptr,
                                               0,
                                               nullptr,
                                               0,
                                               "",
                                               0,
                                               0,
                                               nullptr,
                                               json::kEncodingDllCount,
                                               json::kEncodingDllLibraries,
                                               json::kEncodingDllExports};
    rt::ResetRuntimeForTests();
    rt::SetProgramForTests(program);
    rt::InitRuntime();
    MapJsonLibrary();
    ASSERT_NE(JsonLibraryModule, 0u) << "the JSON library could not be mapped";
  }
};

const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new JsonEnvironment);

}  // namespace
