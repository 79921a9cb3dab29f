#include "json/encoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "heap/heap.h"
#include "platform/text_encoding.h"
#include "runtime/dll_commands.h"
#include "tests/dll/test_support.h"

namespace {

class Encoding : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    commands_ = new dlltest::DeclaredCommands(
        {json::kEncodingDllLibraries, json::kEncodingDllLibraries + json::kEncodingDllCount},
        {json::kEncodingDllExports, json::kEncodingDllExports + json::kEncodingDllCount});
  }
  static void TearDownTestSuite() {
    delete commands_;
    commands_ = nullptr;
  }

 private:
  static dlltest::DeclaredCommands* commands_;
};

dlltest::DeclaredCommands* Encoding::commands_ = nullptr;

// The result as bytes; a null text is "".
std::string Str(const rt::OwnedText& text) { return rt::TextToString(text.get()); }

// A byte array block holding exactly these bytes.
rt::OwnedBytes Bytes(const std::string& bytes) {
  return rt::OwnedBytes(rt::NewBytes(bytes.data(), bytes.size()));
}

std::string Utf8ToJson(const std::string& bytes) {
  return Str(json::Utf8ToJsonAscii(Bytes(bytes).get()));
}
std::string Utf16ToJson(const std::string& bytes) {
  return Str(json::Utf16ToJsonAscii(Bytes(bytes).get()));
}

TEST_F(Encoding, Utf8AndCodePage936ConvertBothWays) {
  EXPECT_EQ(json::Utf8ToGbk(nullptr), nullptr);
  EXPECT_EQ(json::Utf8ToGbk(""), nullptr);
  EXPECT_EQ(json::GbkToUtf8(nullptr), nullptr);
  EXPECT_EQ(json::GbkToUtf8(""), nullptr);
  EXPECT_EQ(Str(json::Utf8ToGbk("plain ASCII, 1\t2\r\n")), "plain ASCII, 1\t2\r\n");
  EXPECT_EQ(Str(json::Utf8ToGbk("\xE4\xB8\xAD")), "\xD6\xD0");
  EXPECT_EQ(Str(json::GbkToUtf8("\xD6\xD0")), "\xE4\xB8\xAD");
  EXPECT_EQ(Str(json::Utf8ToGbk("\xE2\x82\xAC")), "\x80");                  // euro
  EXPECT_EQ(Str(json::GbkToUtf8("\x80\xFF")), "\xE2\x82\xAC\xEF\xA3\xB5");  // euro, U+F8F5
  EXPECT_EQ(Str(json::Utf8ToGbk("\xC2\xB7\xE2\x80\x94")), "\xA1\xA4\xA1\xAA");
  // Best fit, then a character with no form in code page 936.
  EXPECT_EQ(Str(json::Utf8ToGbk("\xC3\x80")), "\xA8\xA4");
  EXPECT_EQ(Str(json::Utf8ToGbk("a\xE0\xB8\x81z")), "a?z");
  // Invalid input converts as the Windows functions do; nothing fails.
  EXPECT_EQ(Str(json::GbkToUtf8("\xD6")), "?");
  EXPECT_EQ(Str(json::GbkToUtf8("A\x81\x20Z")), "A?Z");
  EXPECT_EQ(Str(json::Utf8ToGbk("\xFF")), "?");
  EXPECT_EQ(Str(json::Utf8ToGbk("\xE4\xB8")), "?");
}

