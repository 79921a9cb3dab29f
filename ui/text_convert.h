// Conversion between the system's code page 936 texts and the UTF-16 that the
// window functions take. Every crossing between the two goes through this pair.
#pragma once

#include <string>
#include <string_view>

namespace ui {

using WideText = std::u16string;  // UTF-16 code units

// Code page 936 bytes to UTF-16; invalid bytes become the platform's default character.
WideText Cp936ToUtf16(std::string_view text);
// UTF-16 to code page 936; units without a mapping become "?".
std::string Utf16ToCp936(std::u16string_view text);

// Length in bytes of the code page 936 character starting at `text[i]` (1 or 2).
inline size_t Cp936CharLength(std::string_view text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  return (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) ? 2 : 1;
}

}  // namespace ui
