#include "platform/system_path.h"
#include "platform/text_encoding.h"

namespace platform {

std::string CorePathOf(const std::string& windowPath) {
  return Utf16ToUtf8(Cp936ToUtf16(windowPath));
}

bool WindowPathOf(const std::string& corePath, std::string& windowPath) {
  WideText wide = Utf8ToUtf16(corePath);
  if (Cp936LostCharacters(wide) != 0) return false;
  windowPath = Utf16ToCp936(wide);
  return true;
}

}  // namespace platform
