#include "core/time_shift.h"

#include <limits>

namespace core {
namespace {

constexpr int64_t kMaxShiftSeconds = 100LL * 366 * 24 * 3600;

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

TimeSpan ShiftTimeSpan(TimeSpan span, int64_t offsetUs) {
  return {SaturatingAdd(span.startUs, offsetUs), SaturatingAdd(span.endUs, offsetUs)};
}

std::vector<Subtitle> ShiftSubtitles(std::vector<Subtitle> subtitles, int64_t offsetUs) {
  if (offsetUs == 0) return subtitles;
  std::vector<Subtitle> shifted;
  shifted.reserve(subtitles.size());
  for (Subtitle& subtitle : subtitles) {
    TimeSpan span = ShiftTimeSpan({subtitle.startUs, subtitle.endUs}, offsetUs);
    if (span.endUs <= 0) continue;
    subtitle.startUs = span.startUs < 0 ? 0 : span.startUs;
    subtitle.endUs = span.endUs;
    shifted.push_back(std::move(subtitle));
  }
  return shifted;
}

bool ParseShiftSeconds(std::string_view text, int64_t& microseconds) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t seconds = 0;
  int64_t fraction = 0;  // microseconds
  int wholeDigits = 0;
  int fractionDigits = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++wholeDigits) {
    if (seconds > kMaxShiftSeconds) return false;
    seconds = seconds * 10 + (text[i] - '0');
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    int64_t scale = 100000;
    bool roundUp = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++fractionDigits) {
      if (scale > 0) {
        fraction += (text[i] - '0') * scale;
        scale /= 10;
      } else if (fractionDigits == 6) {
        roundUp = text[i] >= '5';
      }
    }
    if (roundUp) ++fraction;
  }
  if (i != text.size() || wholeDigits + fractionDigits == 0 || seconds > kMaxShiftSeconds) {
    return false;
  }
  microseconds = seconds * 1000000 + fraction;
  if (negative) microseconds = -microseconds;
  return true;
}

}  // namespace core
