// The look of a caption as the rules decide it from small made-up drafts: rich-text
// styles, the plain members, markup, the segment's clip, and the defaults.
#include "core/caption_look.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/draft_reader_simdjson.h"
#include "core/timeline.h"

namespace {

std::string Color(const core::LookColor& c) {
  char text[32];
  std::snprintf(text, sizeof text, "%02X%02X%02X/%g", c.red, c.green, c.blue, c.alpha);
  return text;
}

// The look in one line: what a difference in any rule shows up in.
std::string Describe(const core::CaptionLook& l) {
  char place[128];
  std::snprintf(place, sizeof place, "at %g,%g x%g,%g turn %g size %g", l.x, l.y, l.scaleX,
                l.scaleY, l.rotation, l.size);
  std::string text = std::string(place) + " font [" + l.font + "] fill " + Color(l.fill);
  if (l.bold) text += " bold";
  if (l.italic) text += " italic";
  if (l.underline) text += " underline";
  if (l.outline) text += " outline " + Color(l.outlineColor) + "@" + std::to_string(l.outlineWidth);
  if (l.shadow) {
    text += " shadow " + Color(l.shadowColor) + "@" + std::to_string(l.shadowDistance) + "," +
            std::to_string(l.shadowAngle);
  }
  if (l.box) text += " box " + Color(l.boxColor);
  if (l.alignment != 1) text += " align " + std::to_string(l.alignment);
  for (const core::LookRun& run : l.runs) {
    text +=
        " | [" + run.text + "] " + Color(run.fill) + " " + std::to_string(run.size).substr(0, 4);
    if (run.bold) text += " bold";
    if (run.italic) text += " italic";
  }
  return text;
}

// A draft with one caption: the text material's members `material` (its id and content
// added) and the segment's `clip` member when not empty.
std::string OneCaption(const std::string& material, const std::string& clip = "") {
  return R"({"materials":{"texts":[{"id":"t",)" + material +
         R"(}]},"tracks":[{"type":"text","segments":[{"material_id":"t",)" +
         R"("target_timerange":{"start":0,"duration":1000000})" +
         (clip.empty() ? "" : ",\"clip\":" + clip) + "}]}]}";
}

std::string Rich(const std::string& text, const std::string& styles) {
  std::string document = R"({"styles":[)" + styles + R"(],"text":")" + text + "\"}";
  std::string quoted;
  for (char c : document) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
  return "\"content\":\"" + quoted + "\"";
}

core::CaptionLook LookOfOnlyCaption(const std::string& json, core::CanvasSize* canvas = nullptr) {
  core::DraftModel model;
  EXPECT_EQ(core::ReadDraftModelFast(json, model), core::DraftStatus::kOk) << json;
  std::vector<core::Subtitle> subtitles = core::SubtitlesOf(model);
  EXPECT_EQ(subtitles.size(), 1u) << json;
  if (canvas) *canvas = core::DraftCanvasOf(model);
  return subtitles.empty() ? core::CaptionLook()
                           : core::CaptionLookOf(model, subtitles.front().origin);
}

