// The command line, the user's language, the font that has the glyphs of the window's
// texts and their widths in it, over Win32.
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <algorithm>
#include <string>

#include "platform/ui_language.h"
#include "platform/win32/ui_font_win.h"

namespace platform {
namespace {

constexpr int kDesignDpi = 96;

UiScript uiScript = UiScript::kSimplifiedChinese;
// The window's Chinese texts on its own buttons: "解析".
std::wstring uiSample = L"\x89e3\x6790";

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// The character set under which the system lists the fonts for a script.
BYTE CharsetOf(UiScript script) {
  switch (script) {
    case UiScript::kVietnamese:
      return VIETNAMESE_CHARSET;
    case UiScript::kThai:
      return THAI_CHARSET;
    case UiScript::kJapanese:
      return SHIFTJIS_CHARSET;
    case UiScript::kKorean:
      return HANGUL_CHARSET;
    case UiScript::kSimplifiedChinese:
      return GB2312_CHARSET;
    case UiScript::kTraditionalChinese:
      return CHINESEBIG5_CHARSET;
    case UiScript::kLatin:
      break;
  }
  return ANSI_CHARSET;
}

// Does `font` have a glyph for every character of the window's texts? Line breaks,
// tabs and the halves of a character beyond the first 65,536 are not asked about.
bool HasGlyphs(HFONT font) {
  std::wstring asked;
  for (wchar_t c : uiSample)
    if (c >= L' ' && (c < 0xD800 || c > 0xDFFF)) asked += c;
  if (!font || asked.empty()) return font != nullptr;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  std::wstring glyphs(asked.size(), L'\0');
  DWORD found = GetGlyphIndicesW(dc, asked.c_str(), static_cast<int>(asked.size()),
                                 reinterpret_cast<WORD*>(&glyphs[0]), GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return found == asked.size() && glyphs.find(static_cast<wchar_t>(0xFFFF)) == std::wstring::npos;
}

// What the search for a face with the glyphs starts from and ends with.
struct FaceSearch {
  LOGFONTW look;          // the message font's size and weight
  HFONT found = nullptr;  // a font with every glyph, once one is found
};

int CALLBACK TryFace(const LOGFONTW* face, const TEXTMETRICW*, DWORD type, LPARAM searchWord) {
  // Vertical faces ("@...") and bitmap fonts do not serve a control's text.
  if (!(type & TRUETYPE_FONTTYPE) || face->lfFaceName[0] == L'@') return 1;
  auto* search = reinterpret_cast<FaceSearch*>(searchWord);
  LOGFONTW wanted = search->look;
  lstrcpynW(wanted.lfFaceName, face->lfFaceName, LF_FACESIZE);
  wanted.lfCharSet = DEFAULT_CHARSET;
  HFONT font = CreateFontIndirectW(&wanted);
  if (font && HasGlyphs(font)) {
    search->found = font;
    return 0;
  }
  if (font) DeleteObject(font);
  return 1;
}

// The first font listed under `charset` that has every glyph, or null.
HFONT FirstFontWithGlyphs(const LOGFONTW& look, BYTE charset) {
  FaceSearch search{look};
  LOGFONTW query{};
  query.lfCharSet = charset;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &query, TryFace, reinterpret_cast<LPARAM>(&search), 0);
  ReleaseDC(nullptr, dc);
  return search.found;
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

// The width of `text` in the window's font at `dpi`, in pixels.
int WidthAt(const std::wstring& text, int dpi) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, static_cast<HFONT>(UiFontForDpi(dpi)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

}  // namespace

HFONT CreateFontForUiTexts(const LOGFONTW& messageFont) {
  HFONT font = CreateFontIndirectW(&messageFont);
  if (font && HasGlyphs(font)) return font;
  // A system whose message font lacks the script, such as a Western one showing Thai:
  // a font listed for the script, else any font, that has every glyph.
  HFONT fallback = FirstFontWithGlyphs(messageFont, CharsetOf(uiScript));
  if (!fallback) fallback = FirstFontWithGlyphs(messageFont, DEFAULT_CHARSET);
  if (!fallback) return font;
  if (font) DeleteObject(font);
  return fallback;
}

std::vector<std::u16string> ProgramArguments() {
  std::vector<std::u16string> arguments;
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!words) return arguments;
  for (int i = 1; i < count; ++i) {
    const wchar_t* word = words[i];
    arguments.emplace_back(word, word + lstrlenW(word));
  }
  LocalFree(words);
  return arguments;
}

uint16_t UserInterfaceLanguage() { return GetUserDefaultUILanguage(); }

void SetUiTextScript(UiScript script, const std::u16string& sample) {
  uiScript = script;
  uiSample = Wide(sample);
  ForgetUiFonts();
}

int UiTextWidth(const std::u16string& text) {
  std::wstring wide = Wide(text);
  int atDesign = WidthAt(wide, kDesignDpi);
  int dpi = SystemDpi();
  if (dpi == kDesignDpi) return atDesign;
  int atSystem = (WidthAt(wide, dpi) * kDesignDpi + dpi - 1) / dpi;
  return std::max(atDesign, atSystem);
}

void SetViewTextWide(View* view, const std::u16string& text) {
  SetWindowTextW(reinterpret_cast<HWND>(view), Wide(text).c_str());
}

}  // namespace platform
