// How a caption looks on the editor's canvas: place, size, colours, outline, shadow and
// background, decided from what the draft model holds. The editor's rich-text styles
// count where the content has them, the text material's older plain members otherwise,
// and the editor's defaults (white, centred, in the lower third) where the draft names
// nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/draft_model.h"
#include "core/timeline.h"

namespace core {

// Where a caption sits when its segment names no place: the editor's caption line.
constexpr double kDefaultCaptionY = -0.73;
// The editor's size of a caption that names none, in its units.
constexpr double kDefaultCaptionSize = 8;

struct LookColor {
  uint8_t red = 255;
  uint8_t green = 255;
  uint8_t blue = 255;
  double alpha = 1;  // 0 clear .. 1 opaque

  bool operator==(const LookColor& other) const {
    return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
  }
};

// A stretch of a caption's text with a fill, size and weight of its own.
struct LookRun {
  std::string text;  // UTF-8, as the content holds it
  LookColor fill;
  double size = kDefaultCaptionSize;
  bool bold = false;
  bool italic = false;
};

struct CaptionLook {
  double x = 0;                 // centre: -1 left edge .. 1 right edge
  double y = kDefaultCaptionY;  // centre: -1 bottom edge .. 1 top edge
  double scaleX = 1;
  double scaleY = 1;
  double rotation = 0;                // degrees, clockwise
  std::string font;                   // family or font file name; empty: the player's own
  double size = kDefaultCaptionSize;  // the editor's units
  LookColor fill;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool outline = false;
  LookColor outlineColor{0, 0, 0, 1};
  double outlineWidth = 0;  // as a share of the size
  bool shadow = false;
  LookColor shadowColor{0, 0, 0, 1};
  double shadowDistance = 0;  // the editor's units
  double shadowAngle = -45;   // degrees, counter-clockwise from the right
  bool box = false;
  LookColor boxColor{0, 0, 0, 1};
  int alignment = 1;  // 0 left, 1 centre, 2 right
  double lineSpacing = 0;
  std::vector<LookRun> runs;  // two or more where the look changes inside the text
};

struct CanvasSize {
  int width = 1920;
  int height = 1080;
};

// The canvas of `draft` in pixels: its canvas_config, else that of the first nested draft
// that has one (a compound clip's timeline), else 1920 x 1080.
CanvasSize DraftCanvasOf(const DraftModel& draft);

// The look of the subtitle of `draft` that `origin` points at; the defaults for an origin
// the draft does not hold.
CaptionLook CaptionLookOf(const DraftModel& draft, const SubtitleOrigin& origin);

// The look of the text material `text` placed by `segment` (either may be null).
CaptionLook CaptionLookOfText(const DraftText* text, const DraftSegment* segment);

// The look in a few words: its colour, "outline", "box", "shadow" and where it sits
// ("white, outline, bottom"; "gold, top").
std::string CaptionLookSummary(const CaptionLook& look);

}  // namespace core
