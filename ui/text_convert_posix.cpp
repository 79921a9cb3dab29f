#include "ui/text_convert.h"

#include "platform/posix/kernel32_standin.h"

namespace ui {

// The stand-in kernel32 gives Windows' own code page 936 results, best-fit mappings and
// default characters included, so both builds convert alike.
WideText Cp936ToUtf16(std::string_view text) {
  if (text.empty()) return WideText();
  int size = static_cast<int>(text.size());
  int n = platform::standin::MultiByteToWideChar(936, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return WideText();
  WideText out(static_cast<size_t>(n), u'\0');
  platform::standin::MultiByteToWideChar(936, 0, text.data(), size,
                                         reinterpret_cast<uint16_t*>(&out[0]), n);
  return out;
}

std::string Utf16ToCp936(std::u16string_view text) {
  if (text.empty()) return std::string();
  const auto* units = reinterpret_cast<const uint16_t*>(text.data());
  int size = static_cast<int>(text.size());
  int n = platform::standin::WideCharToMultiByte(936, 0, units, size, nullptr, 0, nullptr,
                                                 nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  platform::standin::WideCharToMultiByte(936, 0, units, size, &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace ui
