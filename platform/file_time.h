// When a file was last written.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A key that orders times, and the local time as "YYYY-MM-DD HH:MM".
struct FileTime {
  int64_t sortKey = 0;
  std::string localText;
};

}  // namespace platform
