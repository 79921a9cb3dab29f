#include "core/ass_text.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/caption_merge.h"
#include "core/caption_text.h"

namespace core {
namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kLineBreak[] = "\r\n";
// Written after a caption's backslash that would otherwise read as an escape with what
// follows (\N, \n, \h, \{, \}): a word joiner, which draws nothing.
constexpr char kWordJoiner[] = "\xE2\x81\xA0";

// The editor's font sizes: one unit is 1/100 of the canvas's shorter side as an ASS font
// size (the height of a line). Fitted on our drafts: the largest round figure at which
// their captions stay where the creators saw them, a 14-character auto caption of size 8
// on one line of a 1440-line canvas, the Quran project's two languages apart and on the
// canvas, the compound-clip project's Chinese line close over its English one. The
// shorter side, so that a portrait canvas's captions keep the width they have.
constexpr double kEditorUnitsPerShortSide = 100;
// A stroke's width is its share of the font size; a box's margin around the text is a
// fixed share of it; a shadow's distance is in 50ths of it.
constexpr double kBoxMarginShare = 0.15;
constexpr double kShadowUnitsPerFontSize = 50;
// The editor wraps a caption's lines at 82 % of the canvas width.
constexpr double kSideMarginShare = 0.09;

// `value` with at most two decimals and no trailing zeros, whatever the C locale says.
std::string Number(double value) {
  if (!std::isfinite(value)) value = 0;
  long long hundredths = std::llround(std::clamp(value, -1e12, 1e12) * 100);
  std::string number = hundredths < 0 ? "-" : "";
  unsigned long long magnitude = hundredths < 0 ? 0ULL - hundredths : hundredths;
  number += std::to_string(magnitude / 100);
  unsigned fraction = static_cast<unsigned>(magnitude % 100);
  if (fraction != 0) {
    number += '.';
    number += static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) number += static_cast<char>('0' + fraction % 10);
  }
  return number == "-0" ? "0" : number;
}

std::string Hex2(unsigned value) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(value >> 4) & 15], kDigits[value & 15]};
}

unsigned Transparency(double alpha) {
  return static_cast<unsigned>(std::lround((1 - std::clamp(alpha, 0.0, 1.0)) * 255));
}

// &HAABBGGRR: ASS counts alpha as transparency.
std::string StyleColor(const LookColor& color) {
  return "&H" + Hex2(Transparency(color.alpha)) + Hex2(color.blue) + Hex2(color.green) +
         Hex2(color.red);
}

// Names in the style line end at a comma: one in a font's name would shift every field.
std::string FieldText(const std::string& text) {
  std::string field;
  for (char c : text) field.push_back(c == ',' || c == '\r' || c == '\n' ? ' ' : c);
  size_t start = field.find_first_not_of(" @");  // a leading @ asks for vertical text
  return start == std::string::npos ? std::string() : field.substr(start);
}

// Everything of a style line but its name, from a look on a canvas.
std::string StyleFields(const CaptionLook& look, CanvasSize canvas) {
  double pixels = AssFontPixels(look.size, canvas);
  std::string font = FieldText(look.font);
  if (font.empty()) font = "Arial";
  const LookColor& edge = look.box ? look.boxColor : look.outlineColor;
  double outline = look.box       ? pixels * kBoxMarginShare
                   : look.outline ? pixels * look.outlineWidth
                                  : 0;
  double shadow = look.shadow ? pixels * look.shadowDistance / kShadowUnitsPerFontSize : 0;
  int sideMargin = static_cast<int>(std::lround(canvas.width * kSideMarginShare));
  std::string fields =
      font + "," + Number(pixels) + "," + StyleColor(look.fill) + "," + StyleColor(look.fill) +
      "," + StyleColor(edge) + "," + StyleColor(look.shadowColor) + "," + (look.bold ? "-1" : "0") +
      "," + (look.italic ? "-1" : "0") + "," + (look.underline ? "-1" : "0") + ",0,100,100,0,0," +
      (look.box ? "3" : "1") + "," + Number(outline) + "," + Number(shadow) + ",5," +
      std::to_string(sideMargin) + "," + std::to_string(sideMargin) + ",0,1";
  return fields;
}

// Appends caption text to an event's text: line breaks as \N (none at the start or the
// end, one for each run of them, as the captions' tidy text has), braces escaped, and a
// backslash kept from joining what follows into an escape.
class EventText {
 public:
  explicit EventText(std::string& out) : out_(out) {}

