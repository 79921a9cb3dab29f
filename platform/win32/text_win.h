// Conversions at the Win32 boundary: the system's texts are code page 936 bytes, the
// wide Windows functions take UTF-16. The code page is always named, never the ANSI one.
#pragma once

#include <string>

namespace platform {

constexpr unsigned kSystemCodePage = 936;

std::wstring WideFromGbk(const char* text);
std::wstring WideFromGbk(const std::string& text);
std::string GbkFromWide(const wchar_t* text);
std::string GbkFromWide(const std::wstring& text);

}  // namespace platform
