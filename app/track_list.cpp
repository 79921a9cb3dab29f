#include "app/track_list.h"

#include <string>

#include "core/caption_merge.h"
#include "language/catalogue.h"

namespace app {
namespace {

// Characters of a first caption that an item shows: enough to tell the languages apart
// in a list of a few hundred pixels.
constexpr size_t kExcerptLength = 20;

ui::WideText Number(size_t count) { return language::NumberText(static_cast<int64_t>(count)); }

}  // namespace

std::vector<ui::WideText> TrackListItems(size_t shownCount, size_t mergedCount,
                                         const std::vector<core::CaptionTrack>& tracks) {
  using language::TextId;
  std::vector<ui::WideText> items{language::Text(TextId::kTrackListAll, {Number(shownCount)})};
  if (TrackListUsable(tracks))
    items.push_back(language::Text(TextId::kTrackListMerged, {Number(mergedCount)}));
  for (const core::CaptionTrack& track : tracks) {
    items.push_back(
        language::Text(TextId::kTrackListTrack,
                       {Number(static_cast<size_t>(track.number)),
                        ui::Utf8ToUtf16(core::CaptionExcerpt(track.firstText, kExcerptLength)),
                        Number(track.subtitleCount)}));
  }
  return items;
}

bool TrackListUsable(const std::vector<core::CaptionTrack>& tracks) { return tracks.size() > 1; }

std::vector<std::vector<core::Subtitle>> TrackListRowCaptions(const core::DraftCaptions& captions,
                                                              int32_t item) {
  std::vector<std::vector<core::Subtitle>> rows;
  std::vector<core::Subtitle> subtitles;
  bool merged = TrackListUsable(captions.tracks);
  if (item == kAllTracksItem || (merged && item == kMergedTracksItem)) {
    subtitles = core::ShownSubtitles(captions.timeline);
  } else {
    size_t track = static_cast<size_t>(item) - (merged ? 1 : 0);
    if (item < 0 || track > captions.tracks.size()) return rows;
    subtitles = core::SubtitlesOnTracks(captions.timeline, {captions.tracks[track - 1].track});
  }
  if (merged && item == kMergedTracksItem) {
    for (const std::vector<size_t>& group : core::MergedCueGroups(subtitles)) {
      rows.emplace_back();
      for (size_t index : group) rows.back().push_back(subtitles[index]);
    }
    return rows;
  }
  for (core::Subtitle& subtitle : subtitles) rows.push_back({std::move(subtitle)});
  return rows;
}

std::vector<core::Subtitle> TrackListRows(const core::DraftCaptions& captions, int32_t item) {
  if (TrackListUsable(captions.tracks) && item == kMergedTracksItem)
    return core::MergeTracks(core::ShownSubtitles(captions.timeline));
  std::vector<core::Subtitle> rows;
  for (std::vector<core::Subtitle>& row : TrackListRowCaptions(captions, item))
    rows.push_back(std::move(row.front()));
  return rows;
}

}  // namespace app
