// Advanced SubStation Alpha (v4+) text: captions with their look, for players and
// programs that draw subtitles as the editor placed them (libass, VSFilter, Aegisub).
#pragma once

#include <string>
#include <vector>

#include "core/caption_look.h"
#include "core/caption_tracks.h"
#include "core/draft_model.h"
#include "core/timeline.h"

namespace core {

// One caption as the file shows it: its times and text (UTF-8, CR LF between lines) and
// the look it has in the draft.
struct AssCaption {
  Subtitle subtitle;
  CaptionLook look;
};

// One event: a caption, or captions of one time on several tracks (MergedCueGroups),
// each line in its own style, stacked at the first one's place.
using AssCue = std::vector<AssCaption>;

// H:MM:SS.cc for a count of microseconds, to the nearest hundredth; 0 for negatives.
std::string AssTimestampText(int64_t microseconds);

// The font size in the file's pixels of `size` in the editor's units on `canvas`.
double AssFontPixels(double size, CanvasSize canvas);

// The whole file, byte-order mark first: PlayResX/PlayResY the canvas, one style for each
// distinct look on a track (named "Track<N>-<k>" after `tracks`' numbers, N the track's
// index + 1 where `tracks` does not list it), one Dialogue a cue, its layer its track's
// place in track order (TrackBefore) so that later tracks are drawn above. A caption's { } and
// \ never open an override: they show as they are.
std::string AssText(const std::vector<AssCue>& cues, CanvasSize canvas,
                    const std::vector<CaptionTrack>& tracks);

// The cues of `subtitles` of `draft` with their looks: one a subtitle, or with `merge`
// one a group of MergedCueGroups.
std::vector<AssCue> AssCuesOf(const DraftModel& draft, const std::vector<Subtitle>& subtitles,
                              bool merge);

}  // namespace core
