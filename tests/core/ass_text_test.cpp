// ASS text from captions and looks, and bilingual cues: captions of one time on
// different tracks made one.
#include "core/ass_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/caption_formats.h"
#include "core/caption_merge.h"

namespace {

core::Subtitle Caption(int64_t startUs, int64_t endUs, const std::string& text, int32_t track) {
  core::Subtitle subtitle;
  subtitle.startUs = startUs;
  subtitle.endUs = endUs;
  subtitle.text = text;
  subtitle.track = track;
  return subtitle;
}

// The lines of `ass` that start with `prefix`, each without it.
std::vector<std::string> LinesStarting(const std::string& ass, const std::string& prefix) {
  std::vector<std::string> lines;
  for (size_t at = 0; (at = ass.find("\r\n" + prefix, at)) != std::string::npos;) {
    at += 2 + prefix.size();
    lines.push_back(ass.substr(at, ass.find("\r\n", at) - at));
  }
  return lines;
}

// The text of the one event of `caption` in the default look.
std::string EventText(const std::string& caption) {
  std::string ass = core::CaptionFileText({Caption(0, 1, caption, 0)}, core::CaptionFormat::kAss);
  std::string line = LinesStarting(ass, "Dialogue: ").at(0);
  return line.substr(line.find("}") + 1);  // after {\pos(...)}
}

TEST(AssText, CaptionTextNeverBecomesAnOverride) {
  const std::string kJoiner = "\xE2\x81\xA0";
  const std::pair<std::string, std::string> cases[] = {
      {"a{b}c", "a\\{b\\}c"},
      {"{\\b1}bold?", "\\{\\b1\\}bold?"},
      {"C:\\New\\h\\n", "C:\\" + kJoiner + "New\\" + kJoiner + "h\\" + kJoiner + "n"},
      {"end\\", "end\\" + kJoiner},
      {"\\{", "\\" + kJoiner + "\\{"},
      {"\\\\N", "\\" + kJoiner + "\\" + kJoiner + "N"},
      {"back\\\r\nslash", "back\\" + kJoiner + "\\Nslash"},
      {"\r\n\r\none\r\n\r\n\ntwo\rthree\n", "one\\Ntwo\\Nthree"},
  };
  for (const auto& [caption, expected] : cases) {
    EXPECT_EQ(EventText(caption), expected) << caption;
  }
}

TEST(AssText, TimesAndFontSizes) {
  EXPECT_EQ(core::AssTimestampText(0), "0:00:00.00");
  EXPECT_EQ(core::AssTimestampText(4999), "0:00:00.00");
  EXPECT_EQ(core::AssTimestampText(5000), "0:00:00.01");
  EXPECT_EQ(core::AssTimestampText(-2000000), "0:00:00.00");
  EXPECT_EQ(core::AssTimestampText(3599995000), "1:00:00.00");
  EXPECT_EQ(core::AssTimestampText(36061990000), "10:01:01.99");
  // One unit a 100th of the shorter side, portrait or landscape.
  EXPECT_DOUBLE_EQ(core::AssFontPixels(9, {1920, 1080}), 97.2);
  EXPECT_DOUBLE_EQ(core::AssFontPixels(9, {1080, 1920}), 97.2);
  EXPECT_DOUBLE_EQ(core::AssFontPixels(5, {1280, 720}), 36);
}

TEST(AssText, StylesLayersPlacesAndRuns) {
  core::CaptionLook gold;
  gold.fill = {255, 213, 153, 1};
  gold.y = 0.5;
  gold.font = "Noto, Sans";
  core::CaptionLook boxed;
  boxed.box = true;
  boxed.boxColor = {0, 0, 255, 0.25};
  boxed.x = -1;
  boxed.scaleX = 1.5;
  boxed.rotation = 90;
  core::CaptionLook ranged = gold;
  ranged.runs = {{"A", {255, 0, 0, 1}, 4, true, false}, {"\r\nB{", {0, 255, 0, 1}, 8, false, true}};

  std::vector<core::AssCue> cues = {
      {{Caption(0, 1000000, "one", 3), gold}},
      {{Caption(0, 1000000, "two", 1), boxed}},
      {{Caption(1000000, 2000000, "A\r\nB{", 3), ranged}},
      {{Caption(2000000, 3000000, "edited", 3), ranged}},
      {{Caption(3000000, 4000000, "top", 3), gold}, {Caption(3000000, 4000000, "low", 1), boxed}},
  };
  std::vector<core::CaptionTrack> tracks(1);
  tracks[0].number = 7;
  tracks[0].track = 3;
  std::string ass = core::AssText(cues, {1000, 500}, tracks);

  EXPECT_EQ(ass.rfind("\xEF\xBB\xBF[Script Info]\r\n", 0), 0u);
  EXPECT_NE(ass.find("\r\nPlayResX: 1000\r\nPlayResY: 500\r\n"), std::string::npos);
  EXPECT_EQ(LinesStarting(ass, "Style: "),
            (std::vector<std::string>{
                "Track7-1,Noto  Sans,40,&H0099D5FF,&H0099D5FF,&H00000000,&H00000000,0,0,0,0,"
                "100,100,0,0,1,0,0,5,90,90,0,1",
                "Track2-1,Arial,40,&H00FFFFFF,&H00FFFFFF,&HBFFF0000,&H00000000,0,0,0,0,"
                "100,100,0,0,3,6,0,5,90,90,0,1"}));
  EXPECT_EQ(LinesStarting(ass, "Dialogue: "),
            (std::vector<std::string>{
                "1,0:00:00.00,0:00:01.00,Track7-1,,0,0,0,,{\\pos(500,125)}one",
                "0,0:00:00.00,0:00:01.00,Track2-1,,0,0,0,,{\\pos(0,432.5)\\fscx150\\fscy100"
                "\\frz-90}two",
                "1,0:00:01.00,0:00:02.00,Track7-1,,0,0,0,,{\\pos(500,125)}"
                "{\\1c&H0000FF&\\1a&H00&\\fs20\\b1\\i0}A"
                "{\\1c&H00FF00&\\1a&H00&\\fs40\\b0\\i1}\\NB\\{",
                "1,0:00:02.00,0:00:03.00,Track7-1,,0,0,0,,{\\pos(500,125)}edited",
                "1,0:00:03.00,0:00:04.00,Track7-1,,0,0,0,,{\\pos(500,125)}top\\N"
                "{\\rTrack2-1\\fscx150\\fscy100\\frz-90}low"}));
}

TEST(MergeTracks, CaptionsOfOneTimeOnDifferentTracksBecomeOneCue) {
  core::Subtitle nestedA = Caption(9000000, 10000000, "inner a", 0);
  nestedA.origin.nesting = {0};
  nestedA.origin.track = 4;
  core::Subtitle nestedB = nestedA;
  nestedB.text = "inner b";
  nestedB.origin.track = 2;
  std::vector<core::Subtitle> subtitles = {
      Caption(0, 1000000, "zh", 2),
      Caption(40000, 960000, "en", 1),  // 40 ms off at both ends: one time
      Caption(10000, 1000000, "same track", 2),
      Caption(2000000, 3000000, "late", 1),
      Caption(2040001, 3000000, "41 ms", 2),
      Caption(4000000, 5000000, "end", 1),
      Caption(4000000, 5040001, "end late", 3),
      Caption(6000000, 7000000, "three", 3),
      Caption(6000000, 7000000, "of", 2),
      Caption(6020000, 7000000, "one", 1),
      nestedA,
      nestedB,
  };
  std::vector<std::string> cues;
  for (const core::Subtitle& cue : core::MergeTracks(subtitles)) {
    cues.push_back(std::to_string(cue.startUs / 1000) + "-" + std::to_string(cue.endUs / 1000) +
                   " " + cue.text);
  }
  EXPECT_EQ(cues, (std::vector<std::string>{"0-1000 en\r\nzh", "10-1000 same track",
                                            "2000-3000 late", "2040-3000 41 ms", "4000-5000 end",
                                            "4000-5040 end late", "6000-7000 one\r\nof\r\nthree",
                                            "9000-10000 inner b\r\ninner a"}));
}

}  // namespace
