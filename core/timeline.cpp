#include "core/timeline.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/caption_text.h"

namespace core {
namespace {

constexpr int64_t kHiddenTrackBit = 2;
constexpr double kMappedLimit = 4611686018427387904.0;  // 2^62: far beyond any timeline

// Where a segment's material_id or reference leads.
struct Target {
  enum Kind { kText, kTextTemplate, kNestedDraft } kind;
  size_t index;
};

// One draft's materials by id, and the plain text of each text, made once however many
// segments place it.
class Materials {
 public:
  explicit Materials(const DraftModel& draft) : draft_(draft), plain_(draft.texts.size()) {
    // The first element with an id counts; ids are compared byte for byte.
    byId_.reserve(draft.texts.size() + draft.textTemplates.size() + draft.drafts.size());
    for (size_t i = 0; i < draft.texts.size(); ++i) Add(draft.texts[i].id, {Target::kText, i});
    for (size_t i = 0; i < draft.textTemplates.size(); ++i) {
      Add(draft.textTemplates[i].id, {Target::kTextTemplate, i});
    }
    for (size_t i = 0; i < draft.drafts.size(); ++i) {
      Add(draft.drafts[i].id, {Target::kNestedDraft, i});
    }
  }

  const Target* Find(const std::string& id) const {
    if (id.empty()) return nullptr;
    auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : &found->second;
  }

  const std::string& PlainText(size_t text) {
    if (!plain_[text]) plain_[text] = CaptionTextOf(draft_.texts[text]);
    return *plain_[text];
  }

  // The texts a template shows, one per line, empty ones skipped; `first` the index of
  // the first shown one.
  std::string TemplateText(size_t textTemplate, int32_t& first) {
    std::string joined;
    for (const std::string& id : draft_.textTemplates[textTemplate].textIds) {
      const Target* target = Find(id);
      if (!target || target->kind != Target::kText) continue;
      const std::string& text = PlainText(target->index);
      if (text.empty()) continue;
      if (!joined.empty()) joined += "\r\n";
      if (joined.empty()) first = static_cast<int32_t>(target->index);
      joined += text;
    }
    return joined;
  }

 private:
  void Add(const std::string& id, Target target) {
    if (!id.empty()) byId_.emplace(id, target);
  }

