// Moving subtitles along the timeline, as when a video is cut or padded at its start.
#pragma once

#include <cstdint>
#include <vector>

#include "core/srt_text.h"

namespace core {

// `subtitles` moved by `offsetUs` (negative: earlier). One that would start before 0
// starts at 0; one that would end at or before 0 has nothing left and is dropped.
std::vector<Subtitle> ShiftSubtitles(std::vector<Subtitle> subtitles, int64_t offsetUs);

}  // namespace core
