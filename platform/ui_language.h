// What the window needs of the system to speak the user's language: the program's
// command line, the user's Windows language, a font with the glyphs of the language's
// texts and the width of a text in that font. (Texts reach the screen in UTF-16 through
// SetViewWideText and ShowMessageBoxWide, platform.h.)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

// The program's command-line arguments after its own name, as Windows splits them
// (CommandLineToArgvW). The Linux build answers what standin::SetProgramArguments set.
std::vector<std::u16string> ProgramArguments();

// The user's Windows user-interface language, a language identifier such as 0x0804
// (GetUserDefaultUILanguage). The Linux build answers what
// standin::SetUserInterfaceLanguage set, 0x0804 until then.
uint16_t UserInterfaceLanguage();

// The writing system of the window's texts, which decides the fonts that may show them.
enum class UiScript : uint8_t {
  kLatin,
  kVietnamese,
  kThai,
  kJapanese,
  kKorean,
  kSimplifiedChinese,
  kTraditionalChinese,
};

// The window's texts are written in `script` and use the characters of `sample`.
// From now on UiFont and UiFontForDpi give the system's message font when it has a
// glyph for each character of `sample`, else the first font of the system for `script`
// that has them all (the message font when none has). Fonts made before are
// forgotten: call it before the first window is made. Until called, the sample is the
// window's Chinese.
void SetUiTextScript(UiScript script, const std::u16string& sample);

// The width of one line of `text` in the window's font, in 96-DPI numbers: measured at
// 96 DPI and at the system's DPI, the wider of the two, since a font's widths do not
// grow exactly with its size. The Linux build counts 7 for an ASCII character and 12
// for any other.
int UiTextWidth(const std::u16string& text);

}  // namespace platform
