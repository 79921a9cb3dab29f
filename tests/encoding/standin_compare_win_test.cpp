// The stand-in conversions against the real Windows functions, exhaustively where the
// input space allows and by sampling where it does not.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/posix/kernel32_standin.h"

namespace {

namespace standin = platform::standin;

struct Result {
  int value;
  std::vector<uint16_t> units;
  std::string bytes;
  bool operator==(const Result& o) const {
    return value == o.value && units == o.units && bytes == o.bytes;
  }
};

Result RealToWide(UINT codePage, const std::string& in, int capacity) {
  Result r{0, std::vector<uint16_t>(capacity > 0 ? capacity : 0), {}};
  r.value = ::MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()),
                                  capacity ? reinterpret_cast<WCHAR*>(r.units.data()) : nullptr,
                                  capacity);
  if (r.value > 0 && capacity)
    r.units.resize(r.value);
  else
    r.units.clear();
  return r;
}

Result StandinToWide(UINT codePage, const std::string& in, int capacity) {
  Result r{0, std::vector<uint16_t>(capacity > 0 ? capacity : 0), {}};
  r.value = standin::MultiByteToWideChar(codePage, 0, in.data(), static_cast<int>(in.size()),
                                         capacity ? r.units.data() : nullptr, capacity);
  if (r.value > 0 && capacity)
    r.units.resize(r.value);
  else
    r.units.clear();
  return r;
}

Result RealToBytes(UINT codePage, const std::vector<uint16_t>& in, int capacity) {
  Result r{0, {}, std::string(capacity > 0 ? capacity : 0, '\0')};
  r.value = ::WideCharToMultiByte(codePage, 0, reinterpret_cast<const WCHAR*>(in.data()),
                                  static_cast<int>(in.size()), capacity ? &r.bytes[0] : nullptr,
                                  capacity, nullptr, nullptr);
  if (r.value > 0 && capacity)
    r.bytes.resize(r.value);
  else
    r.bytes.clear();
  return r;
}

Result StandinToBytes(UINT codePage, const std::vector<uint16_t>& in, int capacity) {
  Result r{0, {}, std::string(capacity > 0 ? capacity : 0, '\0')};
  r.value =
      standin::WideCharToMultiByte(codePage, 0, in.data(), static_cast<int>(in.size()),
                                   capacity ? &r.bytes[0] : nullptr, capacity, nullptr, nullptr);
  if (r.value > 0 && capacity)
    r.bytes.resize(r.value);
  else
    r.bytes.clear();
  return r;
}

std::string Hex(const std::string& bytes) {
  std::string s;
  char b[4];
  for (unsigned char c : bytes) {
    snprintf(b, sizeof b, "%02X ", c);
    s += b;
  }
  return s;
}

std::string Hex(const std::vector<uint16_t>& units) {
  std::string s;
  char b[8];
  for (uint16_t u : units) {
    snprintf(b, sizeof b, "%04X ", u);
    s += b;
  }
  return s;
}

// Counts differences and describes the first few.
class Differences {
 public:
  explicit Differences(const char* what) : what_(what) {}
  ~Differences() { EXPECT_EQ(count_, 0) << what_; }
  void CheckToWide(UINT codePage, const std::string& in, int capacity) {
    Result real = RealToWide(codePage, in, capacity);
    Result mine = StandinToWide(codePage, in, capacity);
    if (real == mine) return;
    if (count_++ < 8)
      ADD_FAILURE() << what_ << ": cp " << codePage << " bytes " << Hex(in) << "cap " << capacity
                    << ": real " << real.value << " [" << Hex(real.units) << "] stand-in "
                    << mine.value << " [" << Hex(mine.units) << "]";
  }
  void CheckToBytes(UINT codePage, const std::vector<uint16_t>& in, int capacity) {
    Result real = RealToBytes(codePage, in, capacity);
    Result mine = StandinToBytes(codePage, in, capacity);
    if (real == mine) return;
    if (count_++ < 8)
      ADD_FAILURE() << what_ << ": cp " << codePage << " units " << Hex(in) << "cap " << capacity
                    << ": real " << real.value << " [" << Hex(real.bytes) << "] stand-in "
                    << mine.value << " [" << Hex(mine.bytes) << "]";
  }

