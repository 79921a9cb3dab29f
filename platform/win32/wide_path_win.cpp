#include "platform/long_path.h"
#include "platform/win32/wide_path.h"

namespace platform {

std::wstring WideSystemPath(const std::wstring& path) {
  std::u16string extended = ExtendedLengthPath(std::u16string(path.begin(), path.end()));
  return std::wstring(extended.begin(), extended.end());
}

}  // namespace platform
