// Both draft readers, fed the same bytes, must fill the same model: the window reads
// drafts through the JSON classes, subvane-cli through simdjson.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/draft_file.h"
#include "core/draft_reader.h"
#include "core/draft_reader_simdjson.h"
#include "core/timeline.h"
#include "tests/core/draft_model_text.h"

namespace {

namespace fs = std::filesystem;

std::string ThroughJsonClasses(const std::string& bytes) {
  json::JsonDocument document;
  EXPECT_EQ(core::ParseDraft(bytes, document), core::DraftStatus::kOk);
  return core_test::DescribeModel(core::ReadDraftModel(document));
}

// Read from a buffer with the parser's padding, and from one without.
std::string ThroughSimdjson(const std::string& bytes) {
  std::string padded = bytes;
  padded.reserve(bytes.size() + core::kSimdjsonPadding);
  core::DraftModel model;
  EXPECT_EQ(core::ReadDraftModelSimdjson(padded.data(), padded.size(), padded.capacity(), model),
            core::SimdjsonRead::kOk);
  std::string inPlace = core_test::DescribeModel(model);
  core::DraftModel copied;
  EXPECT_EQ(core::ReadDraftModelSimdjson(bytes.data(), bytes.size(), bytes.size(), copied),
            core::SimdjsonRead::kOk);
  EXPECT_EQ(core_test::DescribeModel(copied), inPlace);
  return inPlace;
}

void ExpectSameModel(const std::string& name, const std::string& bytes) {
  SCOPED_TRACE(name);
  std::string expected = ThroughJsonClasses(bytes);
  EXPECT_EQ(ThroughSimdjson(bytes), expected);
}

// `levels` drafts, each nested in the one before through materials.drafts.
std::string NestedDrafts(int levels) {
  std::string inner = R"({"materials":{"texts":[{"id":"deep","content":"x"}]}})";
  for (int i = 0; i < levels; ++i) {
    inner = R"({"materials":{"drafts":[{"id":"d)" + std::to_string(i) + R"(","draft":)" + inner +
            R"(}]},"tracks":[{"segments":[{"material_id":"d)" + std::to_string(i) + R"("}]}]})";
  }
  return inner;
}

TEST(DraftReaders, FillTheSameModelFromTheSameBytes) {
  ExpectSameModel("keys in any letter case, duplicates, mistyped values", R"({
    "MATERIALS": {
      "Texts": [
        {"ID": "a", "Content": "{\"styles\":[],\"text\":\"Hi\"}", "id": "later"},
        {"id": 7, "content": null},
        {"content": ["not", "text"]},
        "not an object",
        {"Id": "t\u0000cut", "CONTENT": "line\nbreak \"quoted\" \u4e2d \ud83d\ude00 caf\u00e9"}
      ],
      "TEXT_TEMPLATES": [
        {"Id": "tpl", "Text_Info_Resources": [{"TEXT_MATERIAL_ID": "a"}, {}, 5,
                                              {"text_material_id": 9}]},
        {"id": "no resources", "text_info_resources": {"text_material_id": "a"}}
      ],
      "materials_extra": 1
    },
    "materials": {"texts": [{"id": "second materials object", "content": "ignored"}]},
    "Tracks": [
      {"Type": "text", "NAME": "Captions", "Attribute": 2.9, "Segments": [
        {"Material_Id": "a", "Extra_Material_Refs": ["r", 1, "s", null],
         "Target_TimeRange": {"Start": 1.9, "DURATION": -2.5, "start": 99},
         "Source_Timerange": {"START": 300.7}, "SPEED": 1.5, "Visible": false},
        {"material_id": "tpl", "target_timerange": [1, 2], "speed": "fast", "visible": 0},
        {"material_id": 12, "extra_material_refs": "r", "visible": true},
        []
      ]},
      {"type": "video", "attribute": "2", "segments": {"material_id": "a"}},
      {"attribute": -3, "segments": []},
      17
    ]
  })");
  ExpectSameModel("numbers as the JSON classes hold them", R"({"tracks":[{"attribute":6e0,
    "segments":[
      {"target_timerange":{"start":1e300,"duration":-1e300},"source_timerange":{"start":-0.5}},
      {"target_timerange":{"start":9007199254740993,"duration":12345.999},"speed":0.1},
      {"target_timerange":{"start":-9007199254740991,"duration":1E3},"speed":-2},
      {"target_timerange":{"start":18446744073709551615,"duration":-0},"speed":1e-400},
      {"target_timerange":{"start":123456789012345678901234567890,"duration":2.5e-7}}
    ]}]})");
  ExpectSameModel("objects where lists belong", R"({"materials":{
    "texts":{"first":{"id":"a","content":"x"},"second":{"id":"b","content":"y"}},
    "text_templates":{"only":{"id":"t","text_info_resources":[{"text_material_id":"b"}]}},
    "drafts":{"one":{"id":"n","draft":{"materials":{"texts":[{"id":"in","content":"z"}]}}}}},
    "tracks":{"main":{"type":"text","segments":[{"material_id":"a"}]}}})");
  ExpectSameModel("nested drafts, cut at their depth limit",
                  NestedDrafts(core::kMaxNestedDraftDepth + 3));
  ExpectSameModel("escaped member names", R"({"materials":{"t\u0065xts":[{"\u0069d":"a",
    "content\u0000ignored":"after nul"}], "texts":[{"id":"second"}]}, "tr\"acks":[]})");
  ExpectSameModel("escapes inside and after names", R"({"Tr\u0041cks":[{"T\u0059PE":"t",
    "name\u0000":"n","segments\"":[{}],"attribute_":1,"\u0061ttribute":3}],
    "materials":{"texts":[{"i\u0064":"a"}]}})");
  ExpectSameModel("the look: canvas, clips and plain style members", R"({
    "Canvas_Config": {"WIDTH": 1080, "height": 1920.5, "width": 7},
    "materials": {"texts": [
      {"id": "a", "text_color": "#FFDE00", "TEXT_ALPHA": 0.5, "font_size": 7.25,
       "text_size": 30, "border_color": "#000000", "border_width": 0.08, "border_alpha": 1,
       "background_color": "", "background_alpha": "1", "background_style": 1, "has_shadow": true,
       "shadow_color": 5, "shadow_alpha": 0.9, "shadow_distance": 5.0, "shadow_angle": -45,
       "alignment": 2, "line_spacing": 0.02, "bold_width": 0.008, "italic_degree": 10,
       "underline": false, "font_path": "C:/Fonts/\u5f97.ttf", "font_title": "Arial",
       "font_name": null, "content": "x"},
      {"id": "b", "has_shadow": 1, "underline": "yes", "font_size": [15], "alignment": null}
    ]},
    "tracks": [{"segments": [
      {"material_id": "a", "clip": {"Transform": {"X": -0.5, "y": 0.73, "x": 9},
                                   "scale": {"x": 1.08, "y": "1"}, "ROTATION": -12.5}},
      {"material_id": "b", "clip": {"transform": [0, 1], "scale": null}},
      {"material_id": "b", "clip": 3}
    ]}]})");
  ExpectSameModel("a canvas that is not an object", R"({"canvas_config": [1920, 1080]})");
  ExpectSameModel("byte-order mark", "\xEF\xBB\xBF{\"materials\":{\"texts\":[{\"id\":\"a\"}]}}");
  ExpectSameModel("empty draft", "{}");
}

