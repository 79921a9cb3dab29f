#include "core/draft_file.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(DraftStatusMessage, TellsEncryptedDraftsApart) {
  EXPECT_EQ(core::DraftStatusMessage(core::DraftStatus::kOk), nullptr);
  std::string encrypted = core::DraftStatusMessage(core::DraftStatus::kEncrypted);
  std::string notJson = core::DraftStatusMessage(core::DraftStatus::kNotJson);
  EXPECT_NE(encrypted, notJson);
  EXPECT_EQ(notJson, core::DraftStatusMessage(core::DraftStatus::kUnreadable));
  // Code page 936: "无法" is CE DE B7 A8.
  EXPECT_EQ(notJson.substr(0, 4), "\xCE\xDE\xB7\xA8");
  EXPECT_EQ(encrypted.substr(0, 4), "\xCE\xDE\xB7\xA8");
}

}  // namespace
