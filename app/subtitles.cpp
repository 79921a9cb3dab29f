#include "app/subtitles.h"

#include "app/draft_reader.h"

namespace app {

std::vector<Subtitle> ExtractSubtitles(const json::JsonNode& root) {
  return SubtitlesOf(ReadDraftModel(root));
}

}  // namespace app
