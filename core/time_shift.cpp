#include "core/time_shift.h"

#include <limits>

namespace core {
namespace {

// a + b held within int64_t instead of overflowing.
int64_t SaturatingAdd(int64_t a, int64_t b) {
  if (b > 0 && a > std::numeric_limits<int64_t>::max() - b) {
    return std::numeric_limits<int64_t>::max();
  }
  if (b < 0 && a < std::numeric_limits<int64_t>::min() - b) {
    return std::numeric_limits<int64_t>::min();
  }
  return a + b;
}

}  // namespace

std::vector<Subtitle> ShiftSubtitles(std::vector<Subtitle> subtitles, int64_t offsetUs) {
  if (offsetUs == 0) return subtitles;
  std::vector<Subtitle> shifted;
  shifted.reserve(subtitles.size());
  for (Subtitle& subtitle : subtitles) {
    subtitle.startUs = SaturatingAdd(subtitle.startUs, offsetUs);
    subtitle.endUs = SaturatingAdd(subtitle.endUs, offsetUs);
    if (subtitle.endUs <= 0) continue;
    if (subtitle.startUs < 0) subtitle.startUs = 0;
    shifted.push_back(std::move(subtitle));
  }
  return shifted;
}

}  // namespace core
