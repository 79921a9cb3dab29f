// Moving subtitles along the timeline, as when a video is cut or padded at its start.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/srt_text.h"

namespace core {

// A subtitle's start and end, in microseconds.
struct TimeSpan {
  int64_t startUs = 0;
  int64_t endUs = 0;
};

// `span` moved by `offsetUs` (negative: earlier), each end held within int64_t instead
// of overflowing; nothing is clamped at 0. Both programs move times with this one rule.
TimeSpan ShiftTimeSpan(TimeSpan span, int64_t offsetUs);

// `subtitles` moved by `offsetUs` (negative: earlier). One that would start before 0
// starts at 0; one that would end at or before 0 has nothing left and is dropped.
std::vector<Subtitle> ShiftSubtitles(std::vector<Subtitle> subtitles, int64_t offsetUs);

// Reads a shift typed as seconds: an optional sign, digits, optionally a full stop and
// more digits ("2", "-1.5", "+0.04", ".5"), rounded to the microsecond; at most a
// century either way. False, leaving `microseconds` untouched, for any other text.
bool ParseShiftSeconds(std::string_view text, int64_t& microseconds);

}  // namespace core
