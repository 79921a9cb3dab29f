#include "ui/text_lines.h"

namespace ui {

std::vector<WideText> SplitLines(const WideText& text) {
  std::vector<WideText> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

WideText JoinLines(const std::vector<WideText>& lines, const WideText& separator) {
  WideText out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += separator;
    out += lines[i];
  }
  return out;
}

}  // namespace ui
