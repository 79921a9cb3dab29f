#include "core/global_setting.h"

#include <cstdint>

#include "core/ascii_case.h"
#include "platform/text_encoding.h"

namespace core {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

void AppendUtf8(std::string& text, uint32_t code) {
  if (code < 0x80) {
    text.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    text.push_back(static_cast<char>(0xC0 | code >> 6));
    text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    text.push_back(static_cast<char>(0xE0 | code >> 12));
    text.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    text.push_back(static_cast<char>(0xF0 | code >> 18));
    text.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    text.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A stored value as Qt reads it back: quotes removed, escapes undone, UTF-16 units
// written as \xHHHH joined into UTF-8.
std::string UnescapedValue(std::string_view raw) {
  std::string value;
  uint32_t highSurrogate = 0;
  bool quoted = false;
  for (size_t i = 0; i < raw.size(); ++i) {
    char c = raw[i];
    if (c == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && (c == ';')) break;  // a comment after the value
    if (c != '\\' || i + 1 == raw.size()) {
      value.push_back(c);
      continue;
    }
    char escaped = raw[++i];
    if (escaped == 'x') {
      uint32_t unit = 0;
      int digits = 0;
      while (digits < 4 && i + 1 < raw.size() && HexDigit(raw[i + 1]) >= 0) {
        unit = unit * 16 + static_cast<uint32_t>(HexDigit(raw[++i]));
        ++digits;
      }
      if (unit >= 0xD800 && unit < 0xDC00) {
        highSurrogate = unit;
        continue;
      }
      if (unit >= 0xDC00 && unit < 0xE000 && highSurrogate != 0) {
        unit = 0x10000 + ((highSurrogate - 0xD800) << 10) + (unit - 0xDC00);
      }
      highSurrogate = 0;
      AppendUtf8(value, unit);
      continue;
    }
    switch (escaped) {
      case 'n':
        value.push_back('\n');
        break;
      case 'r':
        value.push_back('\r');
        break;
      case 't':
        value.push_back('\t');
        break;
      case '0':
        value.push_back('\0');
        break;
      default:  // \\ \" \' and anything unknown: the character itself
        value.push_back(escaped);
        break;
    }
  }
  return std::string(Trimmed(value));
}

}  // namespace

std::string IniValue(std::string_view ini, std::string_view section, std::string_view key) {
  if (platform::StartsWithUtf8ByteOrderMark(ini))
    ini.remove_prefix(platform::kUtf8ByteOrderMark.size());
  bool inSection = false;
  while (!ini.empty()) {
    size_t end = ini.find('\n');
    std::string_view line = Trimmed(ini.substr(0, end));
    ini.remove_prefix(end == std::string_view::npos ? ini.size() : end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      size_t close = line.find(']');
      inSection = close != std::string_view::npos &&
                  EqualsIgnoringAsciiCase(line.substr(1, close - 1), section);
      continue;
    }
    size_t equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) continue;
    if (EqualsIgnoringAsciiCase(Trimmed(line.substr(0, equals)), key)) {
      return UnescapedValue(Trimmed(line.substr(equals + 1)));
    }
  }
  return std::string();
}

std::string CustomDraftFolderOf(std::string_view globalSetting) {
  return IniValue(globalSetting, "General", "currentCustomDraftPath");
}

}  // namespace core
