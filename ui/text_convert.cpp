#include "ui/text_convert.h"

namespace ui {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

size_t Cp936LostCharacters(std::u16string_view text) {
  // Most texts lose nothing: one conversion shows that, by the count of "?" it gives
  // ("?" never ends a double-byte character of code page 936).
  size_t asked = 0;
  for (char16_t unit : text) asked += unit == u'?';
  size_t written = 0;
  for (char c : Utf16ToCp936(text)) written += c == '?';
  if (written == asked) return 0;

  size_t lost = 0;
  for (size_t i = 0; i < text.size();) {
    size_t units = 1;
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) units = 2;
    if (text[i] >= 0x80 && Utf16ToCp936(text.substr(i, units)).find('?') != std::string::npos)
      lost++;
    i += units;
  }
  return lost;
}

}  // namespace ui
