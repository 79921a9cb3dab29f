#include "json/encoding.h"

#include <cstring>
#include <string>
#include <string_view>

#include "platform/text_encoding.h"

namespace json {

const char* const kEncodingDllLibraries[kEncodingDllCount] = {"Kernel32.dll", "kernel32.dll",
                                                              "Kernel32.dll", "Kernel32.dll"};
const char* const kEncodingDllExports[kEncodingDllCount] = {
    "MultiByteToWideChar", "WideCharToMultiByte", "lstrlenW", "lstrlenA"};

namespace {

constexpr int64_t kLargestBlock = 0x7FFFFFF0;

rt::OwnedText TextOf(const std::string& text) { return rt::OwnedText(rt::NewText(text)); }

// The bytes of a byte array up to its first zero byte.
std::string_view UpToZero(const void* bytesBlock) {
  const char* data = reinterpret_cast<const char*>(rt::BytesData(bytesBlock));
  int32_t length = rt::BytesLength(bytesBlock);
  if (!data || length <= 0) return std::string_view();
  const void* zero = std::memchr(data, 0, static_cast<size_t>(length));
  return std::string_view(data, zero ? static_cast<size_t>(static_cast<const char*>(zero) - data)
                                     : static_cast<size_t>(length));
}

rt::OwnedText EscapeWide(const std::u16string& wide) {
  return EscapeUtf16(wide.data(), static_cast<int32_t>(wide.size()));
}

}  // namespace

rt::OwnedText Utf8ToGbk(const char* source) {
  size_t n = rt::TextLength(source);
  if (n == 0 || n > static_cast<size_t>(kLargestBlock)) return nullptr;
  return TextOf(platform::Utf8ToCp936(std::string_view(source, n)));
}

rt::OwnedText GbkToUtf8(const char* source) {
  size_t n = rt::TextLength(source);
  if (n == 0 || n > static_cast<size_t>(kLargestBlock)) return nullptr;
  return TextOf(platform::Utf16ToUtf8(platform::Cp936ToUtf16(std::string_view(source, n))));
}

rt::OwnedText Utf8ToJsonAscii(const void* bytesBlock) {
  return EscapeWide(platform::Utf8ToUtf16(UpToZero(bytesBlock)));
}

rt::OwnedText Utf16ToJsonAscii(const void* bytesBlock) {
  const uint8_t* data = rt::BytesData(bytesBlock);
  int32_t length = rt::BytesLength(bytesBlock);
  if (!data || length <= 0) return nullptr;
  // An odd last byte forms a unit of its own, its high byte zero.
  std::u16string units;
  for (int32_t i = 0; i < length; i += 2) {
    char16_t unit = static_cast<char16_t>(data[i] | (i + 1 < length ? data[i + 1] << 8 : 0));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return EscapeWide(units);
}

rt::OwnedText GbkToJsonAscii(const char* source) {
  size_t n = rt::TextLength(source);
  if (n > static_cast<size_t>(kLargestBlock)) return nullptr;
  return EscapeWide(platform::Cp936ToUtf16(std::string_view(source, n)));
}

rt::OwnedText EscapeUtf16(const void* units, int32_t count) {
  if (!units || count <= 0) return nullptr;
  const auto* in = static_cast<const uint8_t*>(units);
  // Measure first and write the result in place: a worst-case buffer of six bytes a
  // unit would cost a large draft hundreds of megabytes for nothing.
  int64_t length = 0;
  int32_t used = 0;
  for (; used < count; used++) {
    uint8_t lo = in[2 * used], hi = in[2 * used + 1];
    if (hi == 0 && lo == 0) break;
    length += (hi == 0 && lo < 0x80) ? 1 : 6;
  }
  if (length == 0 || length > kLargestBlock) return nullptr;
  static const char kHex[] = "0123456789ABCDEF";
  auto* text = static_cast<char*>(rt::Allocate(static_cast<int32_t>(length + 1)));
  char* write = text;
  for (int32_t i = 0; i < used; i++) {
    uint8_t lo = in[2 * i], hi = in[2 * i + 1];
    if (hi == 0 && lo < 0x80) {
      *write++ = static_cast<char>(lo);
      continue;
    }
    *write++ = '\\';
    *write++ = 'u';
    *write++ = kHex[hi >> 4];
    *write++ = kHex[hi & 15];
    *write++ = kHex[lo >> 4];
    *write++ = kHex[lo & 15];
  }
  *write = '\0';
  return rt::OwnedText(text);
}

}  // namespace json
