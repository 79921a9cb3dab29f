// The editor's real drafts, when the folder is there: the converting parse and the
// direct UTF-8 parse must build the same tree.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "json/cjson_api.h"
#include "json/json_node.h"
#include "runtime/command_wrappers.h"
#include "tests/json/json_test_support.h"
#include "tests/real_drafts.h"

namespace {

namespace fs = std::filesystem;
using json::JsonNode;

std::string Key(const JsonNode& node) {
  return node.Item() && node.Item()->string ? node.Item()->string : "";
}

// Walks both trees side by side; returns the number of items compared.
int CompareTrees(const JsonNode& a, const JsonNode& b) {
  int compared = 0;
  std::vector<std::pair<JsonNode, JsonNode>> pending{{a, b}};
  while (!pending.empty()) {
    auto [x, y] = pending.back();
    pending.pop_back();
    ++compared;
    EXPECT_EQ(x.Type(), y.Type());
    EXPECT_EQ(Key(x), Key(y));
    EXPECT_EQ(x.GetStringUtf8(), y.GetStringUtf8());
    EXPECT_EQ(x.GetNumber(), y.GetNumber());
    if (::testing::Test::HasFailure()) return compared;
    JsonNode cx = x.Child(), cy = y.Child();
    for (; !cx.IsEmpty() && !cy.IsEmpty(); cx = cx.Next(), cy = cy.Next())
      pending.push_back({cx, cy});
    EXPECT_EQ(cx.IsEmpty(), cy.IsEmpty());
  }
  return compared;
}

TEST(JsonRealDrafts, ConvertingAndDirectParsesAgree) {
  fs::path folder(SUBVANE_JSON_DRAFTS_DIR);
  SKIP_OR_FAIL_WITHOUT_DRAFTS(fs::is_directory(folder), SUBVANE_JSON_DRAFTS_DIR);
  int drafts = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".json") continue;
    std::string name = entry.path().string();
    SCOPED_TRACE(name);
    rt::OwnedBytes bytes = rt::cmd::ReadFileBytes(name.c_str());
    ASSERT_NE(bytes, nullptr);
    json::JsonDocument converted, direct;
    bool parsed = converted.ParseUtf8(bytes.get());
    const char* data = reinterpret_cast<const char*>(rt::BytesData(bytes.get()));
    ASSERT_EQ(direct.ParseUtf8Direct(data, static_cast<size_t>(rt::BytesLength(bytes.get()))),
              parsed);
    if (!parsed) continue;  // the encrypted draft is not JSON
    ++drafts;
    EXPECT_GT(CompareTrees(converted, direct), 100);
    EXPECT_TRUE(converted.GetItem("materials", false).GetItem("texts", false).IsArray());
  }
  EXPECT_GE(drafts, 1);
}

}  // namespace
