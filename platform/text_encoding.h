// Conversion between the system's code page 936 texts, the UTF-16 that the window
// functions take and the UTF-8 of drafts and UTF-8 files: Windows' own conversion
// (MultiByteToWideChar and WideCharToMultiByte), or in the Linux build the stand-in that
// gives its results. Every crossing between them, in both programs, goes through these.
#pragma once

#include <string>
#include <string_view>

namespace platform {

using WideText = std::u16string;  // UTF-16 code units

// Code page 936 bytes to UTF-16; invalid bytes become the platform's default character.
WideText Cp936ToUtf16(std::string_view text);
// UTF-16 to code page 936; units without a mapping become "?".
std::string Utf16ToCp936(std::u16string_view text);

// UTF-8 to UTF-16; each invalid sequence becomes U+FFFD.
WideText Utf8ToUtf16(std::string_view text);
// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// How many characters of `text` code page 936 cannot hold: Utf16ToCp936 writes "?" in
// their place, or a similar character (â becomes a). A character beyond the Basic
// Multilingual Plane (two units) counts once; a "?" in the text itself is no loss.
size_t Cp936LostCharacters(std::u16string_view text);

// UTF-8 to code page 936 through UTF-16: what cannot be held becomes "?" or a similar
// character.
std::string Utf8ToCp936(std::string_view text);

// Length in bytes of the code page 936 character starting at `text[i]` (1 or 2).
inline size_t Cp936CharLength(std::string_view text, size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  return (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) ? 2 : 1;
}

}  // namespace platform
