#include "core/timestamp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>

namespace {

TEST(TimestampText, WorkedExamplesRoundHalvesUp) {
  const struct {
    int64_t input;
    const char* text;
  } examples[] = {
      {0, "00:00:00,000"},         {42000, "00:00:00,042"},      {99499, "00:00:00,099"},
      {99500, "00:00:00,100"},     {999499, "00:00:00,999"},     {999500, "00:00:01,000"},
      {1234567, "00:00:01,235"},   {2500000, "00:00:02,500"},    {61999600, "00:01:02,000"},
      {600000000, "00:10:00,000"}, {2147483147, "00:35:47,483"}, {499, "00:00:00,000"},
      {500, "00:00:00,001"},       {59999500, "00:01:00,000"},   {3599999500, "01:00:00,000"},
  };
  for (const auto& example : examples) {
    EXPECT_EQ(core::TimestampText(example.input), example.text) << example.input;
  }
}

// The text of a time as the window program has always written it, for inputs that fit
// its 32-bit arithmetic.
std::string ThirtyTwoBitText(int32_t input) {
  int32_t ms = (input + 500) / 1000;
  int32_t secs = ms / 1000;
  int32_t h = secs / 3600;
  int32_t m = (secs - h * 3600) / 60;
  int32_t s = secs - h * 3600 - m * 60;
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d,%03d", static_cast<int>(h), static_cast<int>(m),
                static_cast<int>(s), static_cast<int>(ms % 1000));
  return text;
}

TEST(TimestampText, MatchesThirtyTwoBitTextOverItsWholeRange) {
  for (int64_t input = 0; input <= 2147483147; input += 999983) {
    ASSERT_EQ(core::TimestampText(input), ThirtyTwoBitText(static_cast<int32_t>(input))) << input;
  }
  for (int64_t input = 2147483147 - 5000; input <= 2147483147; ++input) {
    ASSERT_EQ(core::TimestampText(input), ThirtyTwoBitText(static_cast<int32_t>(input))) << input;
  }
}

TEST(TimestampText, LongTimesAndNegativesNeverOverflow) {
  EXPECT_EQ(core::TimestampText(2147483648), "00:35:47,484");
  EXPECT_EQ(core::TimestampText(6660000000), "01:51:00,000");
  EXPECT_EQ(core::TimestampText(359999999499), "99:59:59,999");
  EXPECT_EQ(core::TimestampText(359999999500), "100:00:00,000");
  EXPECT_EQ(core::TimestampText(int64_t{1} << 53), "2501999:47:34,741");
  EXPECT_EQ(core::TimestampText(std::numeric_limits<int64_t>::max()), "2562047788:00:54,776");
  EXPECT_EQ(core::TimestampText(-1), "00:00:00,000");
  EXPECT_EQ(core::TimestampText(-1500), "00:00:00,000");
  EXPECT_EQ(core::TimestampText(std::numeric_limits<int64_t>::min()), "00:00:00,000");
}

TEST(TimeRangeText, JoinsStartAndEnd) {
  EXPECT_EQ(core::TimeRangeText(1234567, 1234567 + 2500000), "00:00:01,235 --> 00:00:03,735");
}

// A time cell reads back as the times it was written from, in whatever the user may
// type for it; anything else is refused without touching the outputs.
TEST(ParseTimeRange, ReadsTimeCellsAndRefusesEverythingElse) {
  const struct {
    const char* text;
    int64_t start, end;
  } good[] = {
      {"00:00:01,235 --> 00:00:03,735", 1235000, 3735000},
      {"00:00:01.235-->00:00:03.735", 1235000, 3735000},
      {"  1:02:03,004 -->  1:02:03,004\t", 3723004000, 3723004000},
      {"100:00:00,000 --> 123456789:59:59,999", 360000000000, 444444443999999000},
  };
  for (const auto& example : good) {
    int64_t start = -1, end = -1;
    EXPECT_TRUE(core::ParseTimeRange(example.text, start, end)) << example.text;
    EXPECT_EQ(start, example.start) << example.text;
    EXPECT_EQ(end, example.end) << example.text;
  }
  const char* bad[] = {"",
                       "soon",
                       "00:00:01,000",
                       "00:00:01,000 -->",
                       "00:00:01,000 --> 00:00:02",
                       "00:00:02,000 --> 00:00:01,000",
                       "00:60:00,000 --> 01:00:00,000",
                       "00:00:60,000 --> 00:01:00,000",
                       "00:0:01,000 --> 00:00:02,000",
                       "00:00:01,0000 --> 00:00:02,000",
                       "00:00:01,000 -> 00:00:02,000",
                       "00:00:01,000 --> 00:00:02,000 x",
                       "1234567890:00:00,000 --> 1234567890:00:00,000",
                       "-1:00:00,000 --> 00:00:02,000",
                       "00:00:01:000 --> 00:00:02,000"};
  for (const char* text : bad) {
    int64_t start = -1, end = -1;
    EXPECT_FALSE(core::ParseTimeRange(text, start, end)) << text;
    EXPECT_EQ(start, -1) << text;
    EXPECT_EQ(end, -1) << text;
  }
  // Every range the table is filled with reads back to its milliseconds.
  for (int64_t us = 0; us < 90000000000; us = us * 7 + 999) {
    int64_t start = 0, end = 0;
    ASSERT_TRUE(core::ParseTimeRange(core::TimeRangeText(us, us + 1500), start, end)) << us;
    EXPECT_EQ(start, (us + 500) / 1000 * 1000);
    EXPECT_EQ(end, (us + 1500 + 500) / 1000 * 1000);
  }
}

}  // namespace
