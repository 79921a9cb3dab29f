#include "platform/posix/kernel32_standin.h"
#include "platform/text_encoding.h"

namespace platform {

// The stand-in kernel32 gives Windows' own results, best-fit mappings, default
// characters and replacement characters included, so both builds convert alike.
namespace {

WideText ToWide(uint32_t codePage, std::string_view text) {
  if (text.empty()) return WideText();
  int size = static_cast<int>(text.size());
  int n = standin::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (n <= 0) return WideText();
  WideText out(static_cast<size_t>(n), u'\0');
  standin::MultiByteToWideChar(codePage, 0, text.data(), size, reinterpret_cast<uint16_t*>(&out[0]),
                               n);
  return out;
}

std::string FromWide(uint32_t codePage, std::u16string_view text) {
  if (text.empty()) return std::string();
  const auto* units = reinterpret_cast<const uint16_t*>(text.data());
  int size = static_cast<int>(text.size());
  int n = standin::WideCharToMultiByte(codePage, 0, units, size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  standin::WideCharToMultiByte(codePage, 0, units, size, &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace

WideText Cp936ToUtf16(std::string_view text) { return ToWide(standin::kCodePageGbk, text); }

std::string Utf16ToCp936(std::u16string_view text) { return FromWide(standin::kCodePageGbk, text); }

WideText Utf8ToUtf16(std::string_view text) { return ToWide(standin::kCodePageUtf8, text); }

std::string Utf16ToUtf8(std::u16string_view text) { return FromWide(standin::kCodePageUtf8, text); }

}  // namespace platform
