#include "platform/text_encoding.h"

namespace platform {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// True when the text comes back unchanged from code page 936.
bool Cp936Holds(std::u16string_view text) { return Cp936ToUtf16(Utf16ToCp936(text)) == text; }

}  // namespace

std::string Utf8ToCp936(std::string_view text) { return Utf16ToCp936(Utf8ToUtf16(text)); }

size_t Cp936LostCharacters(std::u16string_view text) {
  // Most texts lose nothing, which one round trip shows.
  if (Cp936Holds(text)) return 0;
  size_t lost = 0;
  for (size_t i = 0; i < text.size();) {
    size_t units = 1;
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) units = 2;
    if (text[i] >= 0x80 && !Cp936Holds(text.substr(i, units))) lost++;
    i += units;
  }
  return lost;
}

}  // namespace platform
