#include "ui/emoji_clusters.h"

namespace ui {
namespace {

constexpr char32_t kZeroWidthJoiner = 0x200D;
constexpr char32_t kKeycap = 0x20E3;
constexpr char32_t kEmojiSelector = 0xFE0F;

bool IsHighSurrogate(char16_t unit) { return (unit & 0xFC00) == 0xD800; }
bool IsLowSurrogate(char16_t unit) { return (unit & 0xFC00) == 0xDC00; }

// The code point at `i` and how many units it takes; a lone surrogate stands for itself.
char32_t CodePointAt(const WideText& text, size_t i, size_t* units) {
  char16_t unit = text[i];
  if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
    *units = 2;
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  *units = 1;
  return unit;
}

bool IsPictograph(char32_t c) { return c >= 0x1F000 && c <= 0x1FAFF; }
bool IsSymbolThatMayBeEmoji(char32_t c) {
  return (c >= 0x2190 && c <= 0x21FF) || (c >= 0x2300 && c <= 0x23FF) ||
         (c >= 0x25A0 && c <= 0x27BF) || (c >= 0x2900 && c <= 0x297F) ||
         (c >= 0x2B00 && c <= 0x2BFF) || c == 0x00A9 || c == 0x00AE || c == 0x203C || c == 0x2049 ||
         c == 0x2122 || c == 0x2139 || c == 0x3030 || c == 0x303D || c == 0x3297 || c == 0x3299;
}
bool IsVariationSelector(char32_t c) {
  return (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}
bool IsSkinTone(char32_t c) { return c >= 0x1F3FB && c <= 0x1F3FF; }
bool IsTag(char32_t c) { return c >= 0xE0020 && c <= 0xE007F; }
bool IsRegionalIndicator(char32_t c) { return c >= 0x1F1E6 && c <= 0x1F1FF; }

}  // namespace

std::vector<UnitRange> EmojiClusters(const WideText& text) {
  std::vector<UnitRange> clusters;
  size_t i = 0;
  while (i < text.size()) {
    size_t units = 0;
    char32_t c = CodePointAt(text, i, &units);
    size_t next = i + units;
    size_t afterSelector = 0;
    char32_t following = next < text.size() ? CodePointAt(text, next, &afterSelector) : 0;
    bool starts = IsPictograph(c) || (IsSymbolThatMayBeEmoji(c) && following == kEmojiSelector);
    if (!starts) {
      i = next;
      continue;
    }
    size_t end = next;
    bool pairOpen = IsRegionalIndicator(c);  // a flag is two regional indicators
    while (end < text.size()) {
      size_t n = 0;
      char32_t d = CodePointAt(text, end, &n);
      if (IsVariationSelector(d) || IsSkinTone(d) || IsTag(d) || d == kKeycap ||
          (pairOpen && IsRegionalIndicator(d))) {
        pairOpen = false;
        end += n;
        continue;
      }
      if (d == kZeroWidthJoiner && end + n < text.size()) {
        size_t m = 0;
        char32_t joined = CodePointAt(text, end + n, &m);
        if (IsPictograph(joined) || IsSymbolThatMayBeEmoji(joined)) {
          end += n + m;
          continue;
        }
      }
      break;
    }
    clusters.push_back({i, end});
    i = end;
  }
  return clusters;
}

WideText EmojiAsDrawn(const WideText& cluster) {
  WideText out;
  for (size_t i = 0; i < cluster.size();) {
    size_t units = 0;
    char32_t c = CodePointAt(cluster, i, &units);
    if (!IsVariationSelector(c) && c != kZeroWidthJoiner) out.append(cluster, i, units);
    i += units;
  }
  return out;
}

}  // namespace ui
