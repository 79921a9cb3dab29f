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
