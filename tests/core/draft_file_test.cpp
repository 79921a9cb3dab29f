#include "core/draft_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/draft_reader_simdjson.h"
#include "heap/heap.h"
#include "json/parse_arena.h"

namespace {

bool Encrypted(const std::string& bytes) {
  return core::IsEncryptedDraft(bytes.data(), bytes.size());
}

TEST(IsEncryptedDraft, NeedsSixtyFourBase64CharactersAndNothingElse) {
  const std::string base64 = "h4g8XOe61B0b0IMRMLzcc3jJ8IBRca+gm4ja8tX5B8chKELF7ifJTeU4k8E5JD0f";
  ASSERT_EQ(base64.size(), 64u);
  EXPECT_TRUE(Encrypted(base64));
  EXPECT_TRUE(Encrypted(base64 + "=="));
  EXPECT_TRUE(Encrypted("\r\n " + base64.substr(0, 32) + "\n\t" + base64.substr(32) + "\r\n"));
  EXPECT_FALSE(Encrypted(base64.substr(1)));
  EXPECT_FALSE(Encrypted(std::string(100, ' ') + base64.substr(1)));
  EXPECT_FALSE(Encrypted(base64 + "{"));
  EXPECT_FALSE(Encrypted(base64 + "-_"));
  EXPECT_FALSE(Encrypted("\xEF\xBB\xBF" + base64));
  EXPECT_FALSE(Encrypted(""));
  EXPECT_FALSE(core::IsEncryptedDraft(nullptr, 0));
}

TEST(ParseDraft, AcceptsOnlyAJsonObject) {
  const struct {
    std::string bytes;
    core::DraftStatus status;
  } cases[] = {
      {"{\"materials\":{}}", core::DraftStatus::kOk},
      {"\xEF\xBB\xBF{}", core::DraftStatus::kOk},
      {"", core::DraftStatus::kNotJson},
      {"{\"materials\":{\"texts\":[", core::DraftStatus::kNotJson},
      {"[{\"materials\":{}}]", core::DraftStatus::kNotJson},
      {"\"text\"", core::DraftStatus::kNotJson},
      {"\x89PNG\r\n\x1A\n\x00\x01garbage", core::DraftStatus::kNotJson},
      {std::string(80, 'A'), core::DraftStatus::kEncrypted},
  };
  for (const auto& c : cases) {
    json::JsonDocument document;
    EXPECT_EQ(core::ParseDraft(c.bytes, document), c.status) << c.bytes;
    EXPECT_EQ(document.IsEmpty(), c.status != core::DraftStatus::kOk) << c.bytes;
  }
}

const char kOneCaption[] =
    R"({"materials":{"texts":[{"id":"a","content":"hi"}]},"tracks":[{"segments":[)"
    R"({"material_id":"a","target_timerange":{"start":0,"duration":1000000}}]}]})";

// Each odd file goes to both programs' readers, which must agree on whether it is a draft.
TEST(DraftAcceptance, BothReadersTakeTheSameFilesForDrafts) {
  const struct {
    std::string bytes;
    core::DraftStatus status;
  } cases[] = {
      {kOneCaption, core::DraftStatus::kOk},
      {"{}", core::DraftStatus::kOk},
      {"[]", core::DraftStatus::kNotJson},
      {std::string("[") + kOneCaption + "]", core::DraftStatus::kNotJson},
      {"\"draft\"", core::DraftStatus::kNotJson},
      {"42", core::DraftStatus::kNotJson},
      {"null", core::DraftStatus::kNotJson},
      {"", core::DraftStatus::kNotJson},
      {std::string(100, 'Q') + "==", core::DraftStatus::kEncrypted},
  };
  for (const auto& c : cases) {
    core::DraftModel window;
    core::DraftModel cli;
    std::string padded = c.bytes;
    padded.reserve(padded.size() + core::kSimdjsonPadding);
    EXPECT_EQ(core::ReadDraftModelOf(c.bytes.data(), c.bytes.size(), window), c.status) << c.bytes;
    EXPECT_EQ(core::ReadDraftModelFast(padded, cli), c.status) << c.bytes;
    EXPECT_EQ(window.texts.size(), cli.texts.size()) << c.bytes;
  }
}

TEST(DraftAcceptance, RunningOutOfMemoryIsTooLargeNotAnotherKindOfFile) {
  core::DraftModel draft;
  json::ParseArena::RefuseBlocksForTests(1);
  EXPECT_EQ(core::ReadDraftModelOf(kOneCaption, sizeof kOneCaption - 1, draft),
            core::DraftStatus::kTooLarge);
  json::ParseArena::RefuseBlocksForTests(0);
  EXPECT_EQ(core::ReadDraftModelOf(kOneCaption, sizeof kOneCaption - 1, draft),
            core::DraftStatus::kOk);

  // Bytes that are not UTF-8 go through a heap copy; simdjson refuses them first.
  std::string latin1 = R"({"materials":{"texts":[{"id":"a","content":"caf)"
                       "\xE9"
                       R"("}]}})";
  std::string padded = latin1;
  padded.reserve(latin1.size() + core::kSimdjsonPadding);
  rt::RefuseHeapRequestsForTests(1);
  EXPECT_EQ(core::ReadDraftModelFast(padded, draft), core::DraftStatus::kTooLarge);
  rt::RefuseHeapRequestsForTests(0);
  EXPECT_EQ(core::ReadDraftModelFast(padded, draft), core::DraftStatus::kOk);
  ASSERT_EQ(draft.texts.size(), 1u);
  EXPECT_EQ(draft.texts[0].content, u8"caf\uFFFD");
  EXPECT_EQ(core::DraftStatusCause(core::DraftStatus::kTooLarge),
            std::string("too large for the memory available"));
}

}  // namespace
