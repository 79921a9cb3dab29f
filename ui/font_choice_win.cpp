#include "ui/font_choice_win.h"

#include <algorithm>

namespace ui {

bool FontLacksGlyphs(HDC dc, HFONT font, const WideText& text) {
  if (text.empty()) return false;
  SelectGuard keep(dc, font);
  std::vector<WORD> indices(text.size());
  DWORD done =
      GetGlyphIndicesW(dc, reinterpret_cast<const wchar_t*>(text.c_str()),
                       static_cast<int>(text.size()), indices.data(), GGI_MARK_NONEXISTING_GLYPHS);
  return done == GDI_ERROR || std::find(indices.begin(), indices.end(), 0xFFFF) != indices.end();
}

HFONT CreateFirstFaceWith(HDC dc, HFONT font, const std::vector<const wchar_t*>& faces,
                          const WideText& needed) {
  LOGFONTW base{};
  if (!GetObjectW(font, sizeof base, &base)) return nullptr;
  for (const wchar_t* face : faces) {
    LOGFONTW lf = base;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
    HFONT candidate = CreateFontIndirectW(&lf);
    if (!candidate) continue;
    wchar_t chosen[LF_FACESIZE] = L"";
    {
      SelectGuard keep(dc, candidate);
      GetTextFaceW(dc, LF_FACESIZE, chosen);
    }
    if (lstrcmpiW(chosen, face) == 0 && !FontLacksGlyphs(dc, candidate, needed)) return candidate;
    DeleteObject(candidate);
  }
  return nullptr;
}

}  // namespace ui
