#include "platform/posix/kernel32_standin.h"

#include <cstddef>
#include <cstring>

namespace platform {
namespace standin {

namespace {

#include "platform/posix/cp936_table.inc"

constexpr uint16_t kReplacement = 0xFFFD;

struct Cp936Tables {
  int16_t leadRow[256];          // row of kCp936Pairs, -1 for a single-byte code
  uint8_t unconsumed[65536 / 8];  // lead-trail pairs in which the trail stands alone
  uint16_t reverse[65536];       // unit -> byte, or lead << 8 | trail

  Cp936Tables() {
    std::memset(leadRow, -1, sizeof leadRow);
    std::memset(unconsumed, 0, sizeof unconsumed);
    for (size_t i = 0; i < sizeof kCp936Leads; i++) leadRow[kCp936Leads[i]] = static_cast<int16_t>(i);
    for (uint16_t code : kCp936Unconsumed) unconsumed[code >> 3] |= 1 << (code & 7);

    // Round trips first (single bytes, then pairs in ascending order, first one wins),
    // then the units that Windows maps otherwise: best fits onto similar characters.
    bool set[65536] = {};
    for (int b = 0; b < 256; b++) {
      if (leadRow[b] >= 0 || set[kCp936Single[b]]) continue;
      reverse[kCp936Single[b]] = static_cast<uint16_t>(b);
      set[kCp936Single[b]] = true;
    }
    for (size_t row = 0; row < sizeof kCp936Leads; row++)
      for (int trail = 0; trail < 256; trail++) {
        uint16_t code = static_cast<uint16_t>(kCp936Leads[row] << 8 | trail);
        uint16_t unit = kCp936Pairs[row][trail];
        if (Unconsumed(code) || set[unit]) continue;
        reverse[unit] = code;
        set[unit] = true;
      }
    for (int unit = 0; unit < 65536; unit++)
      if (!set[unit]) reverse[unit] = '?';
    for (uint32_t entry : kCp936ReverseExceptions)
      reverse[entry >> 16] = static_cast<uint16_t>(entry & 0xFFFF);
  }

  bool Unconsumed(uint16_t code) const { return unconsumed[code >> 3] & (1 << (code & 7)); }
};

const Cp936Tables& Tables() {
  static const Cp936Tables* tables = new Cp936Tables();
  return *tables;
}

// Collects output units or bytes: counts them all, writes those that fit.
template <typename T>
struct Sink {
  T* dst;
  int capacity;  // 0: count only
  long long count = 0;
  bool overflow = false;

