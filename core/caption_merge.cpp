#include "core/caption_merge.h"

#include <algorithm>
#include <numeric>

namespace core {
namespace {

int64_t Distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

}  // namespace

bool OnSameTrack(const Subtitle& a, const Subtitle& b) {
  return a.track == b.track && a.origin.nesting == b.origin.nesting &&
         (a.origin.nesting.empty() || a.origin.track == b.origin.track);
}

bool TrackBefore(const Subtitle& a, const Subtitle& b) {
  if (a.track != b.track) return a.track < b.track;
  if (a.origin.nesting != b.origin.nesting) return a.origin.nesting < b.origin.nesting;
  return !a.origin.nesting.empty() && a.origin.track < b.origin.track;
}

std::vector<std::vector<size_t>> MergedCueGroups(const std::vector<Subtitle>& subtitles) {
  std::vector<size_t> byStart(subtitles.size());
  std::iota(byStart.begin(), byStart.end(), 0);
  std::stable_sort(byStart.begin(), byStart.end(),
                   [&](size_t a, size_t b) { return subtitles[a].startUs < subtitles[b].startUs; });
  std::vector<bool> taken(subtitles.size(), false);
  std::vector<std::vector<size_t>> groups;
  for (size_t i = 0; i < byStart.size(); ++i) {
    size_t first = byStart[i];
    if (taken[first]) continue;
    taken[first] = true;
    std::vector<size_t> group{first};
    const Subtitle& lead = subtitles[first];
    // Later starts only: the list is in order of start, so the search ends at the first
    // caption that starts too late.
    for (size_t j = i + 1; j < byStart.size(); ++j) {
      const Subtitle& other = subtitles[byStart[j]];
      if (other.startUs - lead.startUs > kMergeToleranceUs) break;
      if (taken[byStart[j]] || Distance(other.endUs, lead.endUs) > kMergeToleranceUs) continue;
      bool trackInGroup = std::any_of(group.begin(), group.end(), [&](size_t member) {
        return OnSameTrack(subtitles[member], other);
      });
      if (trackInGroup) continue;
      taken[byStart[j]] = true;
      group.push_back(byStart[j]);
    }
    std::stable_sort(group.begin(), group.end(),
                     [&](size_t a, size_t b) { return TrackBefore(subtitles[a], subtitles[b]); });
    groups.push_back(std::move(group));
  }
  return groups;
}

std::vector<Subtitle> MergeTracks(const std::vector<Subtitle>& subtitles) {
  std::vector<Subtitle> merged;
  for (const std::vector<size_t>& group : MergedCueGroups(subtitles)) {
    Subtitle cue = subtitles[group.front()];
    for (size_t k = 1; k < group.size(); ++k) {
      const Subtitle& line = subtitles[group[k]];
      cue.startUs = std::min(cue.startUs, line.startUs);
      cue.endUs = std::max(cue.endUs, line.endUs);
      cue.text += "\r\n" + line.text;
    }
    merged.push_back(std::move(cue));
  }
  return merged;
}

}  // namespace core
