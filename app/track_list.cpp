#include "app/track_list.h"

#include <string>

#include "core/caption_merge.h"

namespace app {
namespace {

// Characters of a first caption that an item shows: enough to tell the languages apart
// in a list of a few hundred pixels.
constexpr size_t kExcerptLength = 20;

ui::WideText Count(size_t count) {
  std::string digits = std::to_string(count);
  return u"（" + ui::WideText(digits.begin(), digits.end()) + u" 条）";
}

}  // namespace

std::vector<ui::WideText> TrackListItems(size_t shownCount, size_t mergedCount,
                                         const std::vector<core::CaptionTrack>& tracks) {
  std::vector<ui::WideText> items{u"全部轨道" + Count(shownCount)};
  if (TrackListUsable(tracks)) items.push_back(u"全部轨道合并为双语" + Count(mergedCount));
  for (const core::CaptionTrack& track : tracks) {
    std::string number = std::to_string(track.number);
    items.push_back(u"轨道 " + ui::WideText(number.begin(), number.end()) + u"：" +
                    ui::Utf8ToUtf16(core::CaptionExcerpt(track.firstText, kExcerptLength)) +
                    Count(track.subtitleCount));
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