 private:
  const char* what_;
  int count_ = 0;
};

TEST(Kernel32StandinAgainstWindows, EveryByteAndBytePairOfCodePage936) {
  Differences differences("code page 936 to UTF-16");
  for (int a = 0; a < 256; a++) {
    differences.CheckToWide(936, std::string(1, static_cast<char>(a)), 4);
    for (int b = 0; b < 256; b++) {
      std::string pair{static_cast<char>(a), static_cast<char>(b)};
      differences.CheckToWide(936, pair, 4);
      differences.CheckToWide(936, pair, 0);
      differences.CheckToWide(936, pair + "\xD6", 4);
    }
  }
}

TEST(Kernel32StandinAgainstWindows, EveryUtf16Unit) {
  Differences differences("UTF-16 units");
  for (int unit = 0; unit < 65536; unit++) {
    std::vector<uint16_t> in{static_cast<uint16_t>(unit)};
    differences.CheckToBytes(936, in, 8);
    differences.CheckToBytes(936, in, 0);
    differences.CheckToBytes(65001, in, 8);
    differences.CheckToBytes(65001, in, 0);
    std::vector<uint16_t> context{'a', static_cast<uint16_t>(unit), 0xDC00};
    differences.CheckToBytes(936, context, 16);
    differences.CheckToBytes(65001, context, 16);
  }
  for (int high = 0xD800; high < 0xDC00; high++)
    for (int low = 0xDC00; low < 0xE000; low += 0x3F) {
      std::vector<uint16_t> pair{static_cast<uint16_t>(high), static_cast<uint16_t>(low)};
      differences.CheckToBytes(936, pair, 8);
      differences.CheckToBytes(65001, pair, 8);
      differences.CheckToBytes(65001, pair, 3);
    }
}

TEST(Kernel32StandinAgainstWindows, Utf8SequencesUpToThreeBytesAndSampledFourByteOnes) {
  Differences differences("UTF-8 to UTF-16");
  for (int a = 0; a < 256; a++) {
    differences.CheckToWide(65001, std::string(1, static_cast<char>(a)), 4);
    for (int b = 0; b < 256; b++) {
      std::string two{static_cast<char>(a), static_cast<char>(b)};
      differences.CheckToWide(65001, two, 4);
      if (a < 0x80) continue;
      for (int c = 0; c < 256; c++) differences.CheckToWide(65001, two + static_cast<char>(c), 4);
    }
  }
  const int samples[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xE0, 0xFF};
  for (int a = 0xF0; a < 0x100; a++)
    for (int b = 0x80; b < 0xC0; b++)
      for (int c : samples)
        for (int d : samples) {
          std::string four{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
                           static_cast<char>(d)};
          differences.CheckToWide(65001, four, 4);
          differences.CheckToWide(65001, four, 1);
        }
}

TEST(Kernel32StandinAgainstWindows, RandomTextsAndEveryBufferSize) {
  Differences differences("random texts");
  std::mt19937 random(65001);
  for (int round = 0; round < 3000; round++) {
    std::string bytes(1 + random() % 10, '\0');
    for (char& c : bytes)
      c = static_cast<char>(random() % 3 ? 0x80 + random() % 128 : random() % 128);
    std::vector<uint16_t> units(1 + random() % 6);
    for (uint16_t& u : units) {
      switch (random() % 4) {
        case 0:
          u = static_cast<uint16_t>(random() % 0x80);
          break;
        case 1:
          u = static_cast<uint16_t>(0xD800 + random() % 0x800);
          break;
        default:
          u = static_cast<uint16_t>(random());
          break;
      }
    }
    for (int capacity = 0; capacity < 14; capacity++) {
      differences.CheckToWide(936, bytes, capacity);
      differences.CheckToWide(65001, bytes, capacity);
      differences.CheckToBytes(936, units, capacity);
      differences.CheckToBytes(65001, units, capacity);
    }
  }
}

}  // namespace
