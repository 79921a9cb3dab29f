// The subtitles of a JianyingPro draft: which texts it holds, when each is shown, and
// the plain text of each, independent of any window or file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "json/json_node.h"

namespace app {

struct Subtitle {
  int64_t startUs;
  int64_t endUs;
  std::string text;  // UTF-8
};

// Every subtitle of the draft whose root is `root`, in display order: one per element
// of materials.texts. Texts linked to timeline segments by id take those segments'
// times and are ordered by start; otherwise they pair by position with the first track
// holding as many segments as there are texts (else track 0). Missing data reads as 0
// or empty text; never fails.
std::vector<Subtitle> ExtractSubtitles(const json::JsonNode& root);

// The subtitle text that a stored `content` value shows: the "text" member of a
// rich-text JSON document, the text inside older markup, or the content itself.
std::string PlainSubtitleText(std::string_view content);

// `text` without line breaks (CR LF, LF or CR) at its start and end, and with each run
// of several line breaks inside it cut to the first of the run.
std::string TidyLineBreaks(std::string_view text);

// A JSON number as a microsecond count: cut toward zero and held within -2^53..2^53;
// 0 for anything that is not a number.
int64_t MicrosecondsOf(const json::JsonNode& node);

}  // namespace app
