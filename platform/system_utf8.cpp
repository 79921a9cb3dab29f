#include "platform/system_utf8.h"

#include <new>

namespace platform {

ReadResult ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason,
                         size_t spareCapacity) {
  try {
    return ReadWholeFileOrThrow(path, bytes, reason, spareCapacity);
  } catch (const std::bad_alloc&) {
    std::string().swap(bytes);
    reason = "not enough memory";
    return ReadResult::kTooLarge;
  }
}

}  // namespace platform
