// The captions of a draft as the editor's timeline shows them: one subtitle for each
// segment that places a text or a text template, compound clips mapped onto the outer
// time, hidden tracks left out while anything visible remains.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/draft_model.h"

namespace core {

struct Subtitle {
  int64_t startUs = 0;
  int64_t endUs = 0;
  std::string text;   // UTF-8, plain, every line break CR LF
  int32_t track = 0;  // index of the outer track that places it
  bool hidden = false;
};

// Every non-empty subtitle of the draft, hidden ones included, ordered by start (equal
// starts in walk order: track order, then segment order).
std::vector<Subtitle> TimelineSubtitles(const DraftModel& draft);

// The subtitles a creator sees: hidden ones are dropped unless every one is hidden.
std::vector<Subtitle> ShownSubtitles(std::vector<Subtitle> subtitles);

// ShownSubtitles(TimelineSubtitles(draft)).
std::vector<Subtitle> SubtitlesOf(const DraftModel& draft);

}  // namespace core