// The subtitles of a model as times, tracks and hidden flags: what a model of stand-in
// texts must give exactly as the whole one does.
std::string SubtitlePlaces(const core::DraftModel& model) {
  std::string places;
  for (const core::Subtitle& subtitle : core::SubtitlesOf(model)) {
    places += std::to_string(subtitle.startUs) + "-" + std::to_string(subtitle.endUs) + "@" +
              std::to_string(subtitle.track) + (subtitle.hidden ? "h " : " ");
  }
  return places;
}

// Read with whole texts and, in the kept `parser`, with stand-ins: the same subtitles.
void ExpectStandInsCountAlike(const std::string& name, const std::string& bytes,
                              core::SimdjsonParser& parser) {
  SCOPED_TRACE(name);
  std::string padded = bytes;
  padded.reserve(bytes.size() + core::kSimdjsonPadding);
  core::DraftModel whole;
  core::DraftModel standIns;
  ASSERT_EQ(core::ReadDraftModelFast(padded, whole), core::DraftStatus::kOk);
  ASSERT_EQ(core::ReadDraftModelFast(padded, standIns, &parser, core::DraftTexts::kStandIns),
            core::DraftStatus::kOk);
  EXPECT_EQ(core::SubtitlesOf(standIns).size(), core::SubtitlesOf(whole).size());
  EXPECT_EQ(SubtitlePlaces(standIns), SubtitlePlaces(whole));
}

