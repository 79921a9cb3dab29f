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

// The lead-byte rule, decided here for every caller: code page 936 starts a two-byte
// character with a byte from 0x81 to 0xFE (what IsDBCSLeadByteEx(936, b) answers); 0x80,
// the euro sign, and 0xFF stand alone. Every walk over a code page 936 text (paths,
// filters, window templates, file names) uses it. One caller needs another: the text
// commands' search is defined to take any byte with its top bit set for a lead byte, and
// its answers are byte positions, so it keeps that rule (IsTextCommandLeadByte). The two
// differ only for 0x80 and 0xFF.
inline bool IsCp936LeadByte(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 0x81 && byte <= 0xFE;
}
inline bool IsTextCommandLeadByte(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

// Length in bytes of the code page 936 character starting at `text[i]` (1 or 2): 2 for
// a lead byte with a byte after it.
inline size_t Cp936CharLength(std::string_view text, size_t i) {
  return (IsCp936LeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
}

// The UTF-8 byte-order mark, which a UTF-8 file may start with.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
inline bool StartsWithUtf8ByteOrderMark(std::string_view bytes) {
  return bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
}

}  // namespace platform
