#include <windows.h>

#include "platform/text_encoding.h"

namespace platform {

namespace {

WideText ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return WideText();
  int size = static_cast<int>(text.size());
  int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return WideText();
  WideText out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, reinterpret_cast<wchar_t*>(&out[0]), n);
  return out;
}

std::string FromWide(UINT codePage, std::u16string_view text) {
  if (text.empty()) return std::string();
  const wchar_t* w = reinterpret_cast<const wchar_t*>(text.data());
  int size = static_cast<int>(text.size());
  int n = WideCharToMultiByte(codePage, 0, w, size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, w, size, &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace

WideText Cp936ToUtf16(std::string_view text) { return ToWide(936, text); }

std::string Utf16ToCp936(std::u16string_view text) { return FromWide(936, text); }

WideText Utf8ToUtf16(std::string_view text) { return ToWide(CP_UTF8, text); }

std::string Utf16ToUtf8(std::u16string_view text) { return FromWide(CP_UTF8, text); }

}  // namespace platform