  const DraftModel& draft_;
  std::unordered_map<std::string_view, Target> byId_;
  std::vector<std::optional<std::string>> plain_;
};

bool IsHidden(const DraftTrack& track, const DraftSegment& segment) {
  return (track.attribute & kHiddenTrackBit) != 0 || !segment.visible;
}

// A time of a compound clip's own timeline on the timeline around it.
int64_t MapNestedTime(int64_t time, const DraftSegment& clip) {
  double speed = clip.speed > 0 ? clip.speed : 1.0;
  double offset = static_cast<double>(time - clip.sourceStart) / speed;
  offset = std::clamp(offset, -kMappedLimit, kMappedLimit);
  return clip.targetStart + static_cast<int64_t>(offset);  // cut toward zero
}

bool CollectDraft(const DraftModel& draft, int depth, std::vector<Subtitle>& out);

// The subtitles of a compound clip, mapped onto the clip's place and cut to it.
void CollectNested(const DraftModel& nested, uint32_t nestedIndex, const DraftSegment& clip,
                   int32_t track, bool hidden, int depth, std::vector<Subtitle>& out) {
  std::vector<Subtitle> inner;
  CollectDraft(nested, depth + 1, inner);
  int64_t clipEnd = clip.targetStart + clip.targetDuration;
  for (Subtitle& subtitle : inner) {
    subtitle.startUs = std::max(MapNestedTime(subtitle.startUs, clip), clip.targetStart);
    subtitle.endUs = std::min(MapNestedTime(subtitle.endUs, clip), clipEnd);
    if (subtitle.endUs <= subtitle.startUs) continue;
    subtitle.track = track;
    subtitle.hidden = subtitle.hidden || hidden;
    subtitle.origin.nesting.insert(subtitle.origin.nesting.begin(), nestedIndex);
    out.push_back(std::move(subtitle));
  }
}

// Texts without ids can only be paired with times by position: the first track with as
// many segments as there are texts (else track 0), segment i giving text i its times.
void CollectByPosition(const DraftModel& draft, std::vector<Subtitle>& out) {
  size_t chosen = 0;
  for (size_t k = 0; k < draft.tracks.size(); ++k) {
    if (draft.tracks[k].segments.size() == draft.texts.size()) {
      chosen = k;
      break;
    }
  }
  static const std::vector<DraftSegment> kNoSegments;
  const std::vector<DraftSegment>& segments =
      chosen < draft.tracks.size() ? draft.tracks[chosen].segments : kNoSegments;
  for (size_t i = 0; i < draft.texts.size(); ++i) {
    Subtitle subtitle;
    subtitle.text = CaptionTextOf(draft.texts[i]);
    if (subtitle.text.empty()) continue;
    if (i < segments.size()) {
      subtitle.startUs = segments[i].targetStart;
      subtitle.endUs = segments[i].targetStart + segments[i].targetDuration;
      subtitle.origin.segment = static_cast<int32_t>(i);
    }
    subtitle.track = static_cast<int32_t>(chosen);
    subtitle.origin.track = static_cast<int32_t>(chosen);
    subtitle.origin.text = static_cast<int32_t>(i);
    out.push_back(std::move(subtitle));
  }
}

bool TextsCarryNoId(const DraftModel& draft) {
  if (draft.texts.empty()) return false;
  return std::none_of(draft.texts.begin(), draft.texts.end(),
                      [](const DraftText& text) { return !text.id.empty(); });
}

// Every subtitle of `draft` in walk order: tracks as stored, segments as stored, a
// compound clip's subtitles in its place. True when its texts were paired by position
// instead, in the order of the texts.
bool CollectDraft(const DraftModel& draft, int depth, std::vector<Subtitle>& out) {
  if (TextsCarryNoId(draft)) {
    CollectByPosition(draft, out);
    return true;
  }
  Materials materials(draft);
  for (size_t k = 0; k < draft.tracks.size(); ++k) {
    const DraftTrack& track = draft.tracks[k];
    for (size_t n = 0; n < track.segments.size(); ++n) {
      const DraftSegment& segment = track.segments[n];
      bool hidden = IsHidden(track, segment);
      const Target* target = materials.Find(segment.materialId);
      if (target && target->kind != Target::kNestedDraft) {
        Subtitle subtitle;
        subtitle.startUs = segment.targetStart;
        // Both terms lie within +-2^53, so the sum cannot overflow.
        subtitle.endUs = segment.targetStart + segment.targetDuration;
        if (target->kind == Target::kText) {
          subtitle.text = materials.PlainText(target->index);
          subtitle.origin.text = static_cast<int32_t>(target->index);
        } else {
          subtitle.text = materials.TemplateText(target->index, subtitle.origin.text);
        }
        subtitle.track = static_cast<int32_t>(k);
        subtitle.origin.track = static_cast<int32_t>(k);
        subtitle.origin.segment = static_cast<int32_t>(n);
        subtitle.hidden = hidden;
        if (!subtitle.text.empty()) out.push_back(std::move(subtitle));
      }
      if (depth >= kMaxNestedDraftDepth) continue;
      // A compound clip names its nested draft by material_id or among its references;
      // each nested draft counts once per segment.
      std::vector<size_t> clips;
      auto addClip = [&](const std::string& id) {
        const Target* clip = materials.Find(id);
        if (clip && clip->kind == Target::kNestedDraft &&
            std::find(clips.begin(), clips.end(), clip->index) == clips.end()) {
          clips.push_back(clip->index);
        }
      };
      addClip(segment.materialId);
      for (const std::string& ref : segment.extraMaterialRefs) addClip(ref);
      for (size_t clip : clips) {
        CollectNested(*draft.drafts[clip].draft, static_cast<uint32_t>(clip), segment,
                      static_cast<int32_t>(k), hidden, depth, out);
      }
    }
  }
  return false;
}

}  // namespace

std::vector<Subtitle> TimelineSubtitles(const DraftModel& draft) {
  std::vector<Subtitle> subtitles;
  if (!CollectDraft(draft, 0, subtitles)) {
    std::stable_sort(subtitles.begin(), subtitles.end(),
                     [](const Subtitle& a, const Subtitle& b) { return a.startUs < b.startUs; });
  }
  return subtitles;
}

std::vector<Subtitle> ShownSubtitles(std::vector<Subtitle> subtitles) {
  bool anyShown = std::any_of(subtitles.begin(), subtitles.end(),
                              [](const Subtitle& subtitle) { return !subtitle.hidden; });
  if (anyShown) {
    subtitles.erase(std::remove_if(subtitles.begin(), subtitles.end(),
                                   [](const Subtitle& subtitle) { return subtitle.hidden; }),
                    subtitles.end());
  }
  return subtitles;
}

std::vector<Subtitle> SubtitlesOf(const DraftModel& draft) {
  return ShownSubtitles(TimelineSubtitles(draft));
}

}  // namespace core
