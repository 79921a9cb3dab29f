#include "app/draft_file.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool Encrypted(const std::string& bytes) {
  return app::IsEncryptedDraft(bytes.data(), bytes.size());
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
  EXPECT_FALSE(app::IsEncryptedDraft(nullptr, 0));
}

TEST(ParseDraft, AcceptsOnlyAJsonObject) {
  const struct {
    std::string bytes;
    app::DraftStatus status;
  } cases[] = {
      {"{\"materials\":{}}", app::DraftStatus::kOk},
      {"\xEF\xBB\xBF{}", app::DraftStatus::kOk},
      {"", app::DraftStatus::kNotJson},
      {"{\"materials\":{\"texts\":[", app::DraftStatus::kNotJson},
      {"[{\"materials\":{}}]", app::DraftStatus::kNotJson},
      {"\"text\"", app::DraftStatus::kNotJson},
      {"\x89PNG\r\n\x1A\n\x00\x01garbage", app::DraftStatus::kNotJson},
      {std::string(80, 'A'), app::DraftStatus::kEncrypted},
  };
  for (const auto& c : cases) {
    json::JsonDocument document;
    EXPECT_EQ(app::ParseDraft(c.bytes, document), c.status) << c.bytes;
    EXPECT_EQ(document.IsEmpty(), c.status != app::DraftStatus::kOk) << c.bytes;
  }
}

TEST(DraftStatusMessage, TellsEncryptedDraftsApart) {
  EXPECT_EQ(app::DraftStatusMessage(app::DraftStatus::kOk), nullptr);
  std::string encrypted = app::DraftStatusMessage(app::DraftStatus::kEncrypted);
  std::string notJson = app::DraftStatusMessage(app::DraftStatus::kNotJson);
  EXPECT_NE(encrypted, notJson);
  EXPECT_EQ(notJson, app::DraftStatusMessage(app::DraftStatus::kUnreadable));
  // Code page 936: "无法" is CE DE B7 A8.
  EXPECT_EQ(notJson.substr(0, 4), "\xCE\xDE\xB7\xA8");
  EXPECT_EQ(encrypted.substr(0, 4), "\xCE\xDE\xB7\xA8");
}

}  // namespace
