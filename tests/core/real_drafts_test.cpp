// The drafts saved by the editor itself, with the SRT text each must give.
#include "tests/real_drafts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/draft_file.h"
#include "core/srt_text.h"
#include "core/subtitles.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// Where two texts first differ, with a little of each from there, for the failure note.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
  size_t i = 0;
  while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) ++i;
  size_t from = i > 40 ? i - 40 : 0;
  return "at byte " + std::to_string(i) + "\n  got:      " + actual.substr(from, 80) +
         "\n  expected: " + expected.substr(from, 80);
}

fs::path DraftsFolder() { return fs::u8path(SUBVANE_DRAFTS_DIR); }

TEST(RealDrafts, EachGivesItsExpectedSrt) {
  SKIP_OR_FAIL_WITHOUT_DRAFTS(fs::is_directory(DraftsFolder()), SUBVANE_DRAFTS_DIR);
  int compared = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(DraftsFolder())) {
    fs::path expectedPath = entry.path();
    if (expectedPath.extension() != ".srt") continue;
    fs::path draftPath =
        expectedPath.parent_path() / expectedPath.stem().replace_extension(".json");
    SCOPED_TRACE(draftPath.u8string());
    std::string bytes = ReadBytes(draftPath);
    json::JsonDocument document;
    ASSERT_EQ(core::ParseDraft(bytes, document), core::DraftStatus::kOk);
    std::string srt = core::SrtText(core::SrtRowsOf(core::ExtractSubtitles(document)));
    std::string expected = ReadBytes(expectedPath);
    EXPECT_TRUE(srt == expected) << FirstDifference(srt, expected);
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

TEST(RealDrafts, EncryptedDraftIsRecognised) {
  fs::path path = DraftsFolder() / "encrypted.json";
  if (!fs::exists(path)) GTEST_SKIP() << "no encrypted draft in " << SUBVANE_DRAFTS_DIR;
  std::string bytes = ReadBytes(path);
  json::JsonDocument document;
  EXPECT_EQ(core::ParseDraft(bytes, document), core::DraftStatus::kEncrypted);
}

}  // namespace
