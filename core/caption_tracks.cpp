#include "core/caption_tracks.h"

#include <algorithm>

namespace core {

std::vector<CaptionTrack> CaptionTracksOf(const DraftModel& draft,
                                          const std::vector<Subtitle>& timeline) {
  std::vector<CaptionTrack> byIndex(draft.tracks.size());
  for (const Subtitle& subtitle : timeline) {
    if (subtitle.track < 0 || static_cast<size_t>(subtitle.track) >= byIndex.size()) continue;
    CaptionTrack& track = byIndex[static_cast<size_t>(subtitle.track)];
    if (track.subtitleCount++ == 0) track.firstText = subtitle.text;
    if (subtitle.hidden) ++track.hiddenCount;
  }
  std::vector<CaptionTrack> tracks;
  for (size_t i = 0; i < byIndex.size(); ++i) {
    if (byIndex[i].subtitleCount == 0) continue;
    CaptionTrack track = std::move(byIndex[i]);
    track.number = static_cast<int>(tracks.size()) + 1;
    track.track = static_cast<int32_t>(i);
    track.name = draft.tracks[i].name;
    tracks.push_back(std::move(track));
  }
  return tracks;
}

std::string CaptionExcerpt(const std::string& text, size_t limit) {
  std::string line;
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      c = ' ';
    }
    bool startsCharacter = (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (startsCharacter && ++characters > limit) {
      line.append("...");
      break;
    }
    line.push_back(c);
  }
  return line;
}

DraftCaptions DraftCaptionsOf(const DraftModel& draft) {
  DraftCaptions captions;
  captions.timeline = TimelineSubtitles(draft);
  captions.tracks = CaptionTracksOf(draft, captions.timeline);
  return captions;
}

std::vector<Subtitle> SubtitlesOnTracks(const std::vector<Subtitle>& timeline,
                                        const std::vector<int32_t>& tracks) {
  std::vector<Subtitle> chosen;
  for (const Subtitle& subtitle : timeline) {
    if (std::find(tracks.begin(), tracks.end(), subtitle.track) != tracks.end()) {
      chosen.push_back(subtitle);
    }
  }
  return chosen;
}

}  // namespace core
