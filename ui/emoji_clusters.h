// Where a caption holds emoji, for drawing them in a face that has them: the table's
// font and the system's fallback often have none, and then show each of an emoji's
// characters (a selector, a skin tone) as a box of its own.
#pragma once

#include <cstddef>
#include <vector>

#include "ui/text_convert.h"

namespace ui {

// A range of a text's UTF-16 units, from `start` up to `end`.
struct UnitRange {
  size_t start;
  size_t end;
  bool operator==(const UnitRange& other) const { return start == other.start && end == other.end; }
};

// The emoji clusters of `text`, in order: each a pictograph beyond U+FFFF (or a symbol of
// the Basic Multilingual Plane that a variation selector asks to show as emoji) with what
// belongs to it: variation selectors, skin tones, a keycap, tag characters, a second
// regional indicator, and pictographs joined to it by zero-width joiners. A surrogate pair
// is never cut.
std::vector<UnitRange> EmojiClusters(const WideText& text);

// An emoji cluster as a plain outline font draws it: without the variation selectors and
// joiners, which such a font has no glyphs for and would show as boxes.
WideText EmojiAsDrawn(const WideText& cluster);

}  // namespace ui
