// The captions of a parsed draft, read and resolved in one call.
#pragma once

#include <vector>

#include "core/timeline.h"
#include "json/json_node.h"

namespace core {

// The subtitles a creator sees on the timeline of the draft whose root is `root`.
std::vector<Subtitle> ExtractSubtitles(const json::JsonNode& root);

}  // namespace core
