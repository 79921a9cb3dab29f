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

// Does `font` have a glyph for every character of `sample`? Line breaks, tabs and the
// halves of a character beyond the first 65,536 are not asked about.
bool HasGlyphsFor(HFONT font, const std::wstring& sample) {
  std::wstring asked;
  for (wchar_t c : sample)
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

bool HasGlyphs(HFONT font) { return HasGlyphsFor(font, uiSample); }

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

// The system's message font, as message boxes show their text in it; null if it cannot
// be made.
HFONT CreateSystemMessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    metrics.cbSize = sizeof metrics - sizeof metrics.iPaddedBorderWidth;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      return nullptr;
  }
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

constexpr wchar_t kDialogClass[] = L"#32770";

HHOOK messageBoxHook = nullptr;
std::wstring messageBoxText;  // the text of the box the hook waits for

// A control's place in its parent's client area.
RECT ChildPlace(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// Gives a message box the window's font, and room for its text in it:
// the text area grows down, the buttons and the box with it.
void RefontMessageBox(HWND box) {
  auto font = static_cast<HFONT>(UiFontForDpi(ViewDpi(reinterpret_cast<View*>(box))));
  // The control that shows the message: Windows and Wine number it differently.
  HWND text = nullptr;
  for (HWND child = GetWindow(box, GW_CHILD); child && !text;
       child = GetWindow(child, GW_HWNDNEXT)) {
    int length = GetWindowTextLengthW(child);
    std::wstring shown(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(child, &shown[0], length + 1);
    shown.resize(static_cast<size_t>(length));
    if (shown == messageBoxText) text = child;
  }
  if (!font || !text) return;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int length = GetWindowTextLengthW(text);
  std::wstring message(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(text, &message[0], length + 1);
  message.resize(static_cast<size_t>(length));
  RECT place = ChildPlace(text);
  RECT needed = {0, 0, place.right - place.left, 0};
  HDC dc = GetDC(text);
  HGDIOBJ old = SelectObject(dc, font);
  DrawTextW(dc, message.c_str(), length, &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(text, dc);
  int lower =
      std::max(0, static_cast<int>(needed.bottom) - static_cast<int>(place.bottom - place.top));
  int wider =
      std::max(0, static_cast<int>(needed.right) - static_cast<int>(place.right - place.left));
  MoveWindow(text, place.left, place.top, place.right - place.left + wider,
             place.bottom - place.top + lower, FALSE);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == text) continue;
    RECT at = ChildPlace(child);
    // The buttons lie below the text; the icon beside it stays.
    if (at.top >= place.bottom)
      MoveWindow(child, at.left + wider / 2, at.top + lower, at.right - at.left, at.bottom - at.top,
                 FALSE);
  }
  RECT frame;
  GetWindowRect(box, &frame);
  SetWindowPos(box, nullptr, frame.left - wider / 2, frame.top - lower / 2,
               frame.right - frame.left + wider, frame.bottom - frame.top + lower,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Once the box has set its text and its size (its WM_INITDIALOG has returned), it is
// given the font.
LRESULT CALLBACK MessageBoxHook(int code, WPARAM wParam, LPARAM lParam) {
  HHOOK hook = messageBoxHook;
  const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG) {
    wchar_t className[16] = L"";
    GetClassNameW(call->hwnd, className, 16);
    if (lstrcmpW(className, kDialogClass) == 0) {
      // Once: a box it opens later has its own.
      UnhookWindowsHookEx(messageBoxHook);
      messageBoxHook = nullptr;
      RefontMessageBox(call->hwnd);
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

MessageBoxFont::MessageBoxFont(const wchar_t* text) {
  HFONT system = CreateSystemMessageFont();
  bool lacking = system && text && !HasGlyphsFor(system, text);
  if (system) DeleteObject(system);
  if (!lacking || messageBoxHook) return;
  messageBoxText = text;
  hook_ = SetWindowsHookExW(WH_CALLWNDPROCRET, MessageBoxHook, nullptr, GetCurrentThreadId());
  messageBoxHook = hook_;
}

MessageBoxFont::~MessageBoxFont() {
  // Still there when no box was activated (it could not be shown).
  if (hook_ && messageBoxHook == hook_) {
    UnhookWindowsHookEx(hook_);
    messageBoxHook = nullptr;
  }
}

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

}  // namespace platform
