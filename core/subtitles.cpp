#include "core/subtitles.h"

#include "core/draft_reader.h"

namespace core {

std::vector<Subtitle> ExtractSubtitles(const json::JsonNode& root) {
  return SubtitlesOf(ReadDraftModel(root));
}

DraftCaptions ExtractCaptions(const json::JsonNode& root) {
  DraftModel draft = ReadDraftModel(root);
  DraftCaptions captions;
  captions.timeline = TimelineSubtitles(draft);
  captions.tracks = CaptionTracksOf(draft, captions.timeline);
  return captions;
}

}  // namespace core
