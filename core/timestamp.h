// The SRT form of a point on the timeline.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// HH:MM:SS,mmm for a count of microseconds, rounded to the nearest millisecond (halves
// up); hours take more digits when needed; negative counts give 00:00:00,000.
std::string TimestampText(int64_t microseconds);

// TimestampText(start) + " --> " + TimestampText(end): one subtitle's time cell.
std::string TimeRangeText(int64_t startUs, int64_t endUs);

// Reads a time cell back: "HH:MM:SS,mmm --> HH:MM:SS,mmm" (a full stop may stand for
// the comma, spaces may surround the parts, hours take one digit or more), into
// microseconds. False, leaving both untouched, for any other text and for an end
// before its start.
bool ParseTimeRange(std::string_view text, int64_t& startUs, int64_t& endUs);

}  // namespace core
