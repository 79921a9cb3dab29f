#include "core/subtitles.h"

#include <gtest/gtest.h>

#include "core/caption_text.h"
#include "core/draft_reader.h"
#include "core/timestamp.h"
#include "tests/core/draft_builder.h"

namespace {

using core::Subtitle;
using core_test::Draft;
using core_test::Extract;
using core_test::Material;
using core_test::Segment;
using core_test::Track;

std::string Times(const Subtitle& s) { return core::TimeRangeText(s.startUs, s.endUs); }

TEST(PositionalPairing, UsesFirstTrackWithAsManySegmentsAsTexts) {
  std::string draft = Draft(
      {Material("a"), Material("b"), Material("c")},
      {Track("video", {Segment(0, 1), Segment(1, 1), Segment(2, 1), Segment(3, 1), Segment(4, 1)}),
       Track("text", {Segment(1000000, 1000000), Segment(2000000, 500000), Segment(3000000, 1)}),
       Track("text", {Segment(9000000, 1), Segment(9000001, 1), Segment(9000002, 1)})});
  std::vector<Subtitle> subtitles = Extract(draft);
  ASSERT_EQ(subtitles.size(), 3u);
  EXPECT_EQ(subtitles[0].startUs, 1000000);
  EXPECT_EQ(subtitles[0].endUs, 2000000);
  EXPECT_EQ(subtitles[1].startUs, 2000000);
  EXPECT_EQ(subtitles[1].endUs, 2500000);
  EXPECT_EQ(subtitles[2].startUs, 3000000);
  EXPECT_EQ(subtitles[0].text, "a");
  EXPECT_EQ(subtitles[2].text, "c");
}

TEST(PositionalPairing, WithoutMatchingTrackUsesTrackZeroByPosition) {
  // Track 0 is shorter than the texts: the rest start and end at 0. Positional
  // pairing keeps the order of the texts even when the times run backwards.
  std::string draft =
      Draft({Material("a"), Material("b"), Material("c")},
            {Track("video", {Segment(5000000, 1000000), Segment(1000000, 2000)}),
             Track("text", {Segment(1, 1), Segment(2, 1), Segment(3, 1), Segment(4, 1)})});
  std::vector<Subtitle> subtitles = Extract(draft);
  ASSERT_EQ(subtitles.size(), 3u);
  EXPECT_EQ(Times(subtitles[0]), "00:00:05,000 --> 00:00:06,000");
  EXPECT_EQ(Times(subtitles[1]), "00:00:01,000 --> 00:00:01,002");
  EXPECT_EQ(Times(subtitles[2]), "00:00:00,000 --> 00:00:00,000");
  EXPECT_EQ(subtitles[2].text, "c");

  std::vector<Subtitle> noTracks = Extract(Draft({Material("x"), Material("y")}, {}));
  ASSERT_EQ(noTracks.size(), 2u);
  EXPECT_EQ(noTracks[1].startUs, 0);
  EXPECT_EQ(noTracks[1].endUs, 0);
  EXPECT_EQ(noTracks[1].text, "y");
}

TEST(PositionalPairing, FindsKeysInAnyLetterCaseAndAddsDuration) {
  std::string draft =
      "{\"Materials\":{\"TEXTS\":[{\"CONTENT\":\"hello\"}]},"
      "\"Tracks\":[{\"Segments\":[{\"Target_TimeRange\":{\"Start\":1234567,\"DURATION\":2500000}}]}"
      "]}";
  std::vector<Subtitle> subtitles = Extract(draft);
  ASSERT_EQ(subtitles.size(), 1u);
  EXPECT_EQ(subtitles[0].text, "hello");
  EXPECT_EQ(Times(subtitles[0]), "00:00:01,235 --> 00:00:03,735");
}

TEST(LinkedPairing, TextsTakeTheirOwnSegmentsOrderedByStart) {
  // The video track has as many segments as there are texts and stands first, and the
  // texts are not in timeline order: only the ids give the right times. Two texts
  // start together and keep the order of materials.texts.
  std::string draft =
      Draft({Material("third", "T3"), Material("first", "T1"), Material("tie-a", "TA"),
             Material("tie-b", "TB")},
            {Track("video", {Segment(0, 100, "V1"), Segment(100, 100, "V2"),
                             Segment(200, 100, "V3"), Segment(300, 100, "V4")}),
             Track("text", {Segment(1000000, 500000, "T1"), Segment(9000000, 1000000, "T3")}),
             Track("text", {Segment(4000000, 1000000, "TA"), Segment(4000000, 2000000, "TB")})});
  std::vector<Subtitle> subtitles = Extract(draft);
  ASSERT_EQ(subtitles.size(), 4u);
  EXPECT_EQ(subtitles[0].text, "first");
  EXPECT_EQ(Times(subtitles[0]), "00:00:01,000 --> 00:00:01,500");
  EXPECT_EQ(subtitles[1].text, "tie-a");
  EXPECT_EQ(subtitles[1].endUs, 5000000);
  EXPECT_EQ(subtitles[2].text, "tie-b");
  EXPECT_EQ(subtitles[2].endUs, 6000000);
  EXPECT_EQ(subtitles[3].text, "third");
  EXPECT_EQ(Times(subtitles[3]), "00:00:09,000 --> 00:00:10,000");
}

TEST(LinkedPairing, EverySegmentPlacingATextGivesASubtitle) {
  // A text placed twice comes out twice; a text that no segment places, or a segment
  // naming no text, gives nothing. Ids are compared byte for byte.
  std::string draft =
      Draft({Material("a", "A"), Material("b", "missing"), Material("c"), Material("d", "d"),
             "{\"id\":5,\"content\":\"e\"}"},
            {Track("text", {Segment(2000000, 1000000, "A"), Segment(5, 1, "nothing")}),
             Track("text", {Segment(0, 1, "A"), Segment(9, 1, "D")})});
  std::vector<Subtitle> subtitles = Extract(draft);
  ASSERT_EQ(subtitles.size(), 2u);
  EXPECT_EQ(subtitles[0].startUs, 0);
  EXPECT_EQ(subtitles[0].track, 1);
  EXPECT_EQ(subtitles[1].startUs, 2000000);
  EXPECT_EQ(subtitles[1].text, "a");
  EXPECT_EQ(subtitles[1].track, 0);
}

TEST(SubtitleText, RichTextDocumentsGiveTheirTextMember) {
  EXPECT_EQ(core::PlainSubtitleText(u8"{\"styles\":[{\"range\":[0,2]}],\"text\":\"你好\"}"),
            u8"你好");
  EXPECT_EQ(core::PlainSubtitleText(" \r\n{ \"text\" : \"a\\nb\" , \"styles\" : [] }"), "a\nb");
  // Not a rich-text document: the content stays as stored.
  EXPECT_EQ(core::PlainSubtitleText("{\"styles\":[]}"), "{\"styles\":[]}");
  EXPECT_EQ(core::PlainSubtitleText("{\"text\":5}"), "{\"text\":5}");
  EXPECT_EQ(core::PlainSubtitleText("{broken"), "{broken");
  EXPECT_EQ(core::PlainSubtitleText("[\"text\"]"), "[\"text\"]");
  EXPECT_EQ(core::PlainSubtitleText("x{\"text\":\"a\"}"), "x{\"text\":\"a\"}");
}

TEST(SubtitleText, MarkupGivesTheTextInside) {
  EXPECT_EQ(core::PlainSubtitleText(
                u8"<font id=\"\" "
                u8"path=\"C:/f.ttf\"><color=(1,1,1,1)><size=8.000000>[你好]</size></color></font>"),
            u8"你好");
  // Brackets inside the text stay; only the outermost pair is taken off.
  EXPECT_EQ(core::PlainSubtitleText("<size=8>[[a] b]</size>"), "[a] b");
  EXPECT_EQ(core::PlainSubtitleText("<font id=\"\" face=\"\">plain <b>words</b></font>"),
            "plain words");
  EXPECT_EQ(core::PlainSubtitleText("<outline>x</outline>"), "x");
  EXPECT_EQ(core::PlainSubtitleText("<useLetterColor=1>y</useLetterColor>"), "y");
  // "]<" before ">[": not a bracketed text, so only the tags go.
  EXPECT_EQ(core::PlainSubtitleText("<size=1>x]<y>[z</size>"), "x][z");
  // Not markup: other tags, or content not ending with '>'.
  EXPECT_EQ(core::PlainSubtitleText("<b>bold</b>"), "<b>bold</b>");
  EXPECT_EQ(core::PlainSubtitleText("<font>text</font> tail"), "<font>text</font> tail");
  EXPECT_EQ(core::PlainSubtitleText("1 < 2 > 0"), "1 < 2 > 0");
  EXPECT_EQ(core::PlainSubtitleText(""), "");
}

TEST(SubtitleText, LineBreaksAreTidied) {
  EXPECT_EQ(core::TidyLineBreaks("\r\n\nab\r\n"), "ab");
  EXPECT_EQ(core::TidyLineBreaks("a\n\n\nb"), "a\r\nb");
  EXPECT_EQ(core::TidyLineBreaks("a\r\n\r\nb"), "a\r\nb");
  EXPECT_EQ(core::TidyLineBreaks("a\r\rb\n\r\nc"), "a\r\nb\r\nc");
  EXPECT_EQ(core::TidyLineBreaks("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(core::TidyLineBreaks("a \n b "), "a \r\n b ");
  EXPECT_EQ(core::TidyLineBreaks("\n\r\n\r"), "");
  EXPECT_EQ(core::TidyLineBreaks(""), "");
}

TEST(SubtitleText, ExtractionAppliesBothRules) {
  std::string draft = Draft({Material("{\"text\":\"\\nfirst\\n\\nline\\n\",\"styles\":[]}"),
                             Material("<font id=\"\"><size=5>[\r\nsecond\r\n]</size></font>"),
                             "{\"content\":7}", Material("\n")},
                            {});
  std::vector<Subtitle> subtitles = Extract(draft);
  // Empty texts give no subtitle: an empty block breaks SRT readers.
  ASSERT_EQ(subtitles.size(), 2u);
  EXPECT_EQ(subtitles[0].text, "first\r\nline");
  EXPECT_EQ(subtitles[1].text, "second");
}

TEST(Times, AreSixtyFourBitAndHeldWithinTwoToThe53) {
  const int64_t limit = int64_t{1} << 53;
  std::string draft =
      "{\"materials\":{\"texts\":[{\"content\":\"a\"},{\"content\":\"b\"},{\"content\":\"c\"},"
      "{\"content\":\"d\"},{\"content\":\"e\"},{\"content\":\"f\"}]},\"tracks\":[{\"segments\":["
      "{\"target_timerange\":{\"start\":6660000000,\"duration\":2500000000}},"
      "{\"target_timerange\":{\"start\":1e300,\"duration\":1e300}},"
      "{\"target_timerange\":{\"start\":-1e300,\"duration\":-5}},"
      "{\"target_timerange\":{\"start\":1.9,\"duration\":-1.9}},"
      "{\"target_timerange\":{\"start\":\"5\",\"duration\":true}},"
      "{\"target_timerange\":[1,2]}]}]}";
  std::vector<Subtitle> subtitles = Extract(draft);
  ASSERT_EQ(subtitles.size(), 6u);
  EXPECT_EQ(subtitles[0].startUs, 6660000000);
  EXPECT_EQ(subtitles[0].endUs, 9160000000);
  EXPECT_EQ(Times(subtitles[0]), "01:51:00,000 --> 02:32:40,000");
  EXPECT_EQ(subtitles[1].startUs, limit);
  EXPECT_EQ(subtitles[1].endUs, 2 * limit);
  EXPECT_EQ(subtitles[2].startUs, -limit);
  EXPECT_EQ(subtitles[2].endUs, -limit - 5);
  EXPECT_EQ(subtitles[3].startUs, 1);
  EXPECT_EQ(subtitles[3].endUs, 0);
  EXPECT_EQ(subtitles[4].startUs, 0);
  EXPECT_EQ(subtitles[4].endUs, 0);
  EXPECT_EQ(subtitles[5].startUs, 0);
  EXPECT_EQ(subtitles[5].endUs, 0);
}

TEST(MissingData, ReadsAsNothingOrZero) {
  EXPECT_TRUE(Extract("{}").empty());
  EXPECT_TRUE(Extract("{\"materials\":{\"texts\":[]},\"tracks\":[]}").empty());
  EXPECT_TRUE(Extract("{\"materials\":[{\"texts\":[{}]}]}").empty());
  EXPECT_TRUE(Extract("[{\"materials\":{\"texts\":[{}]}}]").empty());
  EXPECT_TRUE(Extract("{\"materials\":{\"texts\":\"abc\"}}").empty());
  EXPECT_TRUE(core::ExtractSubtitles(json::JsonNode()).empty());

  EXPECT_TRUE(Extract("{\"materials\":{\"texts\":[{\"content\":null},5]},"
                      "\"tracks\":[{\"segments\":[{},7]}]}")
                  .empty());
}

}  // namespace

namespace {

TEST(DraftReader, ReadsEveryRuleInputWhateverTheLetterCaseOfItsKeys) {
  // A compound clip on a hidden track holding a text template; the first of two
  // members with the same name counts, as a case-insensitive lookup finds it.
  std::string json =
      "{\"MATERIALS\":{\"Drafts\":[{\"ID\":\"clip\",\"Draft\":{\"Materials\":{"
      "\"TEXTS\":[{\"Id\":\"t\",\"Content\":\"inner\"}],"
      "\"Text_Templates\":[{\"ID\":\"tpl\",\"Text_Info_Resources\":[{\"Text_Material_ID\":\"t\"}]}]"
      "},"
      "\"Tracks\":[{\"Segments\":[{\"Material_ID\":\"tpl\",\"material_id\":\"other\","
      "\"Target_TimeRange\":{\"Start\":1000,\"Duration\":5000}}]}]}}]},"
      "\"TRACKS\":[{\"Type\":\"video\",\"Name\":\"v\",\"Attribute\":6,\"Segments\":[{"
      "\"Extra_Material_Refs\":[\"clip\",7],\"Speed\":0.5,\"Visible\":false,"
      "\"Source_TimeRange\":{\"START\":1000},"
      "\"Target_TimeRange\":{\"Start\":20000,\"Duration\":4000}}]}]}";
  json::JsonDocument document;
  ASSERT_TRUE(document.ParseUtf8Direct(json.data(), json.size()));
  core::DraftModel draft = core::ReadDraftModel(document);
  ASSERT_EQ(draft.tracks.size(), 1u);
  const core::DraftTrack& track = draft.tracks[0];
  EXPECT_EQ(track.type, "video");
  EXPECT_EQ(track.name, "v");
  EXPECT_EQ(track.attribute, 6);
  ASSERT_EQ(track.segments.size(), 1u);
  const core::DraftSegment& clip = track.segments[0];
  EXPECT_EQ(clip.extraMaterialRefs, std::vector<std::string>{"clip"});
  EXPECT_EQ(clip.speed, 0.5);
  EXPECT_FALSE(clip.visible);
  EXPECT_EQ(clip.sourceStart, 1000);
  EXPECT_EQ(clip.targetStart, 20000);
  EXPECT_EQ(clip.targetDuration, 4000);
  ASSERT_EQ(draft.drafts.size(), 1u);
  EXPECT_EQ(draft.drafts[0].id, "clip");
  const core::DraftModel& inner = *draft.drafts[0].draft;
  ASSERT_EQ(inner.texts.size(), 1u);
  EXPECT_EQ(inner.texts[0].id, "t");
  EXPECT_EQ(inner.texts[0].content, "inner");
  ASSERT_EQ(inner.textTemplates.size(), 1u);
  EXPECT_EQ(inner.textTemplates[0].textIds, std::vector<std::string>{"t"});
  EXPECT_EQ(inner.tracks[0].segments[0].materialId, "tpl");

  // Nested time 1000..6000 at half speed from 20000, cut to the clip's 4000.
  std::vector<Subtitle> subtitles = Extract(json);
  ASSERT_EQ(subtitles.size(), 1u);
  EXPECT_EQ(Times(subtitles[0]), "00:00:00,020 --> 00:00:00,024");
  EXPECT_EQ(subtitles[0].text, "inner");
  EXPECT_TRUE(subtitles[0].hidden);
}

}  // namespace
