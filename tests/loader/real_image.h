// The cJSON DLL images that the build makes, read from the files CMake names: the 32-bit
// and the 64-bit one in the Linux build, the program's own width in a Windows build.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace loader_test {

struct RealImage {
  std::string name;  // for the test's messages
  uint16_t machine;  // the machine it was built for
  uint32_t ntOffset;
  uint32_t optionalHeaderSize;
  std::vector<uint8_t> bytes;

  // Offsets from the start of the file of header fields whose place depends on the form.
  uint32_t ImageBaseField() const { return ntOffset + (Wide() ? 48 : 52); }
  uint32_t DirectoryField(uint32_t index) const {
    return ntOffset + (Wide() ? 136 : 120) + 8 * index;
  }
  uint32_t SectionHeader(uint32_t index) const {
    return ntOffset + 24 + optionalHeaderSize + 40 * index;
  }
  bool Wide() const { return machine == 0x8664; }

  // The file with its preferred base changed to `base`, written at the image's width.
  std::vector<uint8_t> PreferringBase(uint64_t base) const {
    std::vector<uint8_t> copy = bytes;
    for (uint32_t i = 0; i < (Wide() ? 8u : 4u); ++i) {
      copy[ImageBaseField() + i] = static_cast<uint8_t>(base >> (8 * i));
    }
    return copy;
  }
};

inline void AddRealImage(std::vector<RealImage>* images, const char* name, const char* path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return;
  RealImage image{name, 0, 0, 0, std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {})};
  const std::vector<uint8_t>& b = image.bytes;
  if (b.size() < 0x200) return;
  image.ntOffset = b[60] | (b[61] << 8) | (b[62] << 16) | (static_cast<uint32_t>(b[63]) << 24);
  image.machine = static_cast<uint16_t>(b[image.ntOffset + 4] | (b[image.ntOffset + 5] << 8));
  image.optionalHeaderSize = b[image.ntOffset + 20] | (b[image.ntOffset + 21] << 8);
  images->push_back(std::move(image));
}

// The images the build made, none when it had no MinGW compiler.
inline std::vector<RealImage> ReadRealImages() {
  std::vector<RealImage> images;
#ifdef SUBVANE_CJSON_DLL32_PATH
  AddRealImage(&images, "32-bit cJSON", SUBVANE_CJSON_DLL32_PATH);
#endif
#ifdef SUBVANE_CJSON_DLL64_PATH
  AddRealImage(&images, "64-bit cJSON", SUBVANE_CJSON_DLL64_PATH);
#endif
  return images;
}

}  // namespace loader_test

#define SKIP_WITHOUT_REAL_IMAGES(images) \
  if (!(images).empty()) {               \
  } else                                 \
    GTEST_SKIP() << "no cJSON DLL was built (no MinGW compiler)"
