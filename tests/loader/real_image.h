// The cJSON DLL image that the build makes, read from the file CMake names.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace loader_test {

// The DLL's bytes, or nothing when the build made no DLL.
inline std::vector<uint8_t> ReadRealImage() {
#ifdef SUBVANE_CJSON_DLL_PATH
  std::ifstream file(SUBVANE_CJSON_DLL_PATH, std::ios::binary);
  if (file) return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
#endif
  return {};
}

}  // namespace loader_test

#define SKIP_WITHOUT_REAL_IMAGE(bytes) \
  if (!(bytes).empty()) {                                                  \
  } else                                                                   \
    GTEST_SKIP() << "no cJSON DLL was built (no MinGW compiler)"
