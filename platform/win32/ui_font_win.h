// The window's font, shared between the file that makes and keeps the fonts
// (ui_win.cpp) and the one that knows which glyphs the window's texts need
// (ui_language_win.cpp).
#pragma once

#include <windows.h>

namespace platform {

// A font like `messageFont` that has a glyph for every character of the window's texts:
// `messageFont` itself when it has them, else the first font of the texts' script that
// has them all, else `messageFont`. Null when no font could be made.
HFONT CreateFontForUiTexts(const LOGFONTW& messageFont);

// Deletes the fonts made so far; the next UiFontForDpi makes them again.
void ForgetUiFonts();

}  // namespace platform
