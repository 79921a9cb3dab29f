#include "ui/shaped_line_win.h"

#include <algorithm>

#include "ui/emoji_clusters.h"
#include "ui/font_choice_win.h"

namespace ui {
namespace {

const wchar_t* Wide(const WideText& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// Faces with emoji outlines that GDI draws: Windows' own, then common free ones.
const std::vector<const wchar_t*> kEmojiFaces = {L"Segoe UI Emoji", L"Segoe UI Symbol", L"Symbola",
                                                 L"Noto Emoji"};

// A part of a line: where it starts and ends, its embedding level, and whether it is an
// emoji cluster.
struct Piece {
  size_t start;
  size_t end;
  BYTE level;
  bool emoji;
};

// The line cut where its bidirectional level changes and around each emoji cluster, in
// reading order; empty when Uniscribe cannot itemize it.
std::vector<Piece> CutLine(const WideText& text, bool rightToLeft,
                           const std::vector<UnitRange>& clusters) {
  int length = static_cast<int>(text.size());
  std::vector<SCRIPT_ITEM> items(text.size() + 2);
  SCRIPT_CONTROL control{};
  SCRIPT_STATE state{};
  state.uBidiLevel = rightToLeft ? 1 : 0;
  int count = 0;
  if (FAILED(ScriptItemize(Wide(text), length, static_cast<int>(items.size()) - 1, &control, &state,
                           items.data(), &count))) {
    return {};
  }
  std::vector<Piece> pieces;
  size_t next = 0;  // the first cluster not yet cut out
  for (int k = 0; k < count; ++k) {
    size_t start = static_cast<size_t>(items[k].iCharPos);
    size_t end = static_cast<size_t>(items[k + 1].iCharPos);
    BYTE level = static_cast<BYTE>(items[k].a.s.uBidiLevel);
    while (start < end) {
      while (next < clusters.size() && clusters[next].end <= start) ++next;
      if (next < clusters.size() && clusters[next].start <= start) {
        size_t stop = std::min(end, clusters[next].end);
        pieces.push_back({start, stop, level, true});
        start = stop;
      } else {
        size_t stop = next < clusters.size() ? std::min(end, clusters[next].start) : end;
        pieces.push_back({start, stop, level, false});
        start = stop;
      }
    }
  }
  return pieces;
}

}  // namespace

class ShapedLine::Run {
 public:
  Run(HDC dc, HFONT font, const WideText& text, bool rightToLeft) : font_(font), text_(text) {
    if (text_.empty()) return;
    SelectGuard keep(dc, font_);
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
  ~Run() {
    if (analysis_) ScriptStringFree(&analysis_);
  }
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  int Width() const { return width_; }
  void Draw(HDC dc, int x, int y, const RECT& clip) const {
    if (text_.empty()) return;
    SelectGuard keep(dc, font_);
    if (analysis_) {
      // The analysis draws on the DC it was made with.
      ScriptStringOut(analysis_, x, y, ETO_CLIPPED, &clip, 0, 0, FALSE);
      return;
    }
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, Wide(text_), static_cast<UINT>(text_.size()),
                nullptr);
  }

 private:
  HFONT font_;
  WideText text_;
  SCRIPT_STRING_ANALYSIS analysis_ = nullptr;
  int width_ = 0;
};

ShapedLine::ShapedLine(HDC dc, HFONT font, const WideText& text, bool rightToLeft,
                       HFONT emojiFont) {
  std::vector<UnitRange> clusters = emojiFont ? EmojiClusters(text) : std::vector<UnitRange>();
  std::vector<Piece> pieces =
      clusters.empty() ? std::vector<Piece>() : CutLine(text, rightToLeft, clusters);
  if (pieces.empty()) {
    AddRun(dc, font, text, rightToLeft);
    return;
  }
  // Each piece is shaped alone and the pieces are placed in the order their levels give,
  // as the system orders the runs of a paragraph.
  std::vector<BYTE> levels;
  for (const Piece& piece : pieces) levels.push_back(piece.level);
  std::vector<int> visualToLogical(pieces.size());
  if (FAILED(ScriptLayout(static_cast<int>(pieces.size()), levels.data(), visualToLogical.data(),
                          nullptr))) {
    for (size_t i = 0; i < pieces.size(); ++i) visualToLogical[i] = static_cast<int>(i);
  }
  for (int index : visualToLogical) {
    const Piece& piece = pieces[static_cast<size_t>(index)];
    WideText part = text.substr(piece.start, piece.end - piece.start);
    if (piece.emoji) {
      AddRun(dc, emojiFont, EmojiAsDrawn(part), false);
    } else {
      AddRun(dc, font, part, (piece.level & 1) != 0);
    }
  }
}

ShapedLine::~ShapedLine() = default;

void ShapedLine::AddRun(HDC dc, HFONT font, const WideText& text, bool rightToLeft) {
  runs_.push_back(std::make_unique<Run>(dc, font, text, rightToLeft));
  width_ += runs_.back()->Width();
}

void ShapedLine::Draw(HDC dc, int x, int y, const RECT& clip) const {
  for (const auto& run : runs_) {
    run->Draw(dc, x, y, clip);
    x += run->Width();
  }
}

HFONT CreateEmojiFont(HDC dc, HFONT font) {
  return CreateFirstFaceWith(dc, font, kEmojiFaces, WideText());
}

}  // namespace ui
