#include "runtime/window_template.h"

#include <cerrno>
#include <cstdlib>
#include <set>

#include "platform/text_encoding.h"

namespace rt {

namespace {

class LineReader {
 public:
  explicit LineReader(const std::string& line) : line_(line) {}

  bool AtEnd() {
    while (pos_ < line_.size() && (line_[pos_] == ' ' || line_[pos_] == '\t')) pos_++;
    return pos_ >= line_.size();
  }

  // Reads `key=value`; false on malformed input.
  bool Pair(std::string* key, std::string* value) {
    size_t eq = line_.find('=', pos_);
    size_t space = line_.find_first_of(" \t", pos_);
    if (eq == std::string::npos || (space != std::string::npos && space < eq)) return false;
    *key = line_.substr(pos_, eq - pos_);
    pos_ = eq + 1;
    if (key->empty()) return false;
    if (pos_ < line_.size() && line_[pos_] == '"') return Quoted(value);
    size_t end = line_.find_first_of(" \t", pos_);
    if (end == std::string::npos) end = line_.size();
    *value = line_.substr(pos_, end - pos_);
    pos_ = end;
    return true;
  }

  std::string Word() {
    size_t end = line_.find_first_of(" \t", pos_);
    if (end == std::string::npos) end = line_.size();
    std::string word = line_.substr(pos_, end - pos_);
    pos_ = end;
    return word;
  }

 private:
  bool Quoted(std::string* value) {
    value->clear();
    pos_++;  // opening quote
    while (pos_ < line_.size()) {
      unsigned char c = static_cast<unsigned char>(line_[pos_++]);
      if (c == '"') return pos_ >= line_.size() || line_[pos_] == ' ' || line_[pos_] == '\t';
      if (platform::IsCp936LeadByte(static_cast<char>(c)) && pos_ < line_.size()) {
        // A double-byte character: its trail byte may look like a backslash or a quote.
        value->push_back(static_cast<char>(c));
        value->push_back(line_[pos_++]);
        continue;
      }
      if (c == '\\') {
        if (pos_ >= line_.size()) return false;
        char e = line_[pos_++];
        switch (e) {
          case '"':
            value->push_back('"');
            break;
          case '\\':
            value->push_back('\\');
            break;
          case 'r':
            value->push_back('\r');
            break;
          case 'n':
            value->push_back('\n');
            break;
          default:
            return false;
        }
        continue;
      }
      value->push_back(static_cast<char>(c));
    }
    return false;  // unterminated
  }

  const std::string& line_;
  size_t pos_ = 0;
};

bool Number(const std::string& text, int64_t* out) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long long v = std::strtoll(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || v < INT32_MIN || v > UINT32_MAX) return false;
  *out = v;
  return true;
}

bool Flag(const std::string& text, bool* out) {
  if (text != "0" && text != "1") return false;
  *out = text == "1";
  return true;
}

bool ApplyPair(const std::string& key, const std::string& value, ComponentTemplate* entry) {
  int64_t n = 0;
  if (key == "name") {
    entry->name = value;
    return true;
  }
  if (key == "text") {
    entry->text = value;
    return true;
  }
  if (key.compare(0, 4, "set.") == 0) {
    if (key.size() == 4) return false;
    entry->settings[key.substr(4)] = value;
    return true;
  }
  if (key == "visible") return Flag(value, &entry->visible);
  if (key == "disabled") return Flag(value, &entry->disabled);
  if (!Number(value, &n)) return false;
  auto v = static_cast<int32_t>(n);
  if (key == "id")
    entry->id = v;
  else if (key == "type")
    entry->type = static_cast<uint32_t>(n);
  else if (key == "left")
    entry->bounds.left = v;
  else if (key == "top")
    entry->bounds.top = v;
  else if (key == "width")
    entry->bounds.width = v;
  else if (key == "height")
    entry->bounds.height = v;
  else if (key == "link")
    entry->link = v;
  else if (key.size() > 2 && key.compare(0, 2, "on") == 0) {
    int64_t event = 0;
    if (!Number(key.substr(2), &event)) return false;
    entry->handlers.emplace_back(static_cast<int32_t>(event), v);
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseWindowTemplates(const char* segment, size_t size, std::vector<WindowTemplate>* out,
                          std::string* error) {
  out->clear();
  if (!segment) {
    *error = "no segment";
    return false;
  }
  std::string text(segment, size);
  std::set<ComponentId> ids;
  size_t start = 0;
  int lineNumber = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    lineNumber++;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    LineReader reader(line);
    if (reader.AtEnd() || line[line.find_first_not_of(" \t")] == '#') continue;
    auto fail = [&](const char* what) {
      *error = "line " + std::to_string(lineNumber) + ": " + what;
      out->clear();
      return false;
    };
    std::string kind = reader.Word();
    if (kind != "window" && kind != "component") return fail("unknown entry kind");
    if (kind == "component" && out->empty()) return fail("component outside a window");
    ComponentTemplate entry;
    entry.id = 0;
    while (!reader.AtEnd()) {
      std::string key, value;
      if (!reader.Pair(&key, &value) || !ApplyPair(key, value, &entry))
        return fail("malformed setting");
    }
    if (entry.id == 0 || entry.type == 0) return fail("entry without id or type");
    if (!ids.insert(entry.id).second) return fail("duplicate id");
    if (kind == "window") out->emplace_back();
    out->back().entries.push_back(std::move(entry));
  }
  return true;
}

}  // namespace rt
