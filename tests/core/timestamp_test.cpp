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

}  // namespace
