#include "core/timestamp.h"

namespace core {
namespace {

// Appends `value` in decimal, zero-padded to at least `width` digits.
void AppendPadded(std::string& text, uint64_t value, int width) {
  char digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (int i = count; i < width; ++i) text.push_back('0');
  while (count > 0) text.push_back(digits[--count]);
}

}  // namespace

std::string TimestampText(int64_t microseconds) {
  if (microseconds < 0) return "00:00:00,000";
  // Unsigned arithmetic: adding the half millisecond cannot overflow.
  uint64_t ms = (static_cast<uint64_t>(microseconds) + 500) / 1000;
  uint64_t secs = ms / 1000;
  std::string text;
  text.reserve(16);
  AppendPadded(text, secs / 3600, 2);
  text.push_back(':');
  AppendPadded(text, secs % 3600 / 60, 2);
  text.push_back(':');
  AppendPadded(text, secs % 60, 2);
  text.push_back(',');
  AppendPadded(text, ms % 1000, 3);
  return text;
}

std::string TimeRangeText(int64_t startUs, int64_t endUs) {
  return TimestampText(startUs) + " --> " + TimestampText(endUs);
}

}  // namespace core
