#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "runtime/command_wrappers.h"
#include "runtime/report.h"

namespace {

using rt::CommandArg;
namespace cmd = rt::cmd;

std::string Str(const rt::OwnedText& t) { return t ? std::string(t.get()) : std::string(); }

std::string BytesStr(const rt::OwnedBytes& b) {
  if (!b) return std::string();
  return std::string(reinterpret_cast<const char*>(rt::BytesData(b.get())),
                     static_cast<size_t>(rt::BytesLength(b.get())));
}

rt::OwnedBytes MakeBytes(const std::string& s) {
  return rt::OwnedBytes(rt::NewBytes(s.data(), s.size()));
}

CommandArg Typed(uint32_t type, int32_t low) {
  CommandArg a{};
  a.value.words.low = low;
  a.type = type;
  return a;
}

CommandArg DateTime(double days) {
  CommandArg a = rt::ArgDouble(days);
  a.type = rt::kTypeDateTime;
  return a;
}

// A one-dimensional array block of `count` elements of `size` bytes.
std::string ArrayBlock(const void* elements, int32_t count, size_t size) {
  std::string block(8 + count * size, '\0');
  int32_t header[2] = {1, count};
  std::memcpy(&block[0], header, 8);
  std::memcpy(&block[8], elements, count * size);
  return block;
}

TEST(TextCommands, LengthsAndCuts) {
  EXPECT_EQ(cmd::TextLength("abc"), 3);
  EXPECT_EQ(cmd::TextLength(""), 0);
  EXPECT_EQ(cmd::TextLength("中文"), 4);
  EXPECT_EQ(cmd::BytesLength(nullptr), 0);

  EXPECT_EQ(Str(cmd::LeftText("abc", 5)), "abc");
  EXPECT_EQ(Str(cmd::LeftText("abc", 2)), "ab");
  EXPECT_EQ(cmd::LeftText("abc", 0), nullptr);
  EXPECT_EQ(cmd::LeftText("abc", -1), nullptr);
  EXPECT_EQ(cmd::LeftText("", 3), nullptr);
  // No care is taken for double-byte characters.
  EXPECT_EQ(Str(cmd::LeftText("中a", 1)), std::string("中").substr(0, 1));

  EXPECT_EQ(Str(cmd::RightText("12", 3)), "12");
  EXPECT_EQ(Str(cmd::RightText("abcdef", 2)), "ef");
  EXPECT_EQ(cmd::RightText("abc", 0), nullptr);
  EXPECT_EQ(cmd::RightText("abc", -4), nullptr);
}

TEST(TextCommands, FindTextReverse) {
  EXPECT_EQ(cmd::FindTextReverse("C:\\Users\\x\\", "\\"), 11);
  EXPECT_EQ(cmd::FindTextReverse("no separator", "\\"), -1);
  EXPECT_EQ(cmd::FindTextReverse("abc", ""), 1);
  EXPECT_EQ(cmd::FindTextReverse("", ""), -1);
  EXPECT_EQ(cmd::FindTextReverse("", "a"), -1);
  EXPECT_EQ(cmd::FindTextReverse("ab", "abc"), -1);
  // 0x955C is one character whose trail byte is a backslash.
  EXPECT_EQ(cmd::FindTextReverse("a\x95\x5C"
                                 "b",
                                 "\\"),
            -1);
  EXPECT_EQ(cmd::FindTextReverse("\x95\x5C\\", "\\"), 3);
  // A lead byte before the terminator ends the scan without reading past it.
  EXPECT_EQ(cmd::FindTextReverse("ab\x81", "b"), 2);

  // A start position s lets only matches that end before s count.
  EXPECT_EQ(cmd::FindTextReverse("a\\b\\c", "\\", 4), 2);
  EXPECT_EQ(cmd::FindTextReverse("a\\b\\c", "\\", 5), 4);
  EXPECT_EQ(cmd::FindTextReverse("a\\b\\c", "\\", 1), -1);
  EXPECT_EQ(cmd::FindTextReverse("a\\b\\c", "\\", -3), -1);
  EXPECT_EQ(cmd::FindTextReverse("a\\b\\c", "\\", 100), 4);
  EXPECT_EQ(cmd::FindTextReverse("a\\b\\c", "", 1), -1);

  EXPECT_EQ(cmd::FindTextReverse("ABCabc", "ABC"), 1);
  EXPECT_EQ(cmd::FindTextReverse("abcABCx", "abc", cmd::kNoStart, true), 4);
  EXPECT_EQ(cmd::FindTextReverse("中文中", "中", cmd::kNoStart, true), 5);
}

TEST(NumberCommands, ToInt) {
  EXPECT_EQ(cmd::ToInt(rt::ArgDouble(2.9)), 2);
  EXPECT_EQ(cmd::ToInt(rt::ArgDouble(-2.9)), -2);
  EXPECT_EQ(cmd::ToInt(true), 1);
  EXPECT_EQ(cmd::ToInt(false), 0);
  EXPECT_EQ(cmd::ToInt(Typed(rt::kTypeByte, 0x1FF)), 255);
  EXPECT_EQ(cmd::ToInt(Typed(rt::kTypeShort, 0xFFFF)), -1);
  EXPECT_EQ(cmd::ToInt(rt::ArgLong(0x100000005LL)), 5);
  EXPECT_EQ(cmd::ToInt(rt::ArgText("  -42abc")), -42);
  EXPECT_EQ(cmd::ToInt(rt::ArgText("x1")), 0);
  // Out of range and NaN give the processor's integer indefinite value, not a crash.
  EXPECT_EQ(cmd::ToInt(rt::ArgDouble(1e20)), INT32_MIN);
  EXPECT_EQ(cmd::ToInt(rt::ArgDouble(std::nan(""))), INT32_MIN);
  EXPECT_EQ(cmd::ToInt(rt::ArgComponent(1, 2, rt::kComponentWindow)), 0);

  EXPECT_EQ(cmd::ShiftLeft(1, 4), 16);
  EXPECT_EQ(cmd::ShiftLeft(1, 33), 2);
  EXPECT_EQ(cmd::ShiftLeft(1, -1), INT32_MIN);
  EXPECT_EQ(cmd::ShiftLeft(3, 0), 3);
}

TEST(NumberCommands, HexAndValueText) {
  EXPECT_EQ(Str(cmd::HexText(255)), "FF");
  EXPECT_EQ(Str(cmd::HexText(0)), "0");
  EXPECT_EQ(Str(cmd::HexText(-1)), "FFFFFFFF");

  EXPECT_EQ(Str(cmd::ValueToText(0)), "0");
  EXPECT_EQ(Str(cmd::ValueToText(-5)), "-5");
  EXPECT_EQ(Str(cmd::ValueToText(Typed(rt::kTypeByte, 200))), "200");
  EXPECT_EQ(Str(cmd::ValueToText(Typed(rt::kTypeShort, -3))), "-3");
  EXPECT_EQ(Str(cmd::ValueToText(rt::ArgLong(-9000000000LL))), "-9000000000");
  EXPECT_EQ(Str(cmd::ValueToText(rt::ArgDouble(0.1))), "0.1");
  EXPECT_EQ(Str(cmd::ValueToText(rt::ArgDouble(1.0 / 3))), "0.3333333333333");
  float f = 1.5f;
  CommandArg floatArg = Typed(rt::kTypeFloat, 0);
  std::memcpy(&floatArg.value.words.low, &f, 4);
  EXPECT_EQ(Str(cmd::ValueToText(floatArg)), "1.5");
  EXPECT_EQ(Str(cmd::ValueToText(rt::ArgBool(true))), "真");
  EXPECT_EQ(Str(cmd::ValueToText(rt::ArgBool(false))), "假");
  EXPECT_EQ(Str(cmd::ValueToText(rt::ArgText("abc"))), "abc");
  EXPECT_EQ(cmd::ValueToText(rt::ArgText("")), nullptr);
  EXPECT_EQ(cmd::ValueToText(rt::ArgComponent(1, 2, rt::kComponentWindow)), nullptr);

  rt::OwnedBytes zeroFirst = MakeBytes(std::string("\0ab", 3));
  EXPECT_EQ(cmd::BytesToText(zeroFirst.get()), nullptr);
  rt::OwnedBytes zeroInside = MakeBytes(std::string("ab\0c", 4));
  EXPECT_EQ(Str(cmd::BytesToText(zeroInside.get())), "ab");
  rt::OwnedBytes noZero = MakeBytes("xyz");
  EXPECT_EQ(Str(cmd::BytesToText(noZero.get())), "xyz");
  EXPECT_EQ(cmd::BytesToText(nullptr), nullptr);
}

TEST(NumberCommands, DateTimeText) {
  EXPECT_EQ(Str(cmd::ValueToText(DateTime(0))), "1899年12月30日");
  EXPECT_EQ(Str(cmd::ValueToText(DateTime(45000.5))), "2023年3月15日12时");
  EXPECT_EQ(Str(cmd::ValueToText(DateTime(45000 + 90.0 / 1440))), "2023年3月15日1时30分");
  EXPECT_EQ(Str(cmd::ValueToText(DateTime(45000 + 3725.0 / 86400))), "2023年3月15日1时2分5秒");
  // Before the epoch the fraction still counts forward from midnight.
  EXPECT_EQ(Str(cmd::ValueToText(DateTime(-1.25))), "1899年12月29日6时");
  EXPECT_EQ(Str(cmd::ValueToText(DateTime(1e9))), "9999年12月31日");
  EXPECT_EQ(Str(cmd::ValueToText(DateTime(-1e9))), "100年1月1日");
  // A time that rounds up to midnight moves to the next day.
  EXPECT_EQ(Str(cmd::ValueToText(DateTime(45000.9999999))), "2023年3月16日");
}

TEST(ByteCommands, ToBytesAndBlank) {
  EXPECT_EQ(BytesStr(cmd::ToBytes("ab")), "ab");
  EXPECT_EQ(cmd::ToBytes(""), nullptr);
  EXPECT_EQ(BytesStr(cmd::ToBytes(rt::ArgInt(0x01020304))), std::string("\x04\x03\x02\x01", 4));
  double one = 1.0;
  EXPECT_EQ(BytesStr(cmd::ToBytes(1.0)), std::string(reinterpret_cast<const char*>(&one), 8));
  rt::OwnedBytes source = MakeBytes("xyz");
  EXPECT_EQ(BytesStr(cmd::ToBytes(rt::ArgBytes(source.get()))), "xyz");
  int32_t elements[2] = {1, 2};
  std::string block = ArrayBlock(elements, 2, 4);
  CommandArg array = Typed(rt::kTypeInt | rt::kArrayFlag, 0);
  array.value.ptr = &block[0];
  EXPECT_EQ(BytesStr(cmd::ToBytes(array)), std::string("\1\0\0\0\2\0\0\0", 8));
  EXPECT_EQ(cmd::ToBytes(rt::ArgComponent(1, 2, rt::kComponentWindow)), nullptr);

  EXPECT_EQ(cmd::BlankBytes(0), nullptr);
  EXPECT_EQ(cmd::BlankBytes(-3), nullptr);
  EXPECT_EQ(cmd::BytesLength(cmd::BlankBytes(0).get()), 0);
  rt::OwnedBytes blank = cmd::BlankBytes(5);
  EXPECT_EQ(cmd::BytesLength(blank.get()), 5);
  EXPECT_EQ(BytesStr(blank), std::string(5, '\0'));
}

TEST(ByteCommands, ReadBytesValue) {
  rt::OwnedBytes six = MakeBytes("\x01\x02\x03\x04\x05\x06");
  rt::CommandResult r = cmd::ReadBytesValue(six.get(), 3, 5);
  EXPECT_EQ(r.value.words.low, 0x0605);
  EXPECT_EQ(r.type, rt::kTypeInt);
  EXPECT_EQ(cmd::ReadBytesInt(six.get(), 1), 0x04030201);
  EXPECT_EQ(cmd::ReadBytesValue(six.get(), 3).value.words.low, 0x04030201);
  EXPECT_EQ(cmd::ReadBytesInt(six.get(), 0), 0);
  EXPECT_EQ(cmd::ReadBytesInt(six.get(), 7), 0);
  EXPECT_EQ(cmd::ReadBytesInt(nullptr, 1), 0);
  EXPECT_EQ(cmd::ReadBytesValue(six.get(), 1, 6).value.words.low, 6);
  EXPECT_EQ(cmd::ReadBytesValue(six.get(), 2, 2).value.words.low, 0x0302);
  EXPECT_EQ(cmd::ReadBytesValue(six.get(), 4).value.i64, 0x060504030201LL);
  EXPECT_EQ(cmd::ReadBytesValue(six.get(), 7, 2).value.words.low, 1);
  EXPECT_EQ(cmd::ReadBytesValue(six.get(), 8).type, rt::kTypeDateTime);

  // The two halves of a double, as the JSON layer takes them apart.
  rt::OwnedBytes d = cmd::ToBytes(-2.5);
  uint64_t bits;
  double v = -2.5;
  std::memcpy(&bits, &v, 8);
  EXPECT_EQ(static_cast<uint32_t>(cmd::ReadBytesInt(d.get(), 1)), static_cast<uint32_t>(bits));
  EXPECT_EQ(static_cast<uint32_t>(cmd::ReadBytesInt(d.get(), 5)),
            static_cast<uint32_t>(bits >> 32));
  EXPECT_EQ(cmd::ReadBytesValue(d.get(), 6).value.f64, -2.5);

  rt::OwnedBytes texts = MakeBytes(std::string("ab\0cd", 5));
  rt::CommandResult t = cmd::ReadBytesValue(texts.get(), 10, 4);
  rt::OwnedText cd(static_cast<char*>(t.value.ptr));
  EXPECT_EQ(Str(cd), "cd");
  rt::OwnedText ab(static_cast<char*>(cmd::ReadBytesValue(texts.get(), 10).value.ptr));
  EXPECT_EQ(Str(ab), "ab");
  EXPECT_EQ(cmd::ReadBytesValue(texts.get(), 10, 3).value.ptr, nullptr);
}

int32_t QuietReport(int32_t, const char*) { return 1; }

TEST(ByteCommandsDeathTest, ReadBytesValueOfUnknownTypeIsFatal) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  rt::OwnedBytes six = MakeBytes("123456");
  EXPECT_EXIT(
      {
        rt::SetErrorHandler(QuietReport);
        cmd::ReadBytesValue(six.get(), 11);
      },
      ::testing::ExitedWithCode(SUBVANE_FATAL_EXIT_CODE), "");
  EXPECT_EXIT(
      {
        rt::SetErrorHandler(QuietReport);
        cmd::ReadBytesValue(six.get(), 0);
      },
      ::testing::ExitedWithCode(SUBVANE_FATAL_EXIT_CODE), "");
}

