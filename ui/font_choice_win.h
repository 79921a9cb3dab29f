// Fonts chosen for the glyphs they have: the table's edit box and its emoji take a face
// of their own where the table's font lacks the characters.
#pragma once

#include <windows.h>

#include <vector>

#include "ui/text_convert.h"

namespace ui {

// Selects an object into a DC for one scope.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectGuard() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Whether `font` lacks a glyph for some character of `text` (UTF-16 units, each asked on
// its own), which then comes from another font.
bool FontLacksGlyphs(HDC dc, HFONT font, const WideText& text);

// The first of `faces` that the system has and that has a glyph for every unit of
// `needed`, at the size, weight and style of `font`; nullptr when none has. The font
// mapper gives another face for one the system lacks: such a face does not count. The
// caller deletes the font.
HFONT CreateFirstFaceWith(HDC dc, HFONT font, const std::vector<const wchar_t*>& faces,
                          const WideText& needed);

}  // namespace ui
