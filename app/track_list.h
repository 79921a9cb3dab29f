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
// The second item where there is a choice: every track, captions of one time merged.
constexpr int32_t kMergedTracksItem = 1;

// In the window's language: "全部轨道（N 条）" with the `shownCount` rows of all tracks;
// with more than one track "全部轨道合并为双语（N 条）" with the `mergedCount` rows of
// merged cues; then one item per caption track as subvane-cli numbers them:
// "轨道 1：<its first caption, cut>（N 条）".
std::vector<ui::WideText> TrackListItems(size_t shownCount, size_t mergedCount,
                                         const std::vector<core::CaptionTrack>& tracks);

// Is there a choice to make: more than one caption track?
bool TrackListUsable(const std::vector<core::CaptionTrack>& tracks);

// The rows that item `item` stands for, each row's captions in track order: the subtitles
// shown on the timeline for all tracks, one a row; those merged as --merge-tracks merges
// them; else the subtitles of that track alone, as `--track` writes them. Empty for an
// item the list does not have.
std::vector<std::vector<core::Subtitle>> TrackListRowCaptions(const core::DraftCaptions& captions,
                                                              int32_t item);

// The rows of item `item` as the table shows them: each row's captions in one subtitle,
// their texts one below the other.
std::vector<core::Subtitle> TrackListRows(const core::DraftCaptions& captions, int32_t item);

}  // namespace app
