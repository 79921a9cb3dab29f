// The captions of a draft as the editor's timeline shows them: one subtitle for each
// segment that places a text or a text template, compound clips mapped onto the outer
// time, hidden tracks left out while anything visible remains.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/draft_model.h"

namespace core {

// Where the draft holds a subtitle, for finding its look (core/caption_look.h).
struct SubtitleOrigin {
  std::vector<uint32_t> nesting;  // the nested drafts that lead to it, outermost first
  int32_t track = -1;             // in the innermost draft: the track that places it,
  int32_t segment = -1;           // its segment there (-1: none),
  int32_t text = -1;              // its text material (a template's first text; -1: none)
};

struct Subtitle {
  int64_t startUs = 0;
  int64_t endUs = 0;
  std::string text;   // UTF-8, plain, every line break CR LF
  int32_t track = 0;  // index of the outer track that places it
  bool hidden = false;
  SubtitleOrigin origin = {};
};

// Every non-empty subtitle of the draft, hidden ones included, ordered by start (equal
// starts in walk order: track order, then segment order).
std::vector<Subtitle> TimelineSubtitles(const DraftModel& draft);

// The subtitles a creator sees: hidden ones are dropped unless every one is hidden.
std::vector<Subtitle> ShownSubtitles(std::vector<Subtitle> subtitles);

// ShownSubtitles(TimelineSubtitles(draft)).
std::vector<Subtitle> SubtitlesOf(const DraftModel& draft);

}  // namespace core
