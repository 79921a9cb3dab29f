#include "ui/grid_find.h"

#include <string>

namespace ui {
namespace {

// Simple case folding: ASCII, Latin-1, Greek, Cyrillic and the full-width Latin letters.
char16_t Folded(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
      (c >= 0x391 && c <= 0x3A9) || (c >= 0x410 && c <= 0x42F) || (c >= 0xFF21 && c <= 0xFF3A)) {
    return static_cast<char16_t>(c + 0x20);
  }
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  return c;
}

bool IsWordUnit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
         c == u'_' || (c >= 0xC0 && c < 0x2B0 && c != 0xD7 && c != 0xF7) ||
         (c >= 0x370 && c <= 0x52F) || (c >= 0xFF10 && c <= 0xFF19) ||
         (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0xFF41 && c <= 0xFF5A);
}

bool Searchable(const FindQuery& query) {
  return !query.what.empty() && query.what.find_first_of(u"\r\n") == WideText::npos;
}

bool MatchesAt(const WideText& text, const FindQuery& query, size_t at) {
  const WideText& what = query.what;
  if (at + what.size() > text.size()) return false;
  for (size_t i = 0; i < what.size(); ++i) {
    char16_t a = text[at + i], b = what[i];
    if (query.matchCase ? a != b : Folded(a) != Folded(b)) return false;
  }
  if (!query.wholeWord) return true;
  return (at == 0 || !IsWordUnit(text[at - 1]) || !IsWordUnit(what.front())) &&
         (at + what.size() == text.size() || !IsWordUnit(text[at + what.size()]) ||
          !IsWordUnit(what.back()));
}

// The last match that starts before `before`; npos when none.
size_t FindBefore(const WideText& text, const FindQuery& query, size_t before) {
  size_t found = WideText::npos;
  for (size_t at = FindInText(text, query, 0); at != WideText::npos && at < before;
       at = FindInText(text, query, at + 1)) {
    found = at;
  }
  return found;
}

WideText ShownTextOf(const CGridCtrl& grid, int32_t row, int32_t column) {
  const CGridCell* cell = grid.Cell(row, column);
  return cell ? cell->ShownText() : WideText();
}

}  // namespace

size_t FindInText(const WideText& text, const FindQuery& query, size_t from) {
  if (!Searchable(query)) return WideText::npos;
  for (size_t at = from; at + query.what.size() <= text.size(); ++at) {
    if (MatchesAt(text, query, at)) return at;
  }
  return WideText::npos;
}

TextMatch FindInColumn(const CGridCtrl& grid, int32_t column, const FindQuery& query,
                       const TextMatch& from, bool down) {
  int32_t first = grid.FixedRowCount(), count = grid.RowCount() - first;
  if (!Searchable(query) || count <= 0 || column < 0 || column >= grid.ColumnCount()) return {};
  int32_t start = from.row >= first && from.row < grid.RowCount() ? from.row : first;
  // The starting row is searched twice: after (or before) the start, then, once the
  // search has wrapped, the rest of it.
  for (int32_t step = 0; step <= count; ++step) {
    int32_t offset = down ? step : -step;
    int32_t row = first + (((start - first + offset) % count) + count) % count;
    WideText text = ShownTextOf(grid, row, column);
    size_t at;
    if (step == 0 && from.row == row) {
      at = down ? FindInText(text, query, from.start + from.length)
                : FindBefore(text, query, from.start);
    } else {
      at = down ? FindInText(text, query, 0) : FindBefore(text, query, text.size() + 1);
    }
    if (at != WideText::npos) return {row, column, at, query.what.size()};
  }
  return {};
}

WideText ReplaceInText(const WideText& text, const FindQuery& query, const WideText& replacement,
                       size_t& count) {
  count = 0;
  WideText out;
  size_t done = 0;
  for (size_t at = FindInText(text, query, 0); at != WideText::npos;
       at = FindInText(text, query, done)) {
    out.append(text, done, at - done);
    out += replacement;
    done = at + query.what.size();
    ++count;
  }
  if (count == 0) return text;
  out.append(text, done, WideText::npos);
  return out;
}

size_t ReplaceAllInColumn(CGridCtrl& grid, int32_t column, const FindQuery& query,
                          const WideText& replacement) {
  std::vector<TextEdit> edits;
  size_t total = 0;
  for (int32_t row = grid.FixedRowCount(); row < grid.RowCount(); ++row) {
    if (!grid.Editable(row, column)) continue;
    size_t count = 0;
    WideText replaced = ReplaceInText(ShownTextOf(grid, row, column), query, replacement, count);
    if (count == 0) continue;
    total += count;
    edits.push_back({row, column, std::move(replaced)});
  }
  if (edits.empty()) return 0;
  return grid.EditTexts(edits) > 0 ? total : 0;
}

size_t EditBoxOffset(const WideText& text, size_t offset) {
  size_t box = 0;
  for (size_t i = 0; i < offset && i < text.size(); ++i) {
    // A lone CR or LF shows as CR LF: one unit more.
    bool lone = (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')) ||
                (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'));
    box += lone ? 2 : 1;
  }
  return box;
}

}  // namespace ui
