// One line of a cell's text laid out by Uniscribe, the way Windows lays out a paragraph:
// each script shaped (Thai and Vietnamese marks on their letters, Arabic letters joined),
// right-to-left runs in their order, characters beyond U+FFFF as one glyph, and what the
// font lacks taken from a linked or fallback font. Measuring and drawing share the layout.
#pragma once

#include <windows.h>
#include <usp10.h>

#include <memory>
#include <vector>

#include "ui/text_convert.h"

namespace ui {

class ShapedLine {
 public:
  // Lays `text` out in `font` on `dc` (which keeps its own font); a right-to-left line
  // reads as a right-to-left paragraph. Emoji go to `emojiFont` when it is given. Never
  // throws; without Uniscribe, or where it refuses the text, the line is measured and
  // drawn by the font's plain glyphs.
  ShapedLine(HDC dc, HFONT font, const WideText& text, bool rightToLeft, HFONT emojiFont = nullptr);
  ~ShapedLine();
  ShapedLine(const ShapedLine&) = delete;
  ShapedLine& operator=(const ShapedLine&) = delete;

  // Pixels from the line's left end to its right end.
  int Width() const { return width_; }
  // Draws the line from `x` on the baseline or top at `y` (as the DC's vertical text
  // alignment says), in the DC's text colour, clipped to `clip`. `dc` is the one the
  // line was laid out on.
  void Draw(HDC dc, int x, int y, const RECT& clip) const;

 private:
  // A part of the line in one font and one direction, shaped as a whole.
  class Run;
  void AddRun(HDC dc, HFONT font, const WideText& text, bool rightToLeft);

  std::vector<std::unique_ptr<Run>> runs_;  // from left to right
  int width_ = 0;
};

// A face that draws emoji at the height of `font`, or nullptr when the system has none.
HFONT CreateEmojiFont(HDC dc, HFONT font);

}  // namespace ui
