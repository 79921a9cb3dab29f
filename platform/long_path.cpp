#include "platform/long_path.h"

#include <vector>

namespace platform {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// The parts of `path` between separators, "." dropped and ".." taking the part before it
// away, but never one of the first `fixed` parts (the server and share of a UNC path).
std::vector<std::u16string_view> ResolvedParts(std::u16string_view path, size_t fixed) {
  std::vector<std::u16string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) ++end;
    std::u16string_view part = path.substr(start, end - start);
    if (part == u"..") {
      if (parts.size() > fixed) parts.pop_back();
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  return parts;
}

std::u16string Joined(std::u16string prefix, const std::vector<std::u16string_view>& parts,
                      bool trailingSeparator) {
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) prefix += u'\\';
    prefix += parts[i];
  }
  if (trailingSeparator && !parts.empty()) prefix += u'\\';
  return prefix;
}

}  // namespace

std::u16string ExtendedLengthPath(std::u16string_view path) {
  std::u16string unchanged(path);
  if (path.size() < kOrdinaryPathLimit) return unchanged;
  bool trailing = IsSeparator(path.back());
  // "C:\..." or "C:/...": a drive's path from its root.
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == u':' && IsSeparator(path[2])) {
    std::u16string root = u"\\\\?\\";
    root += path.substr(0, 2);
    root += u'\\';
    return Joined(root, ResolvedParts(path.substr(3), 0), trailing);
  }
  // "\\server\share\...": a network path. "\\?\" and "\\.\" are forms of their own.
  if (path.size() >= 3 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    if (path[2] == u'?' || path[2] == u'.' || IsSeparator(path[2])) return unchanged;
    std::vector<std::u16string_view> parts = ResolvedParts(path.substr(2), 2);
    if (parts.size() < 2) return unchanged;
    return Joined(u"\\\\?\\UNC\\", parts, trailing);
  }
  return unchanged;
}

}  // namespace platform
