#include "app/track_list.h"

#include <string>

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

std::vector<ui::WideText> TrackListItems(size_t shownCount,
                                         const std::vector<core::CaptionTrack>& tracks) {
  std::vector<ui::WideText> items{u"全部轨道" + Count(shownCount)};
  for (const core::CaptionTrack& track : tracks) {
    std::string number = std::to_string(track.number);
    items.push_back(u"轨道 " + ui::WideText(number.begin(), number.end()) + u"：" +
                    ui::Utf8ToUtf16(core::CaptionExcerpt(track.firstText, kExcerptLength)) +
                    Count(track.subtitleCount));
  }
  return items;
}

bool TrackListUsable(const std::vector<core::CaptionTrack>& tracks) { return tracks.size() > 1; }

std::vector<core::Subtitle> TrackListRows(const core::DraftCaptions& captions, int32_t item) {
  if (item == kAllTracksItem) return core::ShownSubtitles(captions.timeline);
  if (item < 0 || static_cast<size_t>(item) > captions.tracks.size()) return {};
  return core::SubtitlesOnTracks(captions.timeline,
                                 {captions.tracks[static_cast<size_t>(item) - 1].track});
}

}  // namespace app