TEST_F(Encoding, JsonEscapesForEverythingOutsideAscii) {
  EXPECT_EQ(Utf8ToJson("{\"k\":\"\xE4\xB8\xAD\"}"), "{\"k\":\"\\u4E2D\"}");
  EXPECT_EQ(Utf8ToJson("\xC3\xA9"), "\\u00E9");
  EXPECT_EQ(Utf8ToJson("\xF0\x9F\x98\x80"), "\\uD83D\\uDE00");
  EXPECT_EQ(Utf8ToJson("\xEF\xBB\xBF{}"), "\\uFEFF{}");
  EXPECT_EQ(Utf8ToJson("\t\r\n\x01\x7F\"\\/"), "\t\r\n\x01\x7F\"\\/");
  EXPECT_EQ(Utf8ToJson("\xFF"
                       "a"),
            "\\uFFFDa");
  EXPECT_EQ(Utf8ToJson(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(Utf8ToJson(std::string(1, '\0')), "");
  EXPECT_EQ(json::Utf8ToJsonAscii(nullptr), nullptr);
  EXPECT_EQ(json::Utf8ToJsonAscii(&rt::kEmptyBytes), nullptr);

  EXPECT_EQ(Utf16ToJson(std::string("\x41\x00\x42", 3)), "AB");
  EXPECT_EQ(Utf16ToJson(std::string("\x41", 1)), "A");
  EXPECT_EQ(Utf16ToJson(std::string("\x41\x00\x00\x00\x42\x00", 6)), "A");
  EXPECT_EQ(Utf16ToJson(std::string("\x3D\xD8\x00\xDE\x00\xDC\x00\x01", 8)),
            "\\uD83D\\uDE00\\uDC00\\u0100");
  EXPECT_EQ(Utf16ToJson(std::string("\x80\x00\x0A\x00", 4)), "\\u0080\n");
  EXPECT_EQ(Utf16ToJson(std::string(1, '\0')), "");
  EXPECT_EQ(json::Utf16ToJsonAscii(nullptr), nullptr);

  EXPECT_EQ(Str(json::GbkToJsonAscii("[\"\xD6\xD0\x80\"]")), "[\"\\u4E2D\\u20AC\"]");
  EXPECT_EQ(json::GbkToJsonAscii(""), nullptr);
  EXPECT_EQ(json::GbkToJsonAscii(nullptr), nullptr);

  const uint16_t units[] = {'x', 0x00E9, 0, 'y'};
  EXPECT_EQ(Str(json::EscapeUtf16(units, 4)), "x\\u00E9");
  EXPECT_EQ(json::EscapeUtf16(units, 0), nullptr);
  EXPECT_EQ(json::EscapeUtf16(nullptr, 3), nullptr);
}

// Blocks sized exactly to their bytes: the sanitizers catch any read past the source.
TEST_F(Encoding, ArbitraryInputNeverReadsPastTheSource) {
  std::mt19937 random(936);
  for (int round = 0; round < 2000; round++) {
    std::string bytes(random() % 12, '\0');
    for (char& c : bytes)
      c = static_cast<char>(random() % 2 ? 0x80 + random() % 128 : random() % 256);
    rt::OwnedBytes block = Bytes(bytes);
    json::Utf8ToJsonAscii(block.get());
    json::Utf16ToJsonAscii(block.get());
    std::string text = bytes.substr(0, bytes.find('\0'));
    rt::OwnedText copy(rt::NewText(text));
    rt::OwnedText gbk = json::Utf8ToGbk(copy.get());
    rt::OwnedText utf8 = json::GbkToUtf8(copy.get());
    rt::OwnedText ascii = json::GbkToJsonAscii(copy.get());
    for (const char* p = ascii.get(); p && *p; p++) ASSERT_LT(static_cast<unsigned char>(*p), 0x80);
  }
}

TEST_F(Encoding, ConvertsWithTheProgramsOneConverter) {
  EXPECT_EQ(Str(json::Utf8ToGbk("\xE4\xB8\xAD")), "\xD6\xD0");
  for (const char* utf8 : {u8"你好，世界", u8"Tiếng Việt 😀 ½", "plain"})
    EXPECT_EQ(Str(json::Utf8ToGbk(utf8)), platform::Utf8ToCp936(utf8)) << utf8;
  EXPECT_EQ(std::string(json::kEncodingDllLibraries[1]), "kernel32.dll");
  EXPECT_EQ(std::string(json::kEncodingDllExports[3]), "lstrlenA");
}

}  // namespace
