// The timeline's rules on hand-built drafts, without JSON.
#include "core/timeline.h"

#include <gtest/gtest.h>

namespace {

using core::DraftModel;
using core::DraftSegment;
using core::DraftTrack;
using core::Subtitle;

DraftSegment Place(const std::string& materialId, int64_t start, int64_t duration) {
  DraftSegment segment;
  segment.materialId = materialId;
  segment.targetStart = start;
  segment.targetDuration = duration;
  return segment;
}

DraftTrack TrackOf(std::vector<DraftSegment> segments, int64_t attribute = 0) {
  DraftTrack track;
  track.type = "text";
  track.attribute = attribute;
  track.segments = std::move(segments);
  return track;
}

void AddText(DraftModel& draft, const std::string& id, const std::string& content) {
  draft.texts.push_back({id, content, true});
}

// "start-end text" for each subtitle, times in milliseconds.
std::vector<std::string> Summary(const std::vector<Subtitle>& subtitles) {
  std::vector<std::string> lines;
  for (const Subtitle& s : subtitles) {
    lines.push_back(std::to_string(s.startUs / 1000) + "-" + std::to_string(s.endUs / 1000) + " " +
                    s.text);
  }
  return lines;
}

using Lines = std::vector<std::string>;

TEST(Timeline, TextTemplatesJoinTheirTextsLineByLine) {
  DraftModel draft;
  AddText(draft, "t1", "first\nline");
  AddText(draft, "t2", "\n");
  AddText(draft, "t3", "<font id=\"\">last</font>");
  draft.textTemplates.push_back({"tpl", {"t1", "t2", "gone", "t3"}});
  draft.textTemplates.push_back({"blank", {"t2"}});
  draft.tracks.push_back(TrackOf({Place("tpl", 0, 1000), Place("blank", 1000, 1000)}));
  EXPECT_EQ(Summary(core::SubtitlesOf(draft)), (Lines{"0-1 first\r\nline\r\nlast"}));
}

TEST(Timeline, OrderIsByStartThenWalkOrder) {
  DraftModel draft;
  AddText(draft, "a", "a");
  AddText(draft, "b", "b");
  AddText(draft, "c", "c");
  draft.tracks.push_back(TrackOf({Place("c", 5000, 1000), Place("a", 1000, 1000)}));
  draft.tracks.push_back(TrackOf({Place("b", 1000, 500), Place("a", 0, 100)}));
  EXPECT_EQ(Summary(core::SubtitlesOf(draft)), (Lines{"0-0 a", "1-2 a", "1-1 b", "5-6 c"}));
}

TEST(Timeline, CompoundClipsMapOntoTheOuterTimeAndAreCutToTheClip) {
  DraftModel inner;
  AddText(inner, "x", "before");
  AddText(inner, "y", "inside");
  AddText(inner, "z", "across the end");
  inner.tracks.push_back(TrackOf(
      {Place("x", 0, 1000000), Place("y", 2000000, 1000000), Place("z", 5000000, 4000000)}));
  DraftModel outer;
  AddText(outer, "o", "outer");
  outer.drafts.push_back({"clip", std::make_unique<DraftModel>(std::move(inner))});
  // The clip shows its nested time 1 s to 9 s at double speed from 10 s to 14 s; it is
  // named among the references, as the editor stores it.
  DraftSegment clip = Place("video", 10000000, 4000000);
  clip.sourceStart = 1000000;
  clip.speed = 2;
  clip.extraMaterialRefs = {"speed", "clip", "clip"};
  outer.tracks.push_back(TrackOf({clip}));
  outer.tracks.push_back(TrackOf({Place("o", 10500000, 100000)}));
  std::vector<Subtitle> subtitles = core::SubtitlesOf(outer);
  EXPECT_EQ(Summary(subtitles),
            (Lines{"10500-11000 inside", "10500-10600 outer", "12000-14000 across the end"}));
  EXPECT_EQ(subtitles[0].track, 0);

  // Absent, zero or negative speed counts as 1.
  outer.tracks[0].segments[0].speed = -3;
  EXPECT_EQ(Summary(core::SubtitlesOf(outer))[1], "11000-12000 inside");
}

TEST(Timeline, HiddenCaptionsStayOutWhileAnythingIsShown) {
  DraftModel draft;
  AddText(draft, "shown", "shown");
  AddText(draft, "locked", "hidden track");
  AddText(draft, "off", "hidden segment");
  DraftSegment off = Place("off", 2000, 1000);
  off.visible = false;
  draft.tracks.push_back(TrackOf({Place("locked", 0, 1000)}, 6));
  draft.tracks.push_back(TrackOf({off}));
  draft.tracks.push_back(TrackOf({Place("shown", 1000, 1000)}, 4));
  EXPECT_EQ(Summary(core::SubtitlesOf(draft)), (Lines{"1-2 shown"}));
  EXPECT_EQ(core::TimelineSubtitles(draft).size(), 3u);

  // Everything hidden: a creator exporting the captions of a clean render keeps them all.
  draft.tracks.pop_back();
  EXPECT_EQ(Summary(core::SubtitlesOf(draft)), (Lines{"0-1 hidden track", "2-3 hidden segment"}));
}

TEST(Timeline, NestingStopsAtItsDepthLimit) {
  // Each level holds one clip of the next; only the deepest holds a caption.
  auto nest = [](int levels) {
    DraftModel draft;
    AddText(draft, "t", "deep");
    draft.tracks.push_back(TrackOf({Place("t", 0, 1000)}));
    for (int i = 0; i < levels; ++i) {
      DraftModel outer;
      outer.drafts.push_back({"d", std::make_unique<DraftModel>(std::move(draft))});
      outer.tracks.push_back(TrackOf({Place("d", 0, 1000)}));
      draft = std::move(outer);
    }
    return draft;
  };
  EXPECT_EQ(core::SubtitlesOf(nest(core::kMaxNestedDraftDepth)).size(), 1u);
  EXPECT_TRUE(core::SubtitlesOf(nest(core::kMaxNestedDraftDepth + 1)).empty());
}

}  // namespace
