#include "ui/text_convert.h"

#include <iconv.h>

#include <cerrno>

namespace ui {
namespace {

// Runs iconv over the whole input; an input unit that cannot be converted is
// skipped and `replacement` written in its place, as the Windows functions do.
std::string Convert(const char* to, const char* from, const char* data, size_t size,
                    size_t unit, const std::string& replacement) {
  std::string out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  char* in = const_cast<char*>(data);
  size_t inLeft = size;
  char buffer[512];
  while (inLeft > 0) {
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
    out.append(buffer, static_cast<size_t>(o - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      size_t skip = inLeft < unit ? inLeft : unit;
      // A lead byte swallows its invalid trail byte, as code page 936 does on Windows.
      if (unit == 1 && inLeft >= 2 && static_cast<unsigned char>(*in) >= 0x81) skip = 2;
      in += skip;
      inLeft -= skip;
      out += replacement;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  char* o = buffer;
  size_t oLeft = sizeof buffer;
  iconv(cd, nullptr, nullptr, &o, &oLeft);
  out.append(buffer, static_cast<size_t>(o - buffer));
  iconv_close(cd);
  return out;
}

}  // namespace

WideText Cp936ToUtf16(std::string_view text) {
  if (text.empty()) return WideText();
  const char16_t question = u'?';
  std::string bytes = Convert("UTF-16LE", "CP936", text.data(), text.size(), 1,
                              std::string(reinterpret_cast<const char*>(&question), 2));
  WideText out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  }
  return out;
}

std::string Utf16ToCp936(std::u16string_view text) {
  if (text.empty()) return std::string();
  std::string bytes(text.size() * 2, '\0');
  for (size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return Convert("CP936", "UTF-16LE", bytes.data(), bytes.size(), 2, "?");
}

}  // namespace ui
