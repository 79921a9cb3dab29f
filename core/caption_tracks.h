// The caption tracks of a draft, as subvane-cli lists and chooses them: the tracks that
// place at least one subtitle, numbered from 1 in the draft's track order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/draft_model.h"
#include "core/timeline.h"

namespace core {

struct CaptionTrack {
  int number = 0;     // 1, 2, ... among the caption tracks
  int32_t track = 0;  // the track's index among all of the draft's tracks
  std::string name;   // the track's stored name, often empty
  size_t subtitleCount = 0;
  size_t hiddenCount = 0;  // those of them the editor hides
  std::string firstText;   // the earliest subtitle's text
};

// The caption tracks of `draft`, given its TimelineSubtitles `timeline`.
std::vector<CaptionTrack> CaptionTracksOf(const DraftModel& draft,
                                          const std::vector<Subtitle>& timeline);

// A caption's `text` (UTF-8) on one line, each line break a space, cut after `limit`
// characters with "..." added.
std::string CaptionExcerpt(const std::string& text, size_t limit);

// A draft's captions as the window offers them: every subtitle of its timeline, hidden
// ones included, and its caption tracks.
struct DraftCaptions {
  std::vector<Subtitle> timeline;
  std::vector<CaptionTrack> tracks;
};
// The TimelineSubtitles of `draft` and their CaptionTracksOf.
DraftCaptions DraftCaptionsOf(const DraftModel& draft);

// The subtitles of `timeline` placed by the tracks whose indexes `tracks` holds, in order.
std::vector<Subtitle> SubtitlesOnTracks(const std::vector<Subtitle>& timeline,
                                        const std::vector<int32_t>& tracks);

}  // namespace core
