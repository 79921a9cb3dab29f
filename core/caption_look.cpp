#include "core/caption_look.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <mutex>
#include <string_view>

#include "core/ascii_case.h"
#include "json/cjson_api.h"
#include "json/json_node.h"

namespace core {
namespace {

using json::CjsonItem;

constexpr int kDefaultCanvasWidth = 1920;
constexpr int kDefaultCanvasHeight = 1080;
constexpr int kLargestCanvasSide = 16384;

// ---- The rich-text styles: {"styles":[{...,"range":[from,to]}],"text":"..."} ----

bool IsKind(const CjsonItem* item, int32_t kind) {
  return item && (item->type & json::kCjsonTypeMask) == kind;
}

const CjsonItem* Member(const CjsonItem* object, const char* key) {
  if (!IsKind(object, json::kCjsonObject)) return nullptr;
  for (const CjsonItem* member = object->child; member; member = member->next) {
    if (member->string && EqualsIgnoringAsciiCase(member->string, key)) return member;
  }
  return nullptr;
}

const CjsonItem* Path(const CjsonItem* item, std::initializer_list<const char*> keys) {
  for (const char* key : keys) item = Member(item, key);
  return item;
}

DraftNumber NumberAt(const CjsonItem* item) {
  if (!IsKind(item, json::kCjsonNumber)) return std::nullopt;
  return item->valuedouble;
}

bool IsTrue(const CjsonItem* item) { return IsKind(item, json::kCjsonTrue); }

std::string StringAt(const CjsonItem* item) {
  return IsKind(item, json::kCjsonString) && item->valuestring ? item->valuestring : "";
}

const CjsonItem* FirstElement(const CjsonItem* item) {
  return IsKind(item, json::kCjsonArray) ? item->child : nullptr;
}

uint8_t ColorChannel(double share) {
  if (!(share > 0)) return 0;
  return static_cast<uint8_t>(std::lround(std::min(share, 1.0) * 255));
}

double Share(double value) { return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 1.0; }

// A paint of the rich text ({"content":{"solid":{"color":[r,g,b],"alpha":a}},"alpha":a}),
// colour shares 0..1; false when it names no colour.
bool PaintColor(const CjsonItem* paint, LookColor& color) {
  const CjsonItem* solid = Path(paint, {"content", "solid"});
  const CjsonItem* channel = FirstElement(Member(solid, "color"));
  double shares[3];
  for (double& share : shares) {
    if (!IsKind(channel, json::kCjsonNumber)) return false;
    share = channel->valuedouble;
    channel = channel->next;
  }
  color.red = ColorChannel(shares[0]);
  color.green = ColorChannel(shares[1]);
  color.blue = ColorChannel(shares[2]);
  color.alpha = Share(NumberAt(Member(solid, "alpha")).value_or(1)) *
                Share(NumberAt(Member(paint, "alpha")).value_or(1));
  return true;
}

// What one element of "styles" names.
struct RichStyle {
  bool hasFill = false;
  LookColor fill;
  DraftNumber size;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool namesStrokes = false;  // "strokes" present, even empty: no outline
  bool outline = false;
  LookColor outlineColor{0, 0, 0, 1};
  double outlineWidth = 0;
  bool shadow = false;
  LookColor shadowColor{0, 0, 0, 1};
  DraftNumber shadowDistance;
  DraftNumber shadowAngle;
  std::string fontPath;
  int64_t from = 0;  // UTF-16 units of the text
  int64_t to = -1;   // -1: the whole text
};

RichStyle ReadRichStyle(const CjsonItem* style) {
  RichStyle read;
  read.hasFill = PaintColor(Member(style, "fill"), read.fill);
  read.size = NumberAt(Member(style, "size"));
  read.bold = IsTrue(Member(style, "bold"));
  read.italic = IsTrue(Member(style, "italic"));
  read.underline = IsTrue(Member(style, "underline"));
  const CjsonItem* strokes = Member(style, "strokes");
  read.namesStrokes = IsKind(strokes, json::kCjsonArray);
  if (const CjsonItem* stroke = FirstElement(strokes)) {
    read.outline = PaintColor(stroke, read.outlineColor);
    read.outlineWidth = NumberAt(Member(stroke, "width")).value_or(0);
  }
  if (const CjsonItem* shadow = FirstElement(Member(style, "shadows"))) {
    read.shadow = PaintColor(shadow, read.shadowColor);
    read.shadowDistance = NumberAt(Member(shadow, "distance"));
    read.shadowAngle = NumberAt(Member(shadow, "angle"));
  }
  read.fontPath = StringAt(Path(style, {"font", "path"}));
  const CjsonItem* range = FirstElement(Member(style, "range"));
  if (IsKind(range, json::kCjsonNumber) && IsKind(range->next, json::kCjsonNumber)) {
    read.from = static_cast<int64_t>(std::max(0.0, std::min(range->valuedouble, 1e9)));
    read.to = static_cast<int64_t>(std::max(0.0, std::min(range->next->valuedouble, 1e9)));
  }
  return read;
}

struct RichText {
  std::string text;
  std::vector<RichStyle> styles;
};

// The styles of a rich-text content; false for content that is not such a document.
bool ReadRichText(const std::string& content, RichText& rich) {
  size_t first = content.find_first_not_of(" \t\r\n");
  if (first == std::string::npos || content[first] != '{') return false;
  std::lock_guard<std::mutex> turn(json::JsonLibraryTurn());
  json::JsonDocument document;
  if (!document.ParseUtf8Direct(content.data(), content.size())) return false;
  const CjsonItem* root = document.Item();
  const CjsonItem* styles = Member(root, "styles");
  if (!IsKind(styles, json::kCjsonArray)) return false;
  rich.text = StringAt(Member(root, "text"));
  for (const CjsonItem* style = styles->child; style; style = style->next) {
    if (IsKind(style, json::kCjsonObject)) rich.styles.push_back(ReadRichStyle(style));
  }
  return !rich.styles.empty();
}

// The stretches of `text` between UTF-16 positions `from` and `to`.
std::string Utf16Slice(const std::string& text, int64_t from, int64_t to) {
  std::string slice;
  int64_t unit = 0;
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    length = std::min(length, text.size() - i);
    if (unit >= from && unit < to) slice.append(text, i, length);
    unit += length == 4 ? 2 : 1;
    i += length;
  }
  return slice;
}

// ---- The older markup: <outline color=(r,g,b,a) width=w><size=s><color=(r,g,b,a)> ----

// The number list after `tag` ("<color=(1,0.8,0,1)" gives 1, 0.8, 0, 1).
std::vector<double> MarkupNumbers(std::string_view content, std::string_view tag) {
  std::vector<double> numbers;
  size_t at = content.find(tag);
  if (at == std::string_view::npos) return numbers;
  size_t end = content.find_first_of(")>", at + tag.size());
  std::string list(content.substr(at + tag.size(), end == std::string_view::npos
                                                       ? std::string_view::npos
                                                       : end - at - tag.size()));
  const char* p = list.c_str();
  while (*p) {
    char* next = nullptr;
    double number = std::strtod(p, &next);
    if (next == p) {
      ++p;
      continue;
    }
    numbers.push_back(number);
    p = next;
  }
  return numbers;
}

bool MarkupColor(std::string_view content, std::string_view tag, LookColor& color) {
  std::vector<double> shares = MarkupNumbers(content, tag);
  if (shares.size() < 3) return false;
  color.red = ColorChannel(shares[0]);
  color.green = ColorChannel(shares[1]);
  color.blue = ColorChannel(shares[2]);
  color.alpha = shares.size() > 3 ? Share(shares[3]) : 1;
  return true;
}

std::string MarkupQuoted(std::string_view content, std::string_view attribute) {
  size_t at = content.find(attribute);
  if (at == std::string_view::npos) return std::string();
  size_t end = content.find('"', at + attribute.size());
  if (end == std::string_view::npos) return std::string();
  return std::string(content.substr(at + attribute.size(), end - at - attribute.size()));
}

bool IsMarkup(const std::string& content) { return !content.empty() && content[0] == '<'; }

// ---- The plain members ----

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiLower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// "#RRGGBB" (or "#AARRGGBB"); false for anything else, the empty text included.
bool HexColor(const std::string& text, LookColor& color) {
  size_t digits = text.size() > 0 && text[0] == '#' ? text.size() - 1 : 0;
  if (digits != 6 && digits != 8) return false;
  int values[8];
  for (size_t i = 0; i < digits; ++i) {
    values[i] = HexDigit(text[1 + i]);
    if (values[i] < 0) return false;
  }
  size_t rgb = digits - 6;
  color.red = static_cast<uint8_t>(values[rgb] * 16 + values[rgb + 1]);
  color.green = static_cast<uint8_t>(values[rgb + 2] * 16 + values[rgb + 3]);
  color.blue = static_cast<uint8_t>(values[rgb + 4] * 16 + values[rgb + 5]);
  if (digits == 8) color.alpha = (values[0] * 16 + values[1]) / 255.0;
  return true;
}

// The file name of a font path without its folder and extension.
std::string FontFileName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The family a material names (not the editor's "none"), else the font file's name.
std::string FontOf(const DraftTextLook& plain, const std::string& stylePath) {
  bool sameFont = stylePath.empty() || stylePath == plain.fontPath;
  if (sameFont) {
    for (const std::string* family : {&plain.fontTitle, &plain.fontName}) {
      if (!family->empty() && AsciiLowercase(*family) != "none") return *family;
    }
  }
  return FontFileName(stylePath.empty() ? plain.fontPath : stylePath);
}

double Finite(DraftNumber number, double otherwise) {
  return number && std::isfinite(*number) ? *number : otherwise;
}

void ApplyClip(const DraftClip& clip, CaptionLook& look) {
  look.x = std::clamp(Finite(clip.x, look.x), -4.0, 4.0);
  look.y = std::clamp(Finite(clip.y, look.y), -4.0, 4.0);
  look.scaleX = std::clamp(Finite(clip.scaleX, 1), 0.0, 100.0);
  look.scaleY = std::clamp(Finite(clip.scaleY, 1), 0.0, 100.0);
  look.rotation = std::fmod(Finite(clip.rotation, 0), 360.0);
}

void ApplyPlainMembers(const DraftTextLook& plain, CaptionLook& look) {
  if (HexColor(plain.textColor, look.fill)) look.fill.alpha = Share(Finite(plain.textAlpha, 1));
  look.size = Finite(plain.fontSize, look.size);
  look.bold = Finite(plain.boldWidth, 0) > 0;
  look.italic = Finite(plain.italicDegree, 0) != 0;
  look.underline = plain.underline.value_or(false);
  look.outlineWidth = Finite(plain.borderWidth, 0);
  look.outline = HexColor(plain.borderColor, look.outlineColor) && look.outlineWidth > 0;
  if (look.outline) look.outlineColor.alpha = Share(Finite(plain.borderAlpha, 1));
  if (plain.hasShadow.value_or(false)) {
    look.shadow = true;
    HexColor(plain.shadowColor, look.shadowColor);
    look.shadowColor.alpha = Share(Finite(plain.shadowAlpha, 1));
    look.shadowDistance = Finite(plain.shadowDistance, 0);
    look.shadowAngle = Finite(plain.shadowAngle, look.shadowAngle);
  }
  // A material keeps its last box colour after the box is switched off: background_style
  // says whether it shows (drafts older than that member show it by the colour alone).
  if (Finite(plain.backgroundStyle, 1) != 0 && HexColor(plain.backgroundColor, look.boxColor)) {
    look.boxColor.alpha = Share(Finite(plain.backgroundAlpha, 1));
    look.box = look.boxColor.alpha > 0;
  }
  double alignment = Finite(plain.alignment, 1);
  look.alignment = alignment == 0 ? 0 : alignment == 2 ? 2 : 1;
  look.lineSpacing = Finite(plain.lineSpacing, 0);
}

// A rich-text style over the plain members: what it names counts.
void ApplyRichStyle(const RichStyle& style, CaptionLook& look) {
  if (style.hasFill) look.fill = style.fill;
  look.size = Finite(style.size, look.size);
  look.bold = look.bold || style.bold;
  look.italic = look.italic || style.italic;
  look.underline = look.underline || style.underline;
  if (style.namesStrokes) {
    look.outline = style.outline && style.outlineWidth > 0;
    look.outlineColor = style.outlineColor;
    look.outlineWidth = style.outlineWidth;
  }
  if (style.shadow) {
    look.shadow = true;
    look.shadowColor = style.shadowColor;
    look.shadowDistance = Finite(style.shadowDistance, look.shadowDistance);
    look.shadowAngle = Finite(style.shadowAngle, look.shadowAngle);
  }
}

// Each style range as a run, in the text's order; text no range covers keeps the look's.
std::vector<LookRun> RunsOf(const RichText& rich, const CaptionLook& look) {
  std::vector<const RichStyle*> ranged;
  for (const RichStyle& style : rich.styles) {
    if (style.to > style.from) ranged.push_back(&style);
  }
  std::stable_sort(ranged.begin(), ranged.end(),
                   [](const RichStyle* a, const RichStyle* b) { return a->from < b->from; });
  std::vector<LookRun> runs;
  auto add = [&](int64_t from, int64_t to, const RichStyle* style) {
    LookRun run;
    run.text = Utf16Slice(rich.text, from, to);
    if (run.text.empty()) return;
    run.fill = style && style->hasFill ? style->fill : look.fill;
    run.size = style ? Finite(style->size, look.size) : look.size;
    run.bold = style ? style->bold || look.bold : look.bold;
    run.italic = style ? style->italic || look.italic : look.italic;
    runs.push_back(std::move(run));
  };
  int64_t done = 0;
  for (const RichStyle* style : ranged) {
    int64_t from = std::max(style->from, done);
    if (from >= style->to) continue;
    add(done, from, nullptr);
    add(from, style->to, style);
    done = style->to;
  }
  add(done, INT64_MAX, nullptr);
  return runs;
}

const char* ColorWord(const LookColor& c) {
  struct Named {
    const char* name;
    int red, green, blue;
  };
  static const Named kNames[] = {
      {"white", 255, 255, 255}, {"black", 0, 0, 0},       {"grey", 128, 128, 128},
      {"red", 230, 40, 40},     {"orange", 255, 150, 30}, {"yellow", 255, 230, 0},
      {"gold", 255, 200, 120},  {"green", 40, 180, 60},   {"cyan", 0, 220, 230},
      {"blue", 40, 90, 230},    {"purple", 150, 60, 200}, {"pink", 255, 130, 190},
      {"brown", 140, 90, 40}};
  const char* nearest = kNames[0].name;
  long best = -1;
  for (const Named& named : kNames) {
    long dr = c.red - named.red, dg = c.green - named.green, db = c.blue - named.blue;
    long distance = dr * dr + dg * dg + db * db;
    if (best < 0 || distance < best) {
      best = distance;
      nearest = named.name;
    }
  }
  return nearest;
}

int CanvasSide(DraftNumber side) {
  if (!side || !(*side >= 1) || *side > kLargestCanvasSide) return 0;
  return static_cast<int>(*side);
}

}  // namespace

CanvasSize DraftCanvasOf(const DraftModel& draft) {
  CanvasSize canvas;
  int width = CanvasSide(draft.canvasWidth);
  int height = CanvasSide(draft.canvasHeight);
  if (width > 0 && height > 0) {
    canvas.width = width;
    canvas.height = height;
    return canvas;
  }
  for (const DraftNested& nested : draft.drafts) {
    CanvasSize inner = DraftCanvasOf(*nested.draft);
    if (inner.width != kDefaultCanvasWidth || inner.height != kDefaultCanvasHeight) return inner;
  }
  return canvas;
}

CaptionLook CaptionLookOfText(const DraftText* text, const DraftSegment* segment) {
  CaptionLook look;
  if (segment) ApplyClip(segment->clip, look);
  if (!text) return look;
  ApplyPlainMembers(text->look, look);
  RichText rich;
  std::string stylePath;
  if (ReadRichText(text->content, rich)) {
    ApplyRichStyle(rich.styles.front(), look);
    stylePath = rich.styles.front().fontPath;
    if (rich.styles.size() > 1) look.runs = RunsOf(rich, look);
  } else if (IsMarkup(text->content)) {
    MarkupColor(text->content, "<color=(", look.fill);
    std::vector<double> size = MarkupNumbers(text->content, "<size=");
    if (!size.empty() && std::isfinite(size[0])) look.size = size[0];
    LookColor outline{0, 0, 0, 1};
    if (MarkupColor(text->content, "<outline color=(", outline)) {
      std::vector<double> width = MarkupNumbers(text->content, " width=");
      look.outlineColor = outline;
      look.outlineWidth = width.empty() ? 0 : width[0];
      look.outline = look.outlineWidth > 0;
    }
    stylePath = MarkupQuoted(text->content, " path=\"");
  }
  if (!(look.size > 0) || look.size > 1000) look.size = kDefaultCaptionSize;
  look.font = FontOf(text->look, stylePath);
  return look;
}

CaptionLook CaptionLookOf(const DraftModel& draft, const SubtitleOrigin& origin) {
  const DraftModel* inner = &draft;
  for (uint32_t index : origin.nesting) {
    if (index >= inner->drafts.size()) return CaptionLook();
    inner = inner->drafts[index].draft.get();
  }
  const DraftSegment* segment = nullptr;
  if (origin.track >= 0 && static_cast<size_t>(origin.track) < inner->tracks.size()) {
    const std::vector<DraftSegment>& segments = inner->tracks[origin.track].segments;
    if (origin.segment >= 0 && static_cast<size_t>(origin.segment) < segments.size())
      segment = &segments[origin.segment];
  }
  const DraftText* text = nullptr;
  if (origin.text >= 0 && static_cast<size_t>(origin.text) < inner->texts.size())
    text = &inner->texts[origin.text];
  return CaptionLookOfText(text, segment);
}

std::string CaptionLookSummary(const CaptionLook& look) {
  std::string summary = ColorWord(look.fill);
  if (look.outline) summary += ", outline";
  if (look.box) summary += ", box";
  if (look.shadow) summary += ", shadow";
  summary += look.y < -1.0 / 3 ? ", bottom" : look.y > 1.0 / 3 ? ", top" : ", middle";
  return summary;
}

}  // namespace core