  void Put(T value) {
    if (capacity > 0) {
      if (count < capacity) dst[count] = value;
      else overflow = true;
    }
    count++;
  }
  // Windows writes nothing of a character that does not fit whole.
  bool Fits(int n) const { return capacity == 0 || count + n <= capacity; }
  int Result() const {
    if (overflow || count > 0x7FFFFFFF) return 0;
    return static_cast<int>(count);
  }
};

void DecodeGbk(const unsigned char* src, size_t n, Sink<uint16_t>& out) {
  const Cp936Tables& tables = Tables();
  for (size_t i = 0; i < n;) {
    int row = tables.leadRow[src[i]];
    if (row >= 0 && i + 1 < n && !tables.Unconsumed(static_cast<uint16_t>(src[i] << 8 | src[i + 1]))) {
      out.Put(kCp936Pairs[row][src[i + 1]]);
      i += 2;
    } else {
      out.Put(kCp936Single[src[i]]);
      i++;
    }
  }
}

// One U+FFFD for each maximal part of an ill-formed sequence.
void DecodeUtf8(const unsigned char* src, size_t n, Sink<uint16_t>& out) {
  for (size_t i = 0; i < n;) {
    unsigned b = src[i];
    if (b < 0x80) {
      out.Put(static_cast<uint16_t>(b));
      i++;
      continue;
    }
    int need;
    unsigned low = 0x80, high = 0xBF;  // range of the first trail byte
    uint32_t code;
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1;
      code = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2;
      code = b & 0x0F;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3;
      code = b & 0x07;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;
    } else {
      out.Put(kReplacement);
      i++;
      continue;
    }
    int taken = 0;
    while (taken < need && i + 1 + taken < n) {
      unsigned t = src[i + 1 + taken];
      if (taken == 0 ? (t < low || t > high) : (t < 0x80 || t > 0xBF)) break;
      code = code << 6 | (t & 0x3F);
      taken++;
    }
    i += 1 + taken;
    if (taken < need) {
      out.Put(kReplacement);
    } else if (code >= 0x10000) {
      code -= 0x10000;
      out.Put(static_cast<uint16_t>(0xD800 | code >> 10));
      out.Put(static_cast<uint16_t>(0xDC00 | (code & 0x3FF)));
    } else {
      out.Put(static_cast<uint16_t>(code));
    }
  }
}

void EncodeGbk(const uint16_t* src, size_t n, Sink<char>& out, const char* defaultChar,
               int* usedDefault) {
  const Cp936Tables& tables = Tables();
  for (size_t i = 0; i < n; i++) {
    uint16_t code = tables.reverse[src[i]];
    if (code == '?' && src[i] != '?') {
      if (usedDefault) *usedDefault = 1;
      if (defaultChar) {
        unsigned char first = static_cast<unsigned char>(defaultChar[0]);
        unsigned char second = static_cast<unsigned char>(defaultChar[1 * (first != 0)]);
        code = tables.leadRow[first] >= 0 && second ? static_cast<uint16_t>(first << 8 | second)
                                                    : first;
      }
    }
    if (code > 0xFF) {
      if (!out.Fits(2)) {
        out.overflow = true;
        return;
      }
      out.Put(static_cast<char>(code >> 8));
      out.Put(static_cast<char>(code & 0xFF));
    } else {
      out.Put(static_cast<char>(code));
    }
  }
}

// Lone surrogates become U+FFFD.
void EncodeUtf8(const uint16_t* src, size_t n, Sink<char>& out) {
  for (size_t i = 0; i < n; i++) {
    uint32_t code = src[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < n && src[i + 1] >= 0xDC00 &&
        src[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (src[i + 1] - 0xDC00);
      i++;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = kReplacement;
    }
    unsigned char bytes[4];
    int length;
    if (code < 0x80) {
      bytes[0] = static_cast<unsigned char>(code);
      length = 1;
    } else if (code < 0x800) {
      bytes[0] = static_cast<unsigned char>(0xC0 | code >> 6);
      bytes[1] = static_cast<unsigned char>(0x80 | (code & 0x3F));
      length = 2;
    } else if (code < 0x10000) {
      bytes[0] = static_cast<unsigned char>(0xE0 | code >> 12);
      bytes[1] = static_cast<unsigned char>(0x80 | (code >> 6 & 0x3F));
      bytes[2] = static_cast<unsigned char>(0x80 | (code & 0x3F));
      length = 3;
    } else {
      bytes[0] = static_cast<unsigned char>(0xF0 | code >> 18);
      bytes[1] = static_cast<unsigned char>(0x80 | (code >> 12 & 0x3F));
      bytes[2] = static_cast<unsigned char>(0x80 | (code >> 6 & 0x3F));
      bytes[3] = static_cast<unsigned char>(0x80 | (code & 0x3F));
      length = 4;
    }
    if (!out.Fits(length)) {
      out.overflow = true;
      return;
    }
    for (int k = 0; k < length; k++) out.Put(static_cast<char>(bytes[k]));
  }
}

size_t UnitLength(const uint16_t* text) {
  size_t n = 0;
  while (text[n]) n++;
  return n;
}

}  // namespace

int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* src, int srcLen,
                        uint16_t* dst, int dstLen) {
  if (!src || srcLen == 0 || dstLen < 0 || (dstLen > 0 && !dst) || flags != 0) return 0;
  size_t n = srcLen < 0 ? std::strlen(src) + 1 : static_cast<size_t>(srcLen);
  Sink<uint16_t> out{dst, dstLen};
  const auto* bytes = reinterpret_cast<const unsigned char*>(src);
  if (codePage == kCodePageGbk) DecodeGbk(bytes, n, out);
  else if (codePage == kCodePageUtf8) DecodeUtf8(bytes, n, out);
  else return 0;
  return out.Result();
}

int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const uint16_t* src, int srcLen,
                        char* dst, int dstLen, const char* defaultChar, int* usedDefault) {
  if (!src || srcLen == 0 || dstLen < 0 || (dstLen > 0 && !dst) || flags != 0) return 0;
  size_t n = srcLen < 0 ? UnitLength(src) + 1 : static_cast<size_t>(srcLen);
  Sink<char> out{dst, dstLen};
  if (codePage == kCodePageGbk) {
    if (usedDefault) *usedDefault = 0;
    EncodeGbk(src, n, out, defaultChar, usedDefault);
  } else if (codePage == kCodePageUtf8) {
    if (defaultChar || usedDefault) return 0;
    EncodeUtf8(src, n, out);
  } else {
    return 0;
  }
  return out.Result();
}

int lstrlenA(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

int lstrlenW(const uint16_t* text) { return text ? static_cast<int>(UnitLength(text)) : 0; }

}  // namespace standin
}  // namespace platform
