#include "core/srt_text.h"

#include <gtest/gtest.h>

namespace {

TEST(SrtText, BlocksAreSeparatedByCrLfAndEndWithABlankLine) {
  std::string one = core::SrtText(core::SrtRowsOf({core::Subtitle{0, 1000000, "A"}}));
  EXPECT_EQ(one, "1\r\n00:00:00,000 --> 00:00:01,000\r\nA\r\n\r\n");
  EXPECT_EQ(one.size(), 39u);

  EXPECT_EQ(core::SrtText({}), "");

  std::vector<core::Subtitle> two = {{0, 1500000, u8"你好"}, {1500000, 3000000, u8"再见"}};
  EXPECT_EQ(core::SrtText(core::SrtRowsOf(two)),
            u8"1\r\n00:00:00,000 --> 00:00:01,500\r\n你好\r\n\r\n"
            u8"2\r\n00:00:01,500 --> 00:00:03,000\r\n再见\r\n\r\n");
}

TEST(SrtText, CellsAreCopiedAsBytes) {
  // Cells read back from the table: edited, in code page 936, with a line break.
  std::vector<core::SrtRow> rows = {{"7", "edited", "\xC4\xE3\xBA\xC3\nline"}, {"", "", ""}};
  EXPECT_EQ(core::SrtText(rows), "7\r\nedited\r\n\xC4\xE3\xBA\xC3\nline\r\n\r\n\r\n\r\n\r\n\r\n");
  std::string appended;
  core::AppendSrtBlock(appended, "1", "t", "x");
  EXPECT_EQ(appended, "1\r\nt\r\nx\r\n\r\n");
}

TEST(SrtText, SerialNumbersCountFromOne) {
  std::vector<core::Subtitle> many(12, core::Subtitle{0, 0, "x"});
  std::vector<core::SrtRow> rows = core::SrtRowsOf(many);
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0].serial, "1");
  EXPECT_EQ(rows[9].serial, "10");
  EXPECT_EQ(rows[11].serial, "12");
  EXPECT_EQ(rows[11].timeRange, "00:00:00,000 --> 00:00:00,000");
}

}  // namespace
