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

// While alive, the next message box of this thread shows its text and buttons in the
// window's font when the system's message font lacks a glyph of `text` (say, Thai on a
// system set up for Chinese), its text area grown to hold the text in that font.
class MessageBoxFont {
 public:
  explicit MessageBoxFont(const wchar_t* text);
  ~MessageBoxFont();
  MessageBoxFont(const MessageBoxFont&) = delete;
  MessageBoxFont& operator=(const MessageBoxFont&) = delete;

 private:
  HHOOK hook_ = nullptr;
};

}  // namespace platform
