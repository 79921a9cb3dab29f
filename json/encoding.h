// Conversions between UTF-8, UTF-16 and code page 936 for the JSON classes, always
// through UTF-16 with the program's one set of conversions (platform/text_encoding.h),
// and the escaping of a whole document into pure ASCII JSON. None of the conversions
// fails: what cannot be converted gives the empty text (null), and a null source counts
// as empty. Every result is a new runtime-heap text owned by the caller.
#pragma once

#include <cstdint>

#include "heap/heap.h"

namespace json {

// The conversion functions the window program declares as DLL commands, by number:
// its descriptor lists these.
constexpr int32_t kEncodingDllCount = 4;
enum EncodingDllCommand : int32_t {
  kDllMultiByteToWideChar = 0,
  kDllWideCharToMultiByte = 1,
  kDllLstrlenW = 2,
  kDllLstrlenA = 3,
};
extern const char* const kEncodingDllLibraries[kEncodingDllCount];
extern const char* const kEncodingDllExports[kEncodingDllCount];

// A UTF-8 text converted to code page 936; characters without a form there become '?'.
rt::OwnedText Utf8ToGbk(const char* source);
// A code page 936 text converted to UTF-8.
rt::OwnedText GbkToUtf8(const char* source);
// A UTF-8 byte array (up to its first zero byte) as ASCII JSON with \uXXXX escapes.
rt::OwnedText Utf8ToJsonAscii(const void* bytesBlock);
// A UTF-16LE byte array (up to its first zero unit) as ASCII JSON; an odd last byte
// forms a unit of its own.
rt::OwnedText Utf16ToJsonAscii(const void* bytesBlock);
// A code page 936 text as ASCII JSON.
rt::OwnedText GbkToJsonAscii(const char* source);
// Up to `count` UTF-16LE units (stopping at a zero unit): ASCII units as they are,
// every other unit as \u and four uppercase hexadecimal digits.
rt::OwnedText EscapeUtf16(const void* units, int32_t count);

}  // namespace json
