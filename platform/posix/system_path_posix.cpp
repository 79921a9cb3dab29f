#include "platform/system_path.h"

namespace platform {

std::string CorePathOf(const std::string& windowPath) { return windowPath; }

bool WindowPathOf(const std::string& corePath, std::string& windowPath) {
  windowPath = corePath;
  return true;
}

}  // namespace platform
