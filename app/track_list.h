// The caption-track list beside the table: its items and the rows each one stands for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/caption_tracks.h"
#include "ui/text_convert.h"

namespace app {

// The first item: every track, the table as a parse fills it.
constexpr int32_t kAllTracksItem = 0;

// "全部轨道（N 条）" with the `shownCount` rows of all tracks, then one item per caption
// track as subvane-cli numbers them: "轨道 1：<its first caption, cut>（N 条）".
std::vector<ui::WideText> TrackListItems(size_t shownCount,
                                         const std::vector<core::CaptionTrack>& tracks);

// Is there a choice to make: more than one caption track?
bool TrackListUsable(const std::vector<core::CaptionTrack>& tracks);

// The rows that item `item` stands for: the subtitles shown on the timeline for all
// tracks, else the subtitles of that track alone, as `--track` writes them. Empty for
// an item the list does not have.
std::vector<core::Subtitle> TrackListRows(const core::DraftCaptions& captions, int32_t item);

}  // namespace app
