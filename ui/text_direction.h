// Which way a caption reads, decided as Windows decides it for a paragraph: by the first
// character with a strong direction (a letter), skipping digits, punctuation, spaces,
// symbols, emoji and combining marks.
#pragma once

#include "ui/text_convert.h"

namespace ui {

enum class TextDirection { kNeutral, kLeftToRight, kRightToLeft };

// The direction of one UTF-16 character or decoded code point: right to left for the
// Hebrew, Arabic and other right-to-left letters (and the RLM and ALM marks), left to
// right for the letters of every other script (and LRM), neutral for the rest.
TextDirection StrongDirectionOf(char32_t codePoint);

// The direction of the first strongly directional character of `text` (surrogate pairs
// decoded), or kNeutral when it has none. A caption that starts right to left reads right
// to left as a whole: its lines, their order, punctuation and numbers.
TextDirection FirstStrongDirection(const WideText& text);

// How a line of that direction is placed in a cell aligned `align`: a right-to-left line
// in a left-aligned cell sits at the right edge, where a right-to-left paragraph starts,
// as Windows' own controls place it; centred and right-aligned cells keep their alignment.
enum class CellAlign { kLeft, kCentre, kRight };
CellAlign LineAlignment(CellAlign align, TextDirection direction);

}  // namespace ui
