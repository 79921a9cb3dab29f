// Maps the JSON library once before any test parses.
#include <gtest/gtest.h>

#include "loader/json_library.h"

namespace {

class JsonLibraryEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    MapJsonLibrary();
    ASSERT_NE(JsonLibraryModule, 0u) << "the JSON library could not be mapped";
  }
};

const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new JsonLibraryEnvironment);

}  // namespace