  void AppendCaption(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
      char c = text[i];
      if (c == '\r' || c == '\n') {
        breakPending_ = shown_;
        continue;
      }
      FlushBreak();
      if (c == '{' || c == '}') {
        out_.push_back('\\');
        out_.push_back(c);
      } else if (c == '\\') {
        out_.push_back('\\');
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (next == '\0' || next == '\r' || next == '\n' || next == 'N' || next == 'n' ||
            next == 'h' || next == '{' || next == '}' || next == '\\') {
          out_.append(kWordJoiner);
        }
      } else {
        out_.push_back(c);
      }
      shown_ = true;
    }
  }

  // An override block, written right before the next caption text.
  void AppendOverride(const std::string& tags) {
    FlushBreak();
    out_.append("{").append(tags).append("}");
  }

  // Starts a new line (stacked captions) whatever came before.
  void NewLine() {
    out_.append("\\N");
    breakPending_ = false;
    shown_ = false;
  }

 private:
  void FlushBreak() {
    if (!breakPending_) return;
    out_.append("\\N");
    breakPending_ = false;
  }

  std::string& out_;
  bool breakPending_ = false;
  bool shown_ = false;
};

std::string ColorTag(const char* tag, const LookColor& color) {
  return std::string("\\") + tag + "c&H" + Hex2(color.blue) + Hex2(color.green) + Hex2(color.red) +
         "&\\" + tag + "a&H" + Hex2(Transparency(color.alpha)) + "&";
}

// The tags a caption line carries beyond its style: its clip's scale and rotation.
std::string ClipTags(const CaptionLook& look) {
  std::string tags;
  if (look.scaleX != 1 || look.scaleY != 1) {
    tags += "\\fscx" + Number(look.scaleX * 100) + "\\fscy" + Number(look.scaleY * 100);
  }
  // The editor turns clockwise, ASS counter-clockwise.
  if (look.rotation != 0) tags += "\\frz" + Number(-look.rotation);
  return tags;
}

// One caption's text, with a run's fill, size and weight where its look changes inside.
void AppendLine(const AssCaption& caption, CanvasSize canvas, EventText& text) {
  const CaptionLook& look = caption.look;
  std::string joined;
  for (const LookRun& run : look.runs) joined += run.text;
  // Runs belong to the draft's text: an edited caption shows in the caption's own look.
  if (look.runs.size() < 2 || TidyLineBreaks(joined) != caption.subtitle.text) {
    text.AppendCaption(caption.subtitle.text);
    return;
  }
  for (const LookRun& run : look.runs) {
    std::string tags = ColorTag("1", run.fill) + "\\fs" + Number(AssFontPixels(run.size, canvas)) +
                       "\\b" + (run.bold ? "1" : "0") + "\\i" + (run.italic ? "1" : "0");
    text.AppendOverride(tags);
    text.AppendCaption(run.text);
  }
}

}  // namespace

std::string AssTimestampText(int64_t microseconds) {
  int64_t hundredths =
      microseconds <= 0 ? 0 : microseconds / 10000 + (microseconds % 10000 >= 5000);
  auto twoDigits = [](int64_t value) {
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
  };
  return std::to_string(hundredths / 360000) + ":" + twoDigits(hundredths / 6000 % 60) + ":" +
         twoDigits(hundredths / 100 % 60) + "." + twoDigits(hundredths % 100);
}

double AssFontPixels(double size, CanvasSize canvas) {
  return size * std::min(canvas.width, canvas.height) / kEditorUnitsPerShortSide;
}

