// The captions of a parsed draft, read and resolved in one call.
#pragma once

#include <vector>

#include "core/caption_tracks.h"
#include "core/timeline.h"
#include "json/json_node.h"

namespace core {

// The subtitles a creator sees on the timeline of the draft whose root is `root`.
std::vector<Subtitle> ExtractSubtitles(const json::JsonNode& root);

// A draft's captions as the window offers them: every subtitle of its timeline, hidden
// ones included, and its caption tracks numbered as subvane-cli numbers them.
struct DraftCaptions {
  std::vector<Subtitle> timeline;
  std::vector<CaptionTrack> tracks;
};
DraftCaptions ExtractCaptions(const json::JsonNode& root);

}  // namespace core
