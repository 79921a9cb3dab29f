#include "core/caption_formats.h"

#include <gtest/gtest.h>

#include "core/caption_tracks.h"
#include "core/time_shift.h"

namespace {

TEST(CaptionFormats, WebVttHasAHeaderMillisecondDotsAndEscapedMarkup) {
  std::vector<core::Subtitle> subtitles = {{0, 1500000, u8"你好\r\nworld"},
                                           {3599999500, 3600001000, "a < b && c --> d"}};
  EXPECT_EQ(core::VttText(subtitles),
            u8"WEBVTT\r\n\r\n"
            u8"00:00:00.000 --> 00:00:01.500\r\n你好\r\nworld\r\n\r\n"
            "01:00:00.000 --> 01:00:00.001\r\na &lt; b &amp;&amp; c --&gt; d\r\n\r\n");
  EXPECT_EQ(core::VttText({}), "WEBVTT\r\n\r\n");
  EXPECT_EQ(core::VttTimestampText(360000000000), "100:00:00.000");
}

TEST(CaptionFormats, TranscriptIsOneLinePerCaption) {
  std::vector<core::Subtitle> subtitles = {
      {0, 1, "one\r\ntwo"}, {1, 2, "lf\nand cr\rend"}, {2, 3, "a & <b>"}};
  EXPECT_EQ(core::TranscriptText(subtitles), "one two\r\nlf and cr end\r\na & <b>\r\n");
  EXPECT_EQ(core::CaptionFileText(subtitles, core::CaptionFormat::kTxt),
            core::TranscriptText(subtitles));
  EXPECT_EQ(core::CaptionFileText({{0, 1000, "x"}}, core::CaptionFormat::kSrt),
            "1\r\n00:00:00,000 --> 00:00:00,001\r\nx\r\n\r\n");
}

TEST(CaptionFormats, NamesAndExtensions) {
  core::CaptionFormat format = core::CaptionFormat::kSrt;
  EXPECT_TRUE(core::CaptionFormatNamed("VTT", format));
  EXPECT_EQ(format, core::CaptionFormat::kVtt);
  EXPECT_STREQ(core::CaptionFormatExtension(format), ".vtt");
  EXPECT_TRUE(core::CaptionFormatNamed("txt", format));
  EXPECT_STREQ(core::CaptionFormatExtension(format), ".txt");
  EXPECT_TRUE(core::CaptionFormatNamed("Ass", format));
  EXPECT_STREQ(core::CaptionFormatExtension(format), ".ass");
  EXPECT_FALSE(core::CaptionFormatNamed("ssa", format));
  EXPECT_FALSE(core::CaptionFormatNamed("", format));
  EXPECT_EQ(format, core::CaptionFormat::kAss);
}

TEST(TimeShift, MovesCuesAndCutsThoseBeforeZero) {
  std::vector<core::Subtitle> subtitles = {
      {0, 1000000, "a"}, {1000000, 2000000, "b"}, {1500000, 2500000, "c"}, {3000000, 3000000, "d"}};
  std::vector<core::Subtitle> later = core::ShiftSubtitles(subtitles, 250000);
  ASSERT_EQ(later.size(), 4u);
  EXPECT_EQ(later[0].startUs, 250000);
  EXPECT_EQ(later[3].endUs, 3250000);

  // b would end exactly at 0: nothing of it is left. c starts at 0 and keeps its end.
  std::vector<core::Subtitle> earlier = core::ShiftSubtitles(subtitles, -2000000);
  ASSERT_EQ(earlier.size(), 2u);
  EXPECT_EQ(earlier[0].text, "c");
  EXPECT_EQ(earlier[0].startUs, 0);
  EXPECT_EQ(earlier[0].endUs, 500000);
  EXPECT_EQ(earlier[1].startUs, 1000000);

  EXPECT_TRUE(core::ShiftSubtitles(subtitles, -3000000).empty());
  EXPECT_EQ(core::ShiftSubtitles(subtitles, 0).size(), 4u);
  // Extreme offsets stay within range instead of wrapping round.
  std::vector<core::Subtitle> far = core::ShiftSubtitles(subtitles, INT64_MAX);
  ASSERT_EQ(far.size(), 4u);
  EXPECT_EQ(far[3].endUs, INT64_MAX);
  EXPECT_TRUE(core::ShiftSubtitles(subtitles, INT64_MIN).empty());
}

TEST(CaptionExcerpt, OneLineCutAfterTheLimitInCharacters) {
  EXPECT_EQ(core::CaptionExcerpt("short", 20), "short");
  EXPECT_EQ(core::CaptionExcerpt("two\r\nlines\nand\rmore", 20), "two lines and more");
  EXPECT_EQ(core::CaptionExcerpt(u8"你好世界再见", 4), u8"你好世界...");
  EXPECT_EQ(core::CaptionExcerpt("abcd", 4), "abcd");
  EXPECT_EQ(core::CaptionExcerpt("", 4), "");
}

}  // namespace
