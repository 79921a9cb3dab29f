#include "core/subtitles.h"

#include "core/draft_reader.h"

namespace core {

std::vector<Subtitle> ExtractSubtitles(const json::JsonNode& root) {
  return SubtitlesOf(ReadDraftModel(root));
}

}  // namespace core
