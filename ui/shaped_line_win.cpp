#include "ui/shaped_line_win.h"

namespace ui {
namespace {

const wchar_t* Wide(const WideText& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// Selects a font into a DC for one scope.
class FontScope {
 public:
  FontScope(HDC dc, HFONT font) : dc_(dc), old_(SelectObject(dc, font)) {}
  ~FontScope() {
    if (old_) SelectObject(dc_, old_);
  }
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace

ShapedLine::ShapedLine(HDC dc, HFONT font, const WideText& text, bool rightToLeft)
    : font_(font), text_(text) {
  if (text_.empty()) return;
  FontScope keep(dc, font_);
  int length = static_cast<int>(text_.size());
  // Room for every glyph a line can need, as Uniscribe asks: one and a half per unit.
  int glyphs = length * 3 / 2 + 16;
  DWORD flags = SSA_GLYPHS | SSA_FALLBACK | SSA_LINK;
  SCRIPT_STATE state{};
  if (rightToLeft) {
    // The flag asks for a right-to-left paragraph; the state's embedding level says the
    // same to implementations that read only the state (Wine).
    flags |= SSA_RTL;
    state.uBidiLevel = 1;
  }
  HRESULT result = ScriptStringAnalyse(dc, Wide(text_), length, glyphs, -1, flags, 0, nullptr,
                                       &state, nullptr, nullptr, nullptr, &analysis_);
  if (SUCCEEDED(result) && analysis_) {
    if (const SIZE* size = ScriptString_pSize(analysis_)) {
      width_ = size->cx;
      return;
    }
    ScriptStringFree(&analysis_);
    analysis_ = nullptr;
  }
  SIZE size{};
  if (GetTextExtentPoint32W(dc, Wide(text_), length, &size)) width_ = size.cx;
}

ShapedLine::~ShapedLine() {
  if (analysis_) ScriptStringFree(&analysis_);
}

void ShapedLine::Draw(HDC dc, int x, int y, const RECT& clip) const {
  if (text_.empty()) return;
  FontScope keep(dc, font_);
  if (analysis_) {
    // The analysis draws on the DC it was made with; the cell painter lays out and
    // draws on the same one.
    ScriptStringOut(analysis_, x, y, ETO_CLIPPED, &clip, 0, 0, FALSE);
    return;
  }
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, Wide(text_), static_cast<UINT>(text_.size()), nullptr);
}

}  // namespace ui