// A shown caption "x" on one track and, on a track of its own (`trackExtra` its first
// members), a text material whose content is the JSON value `content`.
std::string PlacedText(const std::string& content, const std::string& trackExtra = "") {
  return R"({"materials":{"texts":[{"id":"x","content":"x"},{"id":"t","content":)" + content +
         R"(}]},"tracks":[{"segments":[{"material_id":"x","target_timerange":{"start":0,"duration":5}}]},{)" +
         trackExtra +
         R"("segments":[{"material_id":"t","target_timerange":{"start":1,"duration":2}}]}]})";
}

TEST(DraftReaders, StandInTextsGiveTheSameSubtitles) {
  core::SimdjsonParser parser;  // one for all, as each thread of --list keeps one
  const std::pair<const char*, std::string> cases[] = {
      {"plain text", PlacedText(R"("hello")")},
      {"empty text", PlacedText(R"("")")},
      {"only line breaks", PlacedText(R"("\r\n\n\r")")},
      {"not a string", PlacedText("42")},
      {"cut at a NUL", PlacedText(R"("\u0000after")")},
      {"rich text", PlacedText(R"("{\"styles\":[],\"text\":\"hi\"}")")},
      {"rich text, empty", PlacedText(R"("{\"styles\":[],\"text\":\"\"}")")},
      {"rich text, line breaks only", PlacedText(R"("{\"text\":\"\\n\\r\\n\"}")")},
      {"rich text, text not a string", PlacedText(R"("{\"text\":7}")")},
      {"rich text the JSON classes decide, empty", PlacedText(R"("{\"text\":\"\\u0000\"}")")},
      {"rich text the JSON classes decide", PlacedText(R"("{\"text\":\"\\u4e2d\"}")")},
      {"markup, empty", PlacedText(R"("<font color=\"#fff\">[]</font>")")},
      {"markup", PlacedText(R"("<size=12>[big]</size>")")},
      {"hidden track", PlacedText(R"("shown?")", R"("attribute":2,)")},
      {"hidden track, empty text", PlacedText(R"("")", R"("attribute":2,)")},
      {"every caption hidden", R"({"materials":{"texts":[{"id":"a","content":"a"},
        {"id":"b","content":"\n"}]},"tracks":[{"attribute":2,"segments":[
        {"material_id":"a","target_timerange":{"start":3,"duration":1}},
        {"material_id":"b","target_timerange":{"start":1,"duration":1}}]},
        {"segments":[{"material_id":"a","visible":false,
                      "target_timerange":{"start":0,"duration":1}}]}]})"},
      {"templates", R"({"materials":{"texts":[{"id":"e","content":""},{"id":"f","content":"\r"},
        {"id":"g","content":"g"}],"text_templates":[
        {"id":"empty","text_info_resources":[{"text_material_id":"e"},{"text_material_id":"f"}]},
        {"id":"one","text_info_resources":[{"text_material_id":"e"},{"text_material_id":"g"}]},
        {"id":"none","text_info_resources":[]}]},"tracks":[{"segments":[
        {"material_id":"empty","target_timerange":{"start":0,"duration":1}},
        {"material_id":"one","target_timerange":{"start":1,"duration":1}},
        {"material_id":"none","target_timerange":{"start":2,"duration":1}}]}]})"},
      {"texts paired by position", R"({"materials":{"texts":[{"content":"a"},{"content":""},
        {"content":"{\"text\":\"c\"}"}]},"tracks":[{"segments":[{}]},{"segments":[
        {"target_timerange":{"start":0,"duration":1}},{"target_timerange":{"start":1,"duration":1}},
        {"target_timerange":{"start":2,"duration":1}}]}]})"},
      {"compound clip", R"({"materials":{"drafts":[{"id":"n","draft":{"materials":{"texts":[
        {"id":"in","content":"inside"},{"id":"blank","content":"\n"},{"id":"late","content":"l"}]},
        "tracks":[{"segments":[{"material_id":"in","target_timerange":{"start":0,"duration":10}},
        {"material_id":"blank","target_timerange":{"start":0,"duration":10}},
        {"material_id":"late","target_timerange":{"start":500,"duration":10}}]}]}}]},
        "tracks":[{"attribute":2,"segments":[{"material_id":"x","extra_material_refs":["n"],
        "target_timerange":{"start":100,"duration":50},"source_timerange":{"start":0}}]}]})"},
      {"nested drafts", NestedDrafts(core::kMaxNestedDraftDepth + 2)},
      {"empty draft", "{}"},
  };
  for (const auto& [name, bytes] : cases) ExpectStandInsCountAlike(name, bytes, parser);
}

