#include <cstddef>
#include <cstring>

#include "platform/posix/kernel32_standin.h"

namespace platform {
namespace standin {

namespace {

#include "platform/posix/cp936_table.inc"

constexpr uint16_t kReplacement = 0xFFFD;

struct Cp936Tables {
  int16_t leadRow[256];           // row of kCp936Pairs, -1 for a single-byte code
  uint8_t unconsumed[65536 / 8];  // lead-trail pairs in which the trail stands alone
  uint16_t reverse[65536];        // unit -> byte, or lead << 8 | trail

  Cp936Tables() {
    std::memset(leadRow, -1, sizeof leadRow);
    std::memset(unconsumed, 0, sizeof unconsumed);
    for (size_t i = 0; i < sizeof kCp936Leads; i++)
      leadRow[kCp936Leads[i]] = static_cast<int16_t>(i);
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
      if (count < capacity)
        dst[count] = value;
      else
        overflow = true;
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
    if (row >= 0 && i + 1 < n &&
        !tables.Unconsumed(static_cast<uint16_t>(src[i] << 8 | src[i + 1]))) {
      out.Put(kCp936Pairs[row][src[i + 1]]);
      i += 2;
    } else {
      out.Put(kCp936Single[src[i]]);
      i++;
    }
  }
}

bool IsTrail(unsigned char b) { return (b & 0xC0) == 0x80; }

// Windows' UTF-8 decoding: a sequence cut short by the end of the input is one U+FFFD
// for all that is left; otherwise each ill-formed sequence is one U+FFFD covering the
// lead byte and those trail bytes that were taken before the fault showed. An overlong
// form or a surrogate shows with the first trail byte, taking it; a code point above
// U+10FFFF shows with the second trail byte, leaving it.
void DecodeUtf8(const unsigned char* src, size_t n, Sink<uint16_t>& out) {
  size_t i = 0;
  auto invalid = [&](size_t taken) {
    out.Put(kReplacement);
    i += taken;
  };
  while (i < n) {
    unsigned char b = src[i];
    if (b < 0x80) {
      out.Put(b);
      i++;
      continue;
    }
    size_t need = b >= 0xC2 && b <= 0xDF   ? 1
                  : b >= 0xE0 && b <= 0xEF ? 2
                  : b >= 0xF0 && b <= 0xF4 ? 3
                                           : 0;
    if (need == 0) {
      invalid(1);
      continue;
    }
    if (n - i - 1 < need) {
      out.Put(kReplacement);
      return;
    }
    const unsigned char* t = src + i + 1;
    uint32_t code = b & (0x7F >> (need + 1));
    if (!IsTrail(t[0])) {
      invalid(1);
      continue;
    }
    code = code << 6 | (t[0] & 0x3F);
    if (need == 2 && (code < 0x20 || (code >= 0x360 && code <= 0x37F))) {
      invalid(2);
      continue;
    }
    if (need == 3) {
      if (code < 0x10) {
        invalid(2);
        continue;
      }
      if (!IsTrail(t[1])) {
        invalid(2);
        continue;
      }
      code = code << 6 | (t[1] & 0x3F);
      if (code >= 0x4400) {
        invalid(2);
        continue;
      }
    }
    if (need >= 2 && !IsTrail(t[need - 1])) {
      invalid(need);
      continue;
    }
    if (need >= 2) code = code << 6 | (t[need - 1] & 0x3F);
    i += need + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out.Put(static_cast<uint16_t>(0xD800 | code >> 10));
      // Room for the high surrogate alone ends the conversion there: successfully when
      // this was the last character of the source, as a too-small buffer otherwise.
      if (out.capacity > 0 && out.count == out.capacity) {
        if (i < n) out.overflow = true;
        return;
      }
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
  if (codePage == kCodePageGbk)
    DecodeGbk(bytes, n, out);
  else if (codePage == kCodePageUtf8)
    DecodeUtf8(bytes, n, out);
  else
    return 0;
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