TEST(CaptionLook, ReadFromStylesPlainMembersMarkupAndClip) {
  const char* const kDefaults = "at 0,-0.73 x1,1 turn 0 size 8 font [] fill FFFFFF/1";
  struct Case {
    const char* name;
    std::string draft;
    std::string expected;
  };
  const Case cases[] = {
      {"nothing named: the editor's defaults", OneCaption(R"("content":"x")"), kDefaults},
      {"values of the wrong kind count as absent",
       OneCaption(R"("content":"x","text_color":"white","font_size":"9","alignment":"2",
                  "border_color":"#00000","border_width":0.1,"background_color":"#GG0000")",
                  R"({"transform":{"x":"1","y":null},"scale":[2],"rotation":true})"),
       kDefaults},
      {"plain members",
       OneCaption(R"("content":"x","text_color":"#ffde00","text_alpha":0.5,"font_size":15,
                  "border_color":"#102030","border_width":0.08,"border_alpha":0.2,
                  "background_color":"#0000FF","background_alpha":0.6,"background_style":1,
                  "has_shadow":true,"shadow_color":"#333333","shadow_alpha":0.9,
                  "shadow_distance":5,"shadow_angle":-45,"alignment":2,"bold_width":0.008,
                  "italic_degree":10,"underline":true,"font_title":"Heiti SC",
                  "font_path":"C:/Fonts/heiti.ttf")"),
       "at 0,-0.73 x1,1 turn 0 size 15 font [Heiti SC] fill FFDE00/0.5 bold italic underline "
       "outline 102030/0.2@0.080000 shadow 333333/0.9@5.000000,-45.000000 box 0000FF/0.6 "
       "align 2"},
      {"a box colour kept after the box was switched off, the editor's title 'none'",
       OneCaption(R"("content":"x","background_color":"#000000","background_alpha":1,
                  "background_style":0,"font_title":"none","font_path":"D:/f/zh-hans.ttf")"),
       "at 0,-0.73 x1,1 turn 0 size 8 font [zh-hans] fill FFFFFF/1"},
      {"older drafts show a box by its colour",
       OneCaption(R"("content":"x","background_color":"#00FF00","has_shadow":false)"),
       std::string(kDefaults) + " box 00FF00/1"},
      {"rich-text style over the plain members, font from the style's own file",
       OneCaption(Rich("hi", R"({"fill":{"alpha":0.5,"content":{"solid":{"alpha":0.5,
                  "color":[1,0,0]}}},"size":5,"bold":true,"font":{"path":"C:/F/Impact.ttf"},
                  "strokes":[{"content":{"solid":{"color":[0,0,1]}},"width":0.1}],
                  "range":[0,2]})") +
                  R"(,"text_color":"#FFFFFF","font_size":9,"font_title":"Arial",
                  "font_path":"C:/F/arial.ttf","border_color":"#FFFFFF","border_width":0.2)"),
       "at 0,-0.73 x1,1 turn 0 size 5 font [Impact] fill FF0000/0.25 bold outline "
       "0000FF/1@0.100000"},
      {"a style with no strokes has no outline, whatever the plain members say",
       OneCaption(Rich("hi", R"({"fill":{"content":{"solid":{"color":[0,0,0]}}},"strokes":[],
                  "font":{"path":"C:/F/a.ttf"}})") +
                  R"(,"border_color":"#FFFFFF","border_width":0.2,"font_title":"Able",
                  "font_path":"C:/F/a.ttf")"),
       "at 0,-0.73 x1,1 turn 0 size 8 font [Able] fill 000000/1"},
      {"older markup",
       OneCaption(
           u8R"("content":"<outline color=(0,0,0,1) width=0.08><size=7><color=(1,0.87059,0,1)><font id=\"6\" path=\"C:/J/新青年体.ttf\">t</font></color></size></outline>")"),
       u8"at 0,-0.73 x1,1 turn 0 size 7 font [新青年体] fill FFDE00/1 outline 000000/1@0.080000"},
      {"the clip's place, scale and turn",
       OneCaption(R"("content":"x")",
                  R"({"transform":{"x":-0.5,"y":0.6},"scale":{"x":1.2,"y":0.8},"rotation":30})"),
       "at -0.5,0.6 x1.2,0.8 turn 30 size 8 font [] fill FFFFFF/1"},
      {"style ranges in UTF-16 units, the text between them in the caption's own look",
       OneCaption(Rich(u8"AB中😀!", R"({"fill":{"content":{"solid":{"color":[1,0,0]}}},
                  "size":5,"bold":true,"range":[0,1]},
                  {"fill":{"content":{"solid":{"color":[0,1,0]}}},"italic":true,"range":[2,5]})")),
       "at 0,-0.73 x1,1 turn 0 size 5 font [] fill FF0000/1 bold | [A] FF0000/1 5.00 bold | "
       u8"[B] FF0000/1 5.00 bold | [中😀] 00FF00/1 5.00 bold italic | [!] FF0000/1 5.00 bold"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Describe(LookOfOnlyCaption(c.draft)), c.expected);
  }
}

TEST(CaptionLook, CompoundClipsAndTemplatesFindTheirText) {
  // The outer canvas is 0 x 0, as a compound clip's draft has it: the nested one counts.
  std::string nested =
      R"({"canvas_config":{"width":0,"height":0},"materials":{"drafts":[{"id":"n","draft":
      {"canvas_config":{"width":1080,"height":1920},"materials":{"texts":[
      {"id":"a","content":"x","text_color":"#FF0000"}]},"tracks":[{"segments":[
      {"material_id":"a","target_timerange":{"start":0,"duration":5},
       "clip":{"transform":{"x":0.25,"y":-0.5}}}]}]}}]},
      "tracks":[{"segments":[{"material_id":"n","target_timerange":{"start":0,"duration":9}}]}]})";
  core::CanvasSize canvas;
  EXPECT_EQ(Describe(LookOfOnlyCaption(nested, &canvas)),
            "at 0.25,-0.5 x1,1 turn 0 size 8 font [] fill FF0000/1");
  EXPECT_EQ(canvas.width, 1080);
  EXPECT_EQ(canvas.height, 1920);

  std::string templated =
      R"({"materials":{"texts":[{"id":"e","content":""},{"id":"a","content":"x",
      "text_color":"#00FF00"},{"id":"b","content":"y","text_color":"#0000FF"}],
      "text_templates":[{"id":"tpl","text_info_resources":[{"text_material_id":"e"},
      {"text_material_id":"a"},{"text_material_id":"b"}]}]},
      "tracks":[{"segments":[{"material_id":"tpl","target_timerange":{"start":0,"duration":5}}]}]})";
  EXPECT_EQ(Describe(LookOfOnlyCaption(templated, &canvas)),
            "at 0,-0.73 x1,1 turn 0 size 8 font [] fill 00FF00/1");
  EXPECT_EQ(canvas.width, 1920);  // nothing named
  EXPECT_EQ(canvas.height, 1080);

  EXPECT_EQ(core::CaptionLookSummary(LookOfOnlyCaption(OneCaption(
                R"("content":"x","text_color":"#FFD599","border_color":"#000000",
                "border_width":0.1)",
                R"({"transform":{"x":0,"y":0.7}})"))),
            "gold, outline, top");
}

}  // namespace
