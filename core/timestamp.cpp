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

constexpr int kMaxHourDigits = 9;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void SkipSpaces(std::string_view text, size_t& at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
}

// Reads exactly `count` digits (at least `count` and at most `most` when `most` is
// larger) at `at`.
bool ReadDigits(std::string_view text, size_t& at, int count, int most, uint64_t& value) {
  value = 0;
  int read = 0;
  while (at < text.size() && IsDigit(text[at]) && read < most) {
    value = value * 10 + static_cast<uint64_t>(text[at++] - '0');
    ++read;
  }
  return read >= count && !(at < text.size() && IsDigit(text[at]));
}

// One time point, HH:MM:SS,mmm, at `at`.
bool ReadTimestamp(std::string_view text, size_t& at, int64_t& microseconds) {
  uint64_t hours = 0, minutes = 0, seconds = 0, milliseconds = 0;
  if (!ReadDigits(text, at, 1, kMaxHourDigits, hours)) return false;
  if (at >= text.size() || text[at++] != ':') return false;
  if (!ReadDigits(text, at, 2, 2, minutes) || minutes > 59) return false;
  if (at >= text.size() || text[at++] != ':') return false;
  if (!ReadDigits(text, at, 2, 2, seconds) || seconds > 59) return false;
  if (at >= text.size() || (text[at] != ',' && text[at] != '.')) return false;
  ++at;
  if (!ReadDigits(text, at, 3, 3, milliseconds)) return false;
  microseconds =
      static_cast<int64_t>(((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds) * 1000;
  return true;
}

}  // namespace

bool ParseTimeRange(std::string_view text, int64_t& startUs, int64_t& endUs) {
  size_t at = 0;
  int64_t start = 0, end = 0;
  SkipSpaces(text, at);
  if (!ReadTimestamp(text, at, start)) return false;
  SkipSpaces(text, at);
  if (text.substr(at, 3) != "-->") return false;
  at += 3;
  SkipSpaces(text, at);
  if (!ReadTimestamp(text, at, end)) return false;
  SkipSpaces(text, at);
  if (at != text.size() || end < start) return false;
  startUs = start;
  endUs = end;
  return true;
}

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
