// The language the window speaks: chosen at start from the program's command line or
// the user's Windows language, with a font that has its script, a left column wide
// enough for its buttons' captions, and its texts on the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "language/language.h"

namespace app {

struct LanguageChoice {
  language::Language language = language::Language::kZhCn;
  // The code of a `--lang` that names no language (UTF-16, as given), else empty.
  std::u16string unknownCode;
  bool unknown = false;
};

// The language that `--lang <code>` or `--lang=<code>` among `arguments` names; without
// one, or when its code names no language (then told in unknownCode), the language of the
// Windows language identifier `systemLanguage`. Other arguments are not looked at.
LanguageChoice ChooseWindowLanguage(const std::vector<std::u16string>& arguments,
                                    uint16_t systemLanguage);

// How much wider (96-DPI numbers) the main window's left column must be for captions
// whose widest is `widestCaption`, on buttons `buttonWidth` wide: 0 when they fit.
int LeftColumnGrowth(int widestCaption, int buttonWidth);

// At start, before the main window is made: chooses the window's language from the
// program's command line and the user's Windows language and tells the user, in the
// system's language, of a code that names none; then sets the language, the font for its
// script and the left column's width for its buttons' captions.
void StartInWindowLanguage();

// Once the main window is made: its buttons, column titles and dialogs in the window's
// language.
void ShowWindowTexts();

}  // namespace app
