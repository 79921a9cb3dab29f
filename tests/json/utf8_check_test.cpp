#include "json/utf8_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool Valid(const std::string& bytes) { return json::IsValidUtf8(bytes.data(), bytes.size()); }

TEST(IsValidUtf8, TakesWellFormedUtf8Only) {
  for (const char* good : {"", "plain ascii", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80",
                           "\xE4\xB8\xAD", "\xED\x9F\xBF", "\xEE\x80\x80", "\xEF\xBF\xBF",
                           "\xF0\x90\x80\x80", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"}) {
    EXPECT_TRUE(Valid(good)) << good;
  }
  const char* bad[] = {
      "\x80",      // continuation byte without a lead
      "\xC0\x80",  // overlong forms
      "\xC1\xBF",
      "\xE0\x9F\xBF",
      "\xF0\x8F\xBF\xBF",
      "\xED\xA0\x80",  // surrogates
      "\xED\xBF\xBF",
      "\xF4\x90\x80\x80",  // above U+10FFFF
      "\xF5\x80\x80\x80",
      "\xFE",
      "\xFF",
      "\xE4\xB8",  // cut short
      "\xF0\x9F\x98",
      "\xC2",
      "\xE4\x41\x80",
      "\xC2\xC2\x80",
  };
  for (const char* b : bad) EXPECT_FALSE(Valid(b)) << b;
  // The eight-byte ASCII stride meets every sequence at every offset, and a fault
  // anywhere in a long text is found.
  for (size_t offset = 0; offset < 17; ++offset) {
    std::string text = std::string(offset, 'a') + "\xF0\x9F\x98\x80" + std::string(20, 'b');
    EXPECT_TRUE(Valid(text)) << offset;
    EXPECT_FALSE(Valid(text.substr(0, offset + 3))) << offset;
    text[offset + 1] = 'x';
    EXPECT_FALSE(Valid(text)) << offset;
  }
  EXPECT_TRUE(Valid(std::string("a\0b", 3)));  // a NUL is ASCII
}

}  // namespace
