#include "platform/win32/text_win.h"

#include <windows.h>

#include <cstring>

namespace platform {

std::wstring WideFromGbk(const char* text) {
  if (!text || !*text) return std::wstring();
  int length = static_cast<int>(std::strlen(text));
  int units = MultiByteToWideChar(kSystemCodePage, 0, text, length, nullptr, 0);
  if (units <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(kSystemCodePage, 0, text, length, wide.data(), units);
  return wide;
}

std::wstring WideFromGbk(const std::string& text) { return WideFromGbk(text.c_str()); }

std::string GbkFromWide(const wchar_t* text) {
  if (!text || !*text) return std::string();
  int length = static_cast<int>(wcslen(text));
  int bytes = WideCharToMultiByte(kSystemCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return std::string();
  std::string narrow(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(kSystemCodePage, 0, text, length, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

std::string GbkFromWide(const std::wstring& text) { return GbkFromWide(text.c_str()); }

}  // namespace platform