TEST(DraftReaders, RealDraftsGiveTheSameModel) {
  fs::path folder = fs::u8path(SUBVANE_DRAFTS_DIR);
  if (!fs::is_directory(folder)) GTEST_SKIP() << "no drafts in " << SUBVANE_DRAFTS_DIR;
  core::SimdjsonParser parser;  // kept from draft to draft, as --list keeps one
  int read = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".json") continue;
    std::ifstream file(entry.path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    json::JsonDocument document;
    if (core::ParseDraft(bytes, document) != core::DraftStatus::kOk) continue;  // encrypted
    ExpectSameModel(entry.path().filename().u8string(), bytes);
    ExpectStandInsCountAlike(entry.path().filename().u8string(), bytes, parser);
    ++read;
  }
  EXPECT_GT(read, 0);
}

// What simdjson does not take goes to the JSON classes; what it takes, they take too.
TEST(DraftReaders, SimdjsonLeavesLenientJsonAndOtherTopLevelsToTheJsonClasses) {
  const std::string lenient[] = {
      "{\"materials\":{\"texts\":[{\"id\":\"a\",\"content\":\"tab\there\"}]}}",
      "{\"materials\":{\"texts\":[{\"id\":\"a\",\"content\":\"bad \xFF byte\"}]}}",
      "{\"tracks\":[{\"attribute\":007}]}",
      "",
      "   ",
      "{\"materials\":",
  };
  for (const std::string& bytes : lenient) {
    core::DraftModel model;
    EXPECT_EQ(core::ReadDraftModelSimdjson(bytes.data(), bytes.size(), bytes.size(), model),
              core::SimdjsonRead::kRejected)
        << bytes;
  }
  for (const std::string bytes : {"[]", "42", "\"text\""}) {
    core::DraftModel model;
    EXPECT_EQ(core::ReadDraftModelSimdjson(bytes.data(), bytes.size(), bytes.size(), model),
              core::SimdjsonRead::kNotObject)
        << bytes;
  }
}

}  // namespace
