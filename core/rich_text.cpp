#include "core/rich_text.h"

#include "core/ascii_case.h"

namespace core {
namespace {

constexpr int kMaxDepth = 64;
// The JSON classes read a number through a buffer of 63 characters.
constexpr size_t kMaxNumberLength = 63;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A strict JSON reader over one document that only tells whether it is well formed,
// and keeps the first "text" member of the outermost object.
class Scanner {
 public:
  explicit Scanner(std::string_view json) : json_(json) {}

  // Reads the object starting at `pos` (a '{'); false when it is not strict JSON of the
  // kind this reader decides.
  bool TopObject(size_t pos, std::string& text, bool& textIsString) {
    pos_ = pos;
    return Object(0, &text, &textIsString);
  }

 private:
  bool AtEnd() const { return pos_ >= json_.size(); }
  char Peek() const { return AtEnd() ? '\0' : json_[pos_]; }

  void SkipSpace() {
    while (!AtEnd()) {
      char c = json_[pos_];
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return;
      ++pos_;
    }
  }

  bool Take(char c) {
    if (Peek() != c || AtEnd()) return false;
    ++pos_;
    return true;
  }

  // A string at pos_; `decoded` (when not null) receives its value. Escapes other
  // than the single-character ones, raw control characters and a missing end are
  // left to a parser. `name` is set to the raw bytes when there is no escape at all.
  bool String(std::string* decoded, bool* plain) {
    if (!Take('"')) return false;
    size_t start = pos_;
    if (plain) *plain = true;
    while (!AtEnd()) {
      char c = json_[pos_++];
      if (c == '"') {
        if (plain && *plain) name_ = json_.substr(start, pos_ - 1 - start);
        return true;
      }
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        if (decoded) decoded->push_back(c);
        continue;
      }
      if (plain) *plain = false;
      if (AtEnd()) return false;
      char escaped = json_[pos_++];
      switch (escaped) {
        case '"':
        case '\\':
        case '/':
          break;
        case 'b':
          escaped = '\b';
          break;
        case 'f':
          escaped = '\f';
          break;
        case 'n':
          escaped = '\n';
          break;
        case 'r':
          escaped = '\r';
          break;
        case 't':
          escaped = '\t';
          break;
        default:
          return false;  // \u and anything else
      }
      if (decoded) decoded->push_back(escaped);
    }
    return false;
  }

  bool Digits() {
    if (!IsDigit(Peek()) || AtEnd()) return false;
    while (!AtEnd() && IsDigit(json_[pos_])) ++pos_;
    return true;
  }

  bool Number() {
    size_t start = pos_;
    Take('-');
    if (Peek() == '0' && !AtEnd()) {
      ++pos_;
    } else if (!Digits()) {
      return false;
    }
    if (Take('.') && !Digits()) return false;
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return pos_ - start <= kMaxNumberLength;
  }

  bool Word(std::string_view word) {
    if (json_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  bool Value(int depth) {
    switch (Peek()) {
      case '{':
        return Object(depth + 1, nullptr, nullptr);
      case '[':
        return Array(depth + 1);
      case '"':
        return String(nullptr, nullptr);
      case 't':
        return Word("true");
      case 'f':
        return Word("false");
      case 'n':
        return Word("null");
      default:
        return Number();
    }
  }

  bool Array(int depth) {
    if (depth > kMaxDepth || !Take('[')) return false;
    SkipSpace();
    if (Take(']')) return true;
    do {
      SkipSpace();
      if (!Value(depth)) return false;
      SkipSpace();
    } while (Take(','));
    return Take(']');
  }

  // An object; at the top level (`text` not null) the first member named "text" in any
  // ASCII case is kept.
  bool Object(int depth, std::string* text, bool* textIsString) {
    if (depth > kMaxDepth || !Take('{')) return false;
    SkipSpace();
    if (Take('}')) return true;
    bool found = false;
    do {
      SkipSpace();
      bool plain = false;
      if (!String(nullptr, &plain) || !plain) return false;
      bool isText = text && !found && IsTextName(name_);
      SkipSpace();
      if (!Take(':')) return false;
      SkipSpace();
      if (isText) {
        found = true;
        *textIsString = Peek() == '"';
        if (*textIsString ? !String(text, nullptr) : !Value(depth)) return false;
      } else if (!Value(depth)) {
        return false;
      }
      SkipSpace();
    } while (Take(','));
    return Take('}');
  }

  static bool IsTextName(std::string_view name) { return EqualsIgnoringAsciiCase(name, "text"); }

  std::string_view json_;
  std::string_view name_;  // the last member name read
  size_t pos_ = 0;
};

}  // namespace

RichTextScan ScanRichText(std::string_view content, std::string& text) {
  size_t first = content.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos || content[first] != '{') return RichTextScan::kNotRichText;
  std::string member;
  bool isString = false;
  if (!Scanner(content).TopObject(first, member, isString)) return RichTextScan::kUndecided;
  if (!isString) return RichTextScan::kNotRichText;
  text = std::move(member);
  return RichTextScan::kText;
}

}  // namespace core