// A length just below 2^31 plus the array's header passes 2^31: the size is counted in
// 64 bits and refused whole, never wrapped to a small block that the zeros overrun.
TEST(ByteCommandsDeathTest, BlankBytesNearTwoGigabytesIsTheAllocationFailure) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (int32_t length : {0x7FFFFFF8, 0x7FFFFFFF}) {
    EXPECT_EXIT(
        {
          rt::SetErrorHandler([](int32_t, const char* details) {
            std::fprintf(stderr, "%s\n", details);
            return 1;
          });
          cmd::BlankBytes(length);
        },
        ::testing::ExitedWithCode(SUBVANE_FATAL_EXIT_CODE),
        "分配 " + std::to_string(int64_t{length} + 8) + " 字节内存失败!");
  }
}

TEST(MemoryCommands, ReadAndWrite) {
  EXPECT_EQ(cmd::TextAtAddress(nullptr), nullptr);
  EXPECT_EQ(cmd::TextAtAddress(""), nullptr);
  EXPECT_EQ(Str(cmd::TextAtAddress("abc")), "abc");
  int32_t i = -77;
  EXPECT_EQ(cmd::IntAtAddress(&i), -77);
  double d = 6.25;
  EXPECT_EQ(cmd::DoubleAtAddress(&d), 6.25);

  rt::OwnedBytes buffer = cmd::BlankBytes(8);
  uint8_t* at = rt::BytesData(buffer.get());
  cmd::WriteMemory(rt::ArgInt(0x11223344), at, 4);
  EXPECT_EQ(BytesStr(buffer), std::string("\x44\x33\x22\x11\0\0\0\0", 8));
  cmd::WriteMemory(rt::ArgInt(0x55), at + 4, 1);
  EXPECT_EQ(at[4], 0x55);
  EXPECT_EQ(at[5], 0);
  // A text brings its terminator unless the length cuts it off.
  std::memset(at, 'x', 8);
  cmd::WriteMemory(rt::ArgText("ab"), at);
  EXPECT_EQ(BytesStr(buffer), std::string("ab\0xxxxx", 8));
  cmd::WriteMemory(rt::ArgText("QR"), at, 1);
  EXPECT_EQ(BytesStr(buffer), std::string("Qb\0xxxxx", 8));
  // A length beyond the value's size writes the whole value, no more.
  cmd::WriteMemory(rt::ArgText("z"), at + 6, 50);
  EXPECT_EQ(BytesStr(buffer), std::string("Qb\0xxxz\0", 8));
  rt::OwnedBytes part = MakeBytes("1234");
  cmd::WriteMemory(rt::ArgBytes(part.get()), at, 2);
  EXPECT_EQ(BytesStr(buffer), std::string("12\0xxxz\0", 8));

  uint8_t bytes[3] = {7, 8, 9};
  std::string byteBlock = ArrayBlock(bytes, 3, 1);
  CommandArg byteArray = Typed(rt::kTypeByte | rt::kArrayFlag, 0);
  byteArray.value.ptr = &byteBlock[0];
  cmd::WriteMemory(byteArray, at);
  EXPECT_EQ(BytesStr(buffer), std::string("\7\x08\x09xxxz\0", 8));
  int32_t ints[1] = {0x41414141};
  std::string intBlock = ArrayBlock(ints, 1, 4);
  CommandArg intArray = Typed(rt::kTypeInt | rt::kArrayFlag, 0);
  intArray.value.ptr = &intBlock[0];
  cmd::WriteMemory(intArray, at);
  cmd::WriteMemory(rt::ArgComponent(0x41, 0x41, rt::kComponentWindow), at);
  EXPECT_EQ(BytesStr(buffer), std::string("\7\x08\x09xxxz\0", 8));
}

}  // namespace
