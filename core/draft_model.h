// What a draft holds that decides its captions, copied out of the JSON as plain values.
// A reader fills these structs and decides nothing; the timeline (core/timeline.h) holds
// every rule about which captions exist and when. Texts are UTF-8 as stored.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core {

// Compound clips nest drafts inside drafts; deeper ones are not read.
constexpr int kMaxNestedDraftDepth = 8;

// The largest whole number a reader takes from a draft (2^53, where doubles stop
// holding every whole number): a time or flag beyond it is held to it.
constexpr double kDraftNumberLimit = 9007199254740992.0;

// A draft's JSON number, as the double every reader holds it, as a whole number
// (microseconds, flags): cut toward zero and held within -2^53..2^53; 0 for NaN.
inline int64_t WholeNumberOf(double number) {
  if (std::isnan(number)) return 0;
  if (number >= kDraftNumberLimit) return static_cast<int64_t>(kDraftNumberLimit);
  if (number <= -kDraftNumberLimit) return -static_cast<int64_t>(kDraftNumberLimit);
  return static_cast<int64_t>(number);  // the conversion cuts toward zero
}
// A number the draft may leave out: empty when absent or not a number.
using DraftNumber = std::optional<double>;
// A flag the draft may leave out: empty when absent or not true or false.
using DraftFlag = std::optional<bool>;

// The look a text material names in its older plain members, each as stored (colours
// "#RRGGBB", sizes in the editor's units); the rich-text `content` may name it again.
struct DraftTextLook {
  std::string textColor;        // text_color
  DraftNumber textAlpha;        // text_alpha
  DraftNumber fontSize;         // font_size
  DraftNumber textSize;         // text_size
  std::string borderColor;      // border_color
  DraftNumber borderWidth;      // border_width
  DraftNumber borderAlpha;      // border_alpha
  std::string backgroundColor;  // background_color
  DraftNumber backgroundAlpha;  // background_alpha
  DraftNumber backgroundStyle;  // background_style: 0 no box
  DraftFlag hasShadow;          // has_shadow
  std::string shadowColor;      // shadow_color
  DraftNumber shadowAlpha;      // shadow_alpha
  DraftNumber shadowDistance;   // shadow_distance
  DraftNumber shadowAngle;      // shadow_angle, degrees
  DraftNumber alignment;        // alignment: 0 left, 1 centre, 2 right
  DraftNumber lineSpacing;      // line_spacing
  DraftNumber boldWidth;        // bold_width
  DraftNumber italicDegree;     // italic_degree
  DraftFlag underline;          // underline
  std::string fontPath;         // font_path
  std::string fontTitle;        // font_title
  std::string fontName;         // font_name
};

struct DraftText {
  std::string id;       // empty when absent or not a string
  std::string content;  // the stored `content`, rich text or markup included
  bool contentIsString = false;
  DraftTextLook look = {};
};

struct DraftTextTemplate {
  std::string id;
  std::vector<std::string> textIds;  // text_info_resources[].text_material_id, in order
};

// Where a segment puts its picture (`clip`), each value as stored.
struct DraftClip {
  DraftNumber x;         // transform.x: -1 left edge .. 1 right edge
  DraftNumber y;         // transform.y: -1 bottom edge .. 1 top edge
  DraftNumber scaleX;    // scale.x
  DraftNumber scaleY;    // scale.y
  DraftNumber rotation;  // degrees, clockwise
};

struct DraftSegment {
  std::string materialId;
  std::vector<std::string> extraMaterialRefs;
  int64_t targetStart = 0;     // microseconds
  int64_t targetDuration = 0;  // microseconds
  int64_t sourceStart = 0;     // 0 when absent
  double speed = 0;            // 0 when absent
  bool visible = true;         // false only when stored as false
  DraftClip clip = {};
};

struct DraftTrack {
  std::string type;
  std::string name;
  int64_t attribute = 0;  // bit flags; 0 when absent or not a number
  std::vector<DraftSegment> segments;
};

struct DraftModel;

// An element of materials.drafts that holds a nested draft (a compound clip's timeline).
struct DraftNested {
  std::string id;
  std::unique_ptr<DraftModel> draft;
};

struct DraftModel {
  DraftNumber canvasWidth;   // canvas_config.width, pixels
  DraftNumber canvasHeight;  // canvas_config.height
  std::vector<DraftText> texts;
  std::vector<DraftTextTemplate> textTemplates;
  std::vector<DraftTrack> tracks;
  std::vector<DraftNested> drafts;
};

}  // namespace core