std::string AssText(const std::vector<AssCue>& cues, CanvasSize canvas,
                    const std::vector<CaptionTrack>& tracks) {
  // Styles in order of first use, each a distinct look on one track.
  struct Style {
    int32_t track;
    std::string fields;
    std::string name;
  };
  std::vector<Style> styles;
  std::map<int, int> stylesOfNumber;  // by track number, so that names never repeat
  auto styleName = [&](const AssCaption& caption) -> std::string {
    std::string fields = StyleFields(caption.look, canvas);
    int32_t track = caption.subtitle.track;
    for (const Style& style : styles) {
      if (style.track == track && style.fields == fields) return style.name;
    }
    int number = track + 1;
    for (const CaptionTrack& listed : tracks) {
      if (listed.track == track) number = listed.number;
    }
    std::string name =
        "Track" + std::to_string(number) + "-" + std::to_string(++stylesOfNumber[number]);
    styles.push_back({track, fields, name});
    return styles.back().name;
  };

  // Layers in track order, the tracks inside a compound clip each a layer of their own.
  std::vector<const Subtitle*> layerTracks;
  for (const AssCue& cue : cues) {
    for (const AssCaption& caption : cue) {
      bool listed = std::any_of(layerTracks.begin(), layerTracks.end(), [&](const Subtitle* s) {
        return OnSameTrack(*s, caption.subtitle);
      });
      if (!listed) layerTracks.push_back(&caption.subtitle);
    }
  }
  std::stable_sort(layerTracks.begin(), layerTracks.end(),
                   [](const Subtitle* a, const Subtitle* b) { return TrackBefore(*a, *b); });
  auto layerOf = [&](const Subtitle& subtitle) {
    for (size_t i = 0; i < layerTracks.size(); ++i) {
      if (OnSameTrack(*layerTracks[i], subtitle)) return i;
    }
    return size_t{0};
  };

  std::string events;
  for (const AssCue& cue : cues) {
    if (cue.empty()) continue;
    const AssCaption& first = cue.front();
    std::string style = styleName(first);
    int64_t start = first.subtitle.startUs;
    int64_t end = first.subtitle.endUs;
    for (const AssCaption& caption : cue) {
      start = std::min(start, caption.subtitle.startUs);
      end = std::max(end, caption.subtitle.endUs);
    }
    double x = (1 + first.look.x) / 2 * canvas.width;
    double y = (1 - first.look.y) / 2 * canvas.height;
    std::string text = "{\\pos(" + Number(x) + "," + Number(y) + ")" + ClipTags(first.look) + "}";
    EventText line(text);
    for (size_t k = 0; k < cue.size(); ++k) {
      if (k > 0) {
        line.NewLine();
        line.AppendOverride("\\r" + styleName(cue[k]) + ClipTags(cue[k].look));
      }
      AppendLine(cue[k], canvas, line);
    }
    events += "Dialogue: " + std::to_string(layerOf(first.subtitle)) + "," +
              AssTimestampText(start) + "," + AssTimestampText(end) + "," + style + ",,0,0,0,," +
              text + kLineBreak;
  }

  std::string ass = kByteOrderMark;
  ass += std::string("[Script Info]") + kLineBreak;
  ass += std::string("; Captions of a JianyingPro / CapCut draft, written by Subvane") + kLineBreak;
  ass += std::string("ScriptType: v4.00+") + kLineBreak;
  ass += "PlayResX: " + std::to_string(canvas.width) + kLineBreak;
  ass += "PlayResY: " + std::to_string(canvas.height) + kLineBreak;
  ass += std::string("WrapStyle: 0") + kLineBreak;
  ass += std::string("ScaledBorderAndShadow: yes") + kLineBreak;
  ass += std::string("YCbCr Matrix: None") + kLineBreak + kLineBreak;
  ass += std::string("[V4+ Styles]") + kLineBreak;
  ass += std::string(
             "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
             "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
             "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding") +
         kLineBreak;
  if (styles.empty()) styles.push_back({0, StyleFields(CaptionLook(), canvas), "Default"});
  for (const Style& style : styles) ass += "Style: " + style.name + "," + style.fields + kLineBreak;
  ass += std::string(kLineBreak) + "[Events]" + kLineBreak;
  ass += std::string(
             "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
             "Text") +
         kLineBreak;
  ass += events;
  return ass;
}

std::vector<AssCue> AssCuesOf(const DraftModel& draft, const std::vector<Subtitle>& subtitles,
                              bool merge) {
  std::vector<AssCue> cues;
  auto caption = [&](const Subtitle& subtitle) {
    return AssCaption{subtitle, CaptionLookOf(draft, subtitle.origin)};
  };
  if (!merge) {
    for (const Subtitle& subtitle : subtitles) cues.push_back({caption(subtitle)});
    return cues;
  }
  for (const std::vector<size_t>& group : MergedCueGroups(subtitles)) {
    AssCue cue;
    for (size_t index : group) cue.push_back(caption(subtitles[index]));
    cues.push_back(std::move(cue));
  }
  return cues;
}

}  // namespace core
