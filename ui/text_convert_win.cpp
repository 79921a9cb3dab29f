#include "ui/text_convert.h"

#include <windows.h>

namespace ui {

WideText Cp936ToUtf16(std::string_view text) {
  if (text.empty()) return WideText();
  int n = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return WideText();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return WideText(out.begin(), out.end());
}

std::string Utf16ToCp936(std::u16string_view text) {
  if (text.empty()) return std::string();
  const wchar_t* w = reinterpret_cast<const wchar_t*>(text.data());
  int n = WideCharToMultiByte(936, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr,
                              nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(936, 0, w, static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace ui
