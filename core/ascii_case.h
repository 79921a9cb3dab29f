// Letter case of ASCII letters, as draft keys and command-line words ignore it. Other
// bytes, UTF-8 included, are compared and kept as they are.
#pragma once

#include <string>
#include <string_view>

namespace core {

inline char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when `a` and `b` are equal but for the case of ASCII letters.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// `text` with its ASCII letters in lower case.
inline std::string AsciiLowercase(std::string text) {
  for (char& c : text) c = AsciiLower(c);
  return text;
}

}  // namespace core
