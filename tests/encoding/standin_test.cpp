#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/kernel32_standin.h"

namespace {

namespace standin = platform::standin;

std::vector<uint16_t> ToWide(uint32_t codePage, const std::string& bytes) {
  std::vector<uint16_t> out(bytes.size() * 2 + 2);
  int n = standin::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                       out.data(), static_cast<int>(out.size()));
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::string ToBytes(uint32_t codePage, const std::vector<uint16_t>& units) {
  std::string out(units.size() * 4 + 4, '\0');
  int n = standin::WideCharToMultiByte(codePage, 0, units.data(), static_cast<int>(units.size()),
                                       &out[0], static_cast<int>(out.size()), nullptr, nullptr);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

using Units = std::vector<uint16_t>;

TEST(Kernel32Standin, CodePage936MatchesWindows) {
  EXPECT_EQ(ToWide(936,
                   "\xD6\xD0"
                   "A\x80\xFF\xA1\xA4\xA1\xAA"),
            (Units{0x4E2D, 'A', 0x20AC, 0xF8F5, 0x00B7, 0x2014}));
  EXPECT_EQ(ToBytes(936, {0x4E2D, 'A', 0x20AC, 0xF8F5, 0x00B7, 0x2014}),
            "\xD6\xD0"
            "A\x80\xFF\xA1\xA4\xA1\xAA");
  // A lead byte takes the next byte as its trail, valid or not; a zero byte stays itself.
  EXPECT_EQ(ToWide(936, "\x81\x20Z"), (Units{'?', 'Z'}));
  EXPECT_EQ(ToWide(936, std::string("\x81\x00Z", 3)), (Units{'?', 0, 'Z'}));
  EXPECT_EQ(ToWide(936, "Z\xD6"), (Units{'Z', '?'}));
  // Best fits and the default character.
  EXPECT_EQ(ToBytes(936, {0x00A6, 0x00C0, 0x3280}), "|\xA8\xA4\xD2\xBB");
  EXPECT_EQ(ToBytes(936, {0x0E01, 0xD800}), "??");
  int used = 0;
  char out[8] = {};
  const uint16_t thai[] = {0x0E01, 'a'};
  EXPECT_EQ(standin::WideCharToMultiByte(936, 0, thai, 2, out, 8, "*", &used), 2);
  EXPECT_EQ(std::string(out, 2), "*a");
  EXPECT_EQ(used, 1);
}

TEST(Kernel32Standin, Utf8MatchesWindows) {
  EXPECT_EQ(ToWide(65001, "\xE4\xB8\xAD\xC3\xA9\xF0\x9F\x98\x80"),
            (Units{0x4E2D, 0x00E9, 0xD83D, 0xDE00}));
  EXPECT_EQ(ToBytes(65001, {0x4E2D, 0x00E9, 0xD83D, 0xDE00}),
            "\xE4\xB8\xAD\xC3\xA9\xF0\x9F\x98\x80");
  // One U+FFFD for each ill-formed part; a cut-off sequence at the end takes all that is left.
  EXPECT_EQ(ToWide(65001, "\xFF\x80\xC0\xAF"), (Units{0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD}));
  EXPECT_EQ(ToWide(65001,
                   "\xE4\xB8"
                   "a\xF0\x9F\x98"),
            (Units{0xFFFD, 'a', 0xFFFD}));
  EXPECT_EQ(ToWide(65001, std::string("\xE4\x00", 2)), (Units{0xFFFD}));
  EXPECT_EQ(ToWide(65001, std::string("\xE4\x00\x00", 3)), (Units{0xFFFD, 0, 0}));
  // Overlong forms and surrogates take their first trail byte; beyond U+10FFFF does not.
  EXPECT_EQ(ToWide(65001, "\xED\xA0\x80"), (Units{0xFFFD, 0xFFFD}));
  EXPECT_EQ(ToWide(65001, "\xE0\x80\x80"), (Units{0xFFFD, 0xFFFD}));
  EXPECT_EQ(ToWide(65001, "\xF4\x90\x80\x80"), (Units{0xFFFD, 0xFFFD, 0xFFFD}));
  // A surrogate pair with room for its first half ends the conversion.
  uint16_t one[1];
  EXPECT_EQ(standin::MultiByteToWideChar(65001, 0, "\xF0\x9F\x98\x80", 4, one, 1), 1);
  EXPECT_EQ(one[0], 0xD83D);
  EXPECT_EQ(standin::MultiByteToWideChar(65001, 0, "\xF0\x9F\x98\x80!", 5, one, 1), 0);
  EXPECT_EQ(ToBytes(65001, {'a', 0xDC00, 0xD800}), "a\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Kernel32Standin, BufferSizesFollowWindows) {
  uint16_t wide[4] = {};
  EXPECT_EQ(standin::MultiByteToWideChar(936, 0, "\xD6\xD0xy", -1, nullptr, 0), 4);
  EXPECT_EQ(standin::MultiByteToWideChar(936, 0, "\xD6\xD0xy", -1, wide, 4), 4);
  EXPECT_EQ(wide[3], 0);
  EXPECT_EQ(standin::MultiByteToWideChar(936, 0, "\xD6\xD0xy", 4, wide, 2), 0);
  EXPECT_EQ(standin::MultiByteToWideChar(936, 0, "x", 0, wide, 4), 0);
  EXPECT_EQ(standin::MultiByteToWideChar(936, 0, nullptr, 1, wide, 4), 0);
  EXPECT_EQ(standin::MultiByteToWideChar(936, 0, "x", 1, wide, -1), 0);
  EXPECT_EQ(standin::MultiByteToWideChar(936, 0, "x", 1, nullptr, 4), 0);
  EXPECT_EQ(standin::MultiByteToWideChar(1252, 0, "x", 1, wide, 4), 0);

  const uint16_t source[] = {0x4E2D, 'a', 0};
  char bytes[8] = {};
  EXPECT_EQ(standin::WideCharToMultiByte(936, 0, source, -1, nullptr, 0, nullptr, nullptr), 4);
  EXPECT_EQ(standin::WideCharToMultiByte(65001, 0, source, -1, nullptr, 0, nullptr, nullptr), 5);
  EXPECT_EQ(standin::WideCharToMultiByte(936, 0, source, 2, bytes, 2, nullptr, nullptr), 0);
  EXPECT_EQ(standin::WideCharToMultiByte(936, 0, source, 2, bytes, 1, nullptr, nullptr), 0);
  EXPECT_EQ(standin::WideCharToMultiByte(65001, 0, source, 2, bytes, 8, "?", nullptr), 0);
  EXPECT_EQ(standin::WideCharToMultiByte(936, 0, source, 0, bytes, 8, nullptr, nullptr), 0);

  EXPECT_EQ(standin::lstrlenA(nullptr), 0);
  EXPECT_EQ(standin::lstrlenA("\xD6\xD0z"), 3);
  EXPECT_EQ(standin::lstrlenW(nullptr), 0);
  EXPECT_EQ(standin::lstrlenW(source), 2);
}

}  // namespace
