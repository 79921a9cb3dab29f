#include "core/caption_text.h"

#include "core/rich_text.h"
#include "json/cjson_api.h"
#include "json/json_node.h"

namespace core {
namespace {

bool HasKind(const json::JsonNode& node, int32_t kind) {
  return !node.IsEmpty() && (node.Type() & json::kCjsonTypeMask) == kind;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool IsMarkup(std::string_view content) {
  static constexpr std::string_view kTags[] = {"<font", "<size=", "<color=", "<outline",
                                               "<useLetterColor"};
  if (content.empty() || content.back() != '>') return false;
  for (std::string_view tag : kTags) {
    if (StartsWith(content, tag)) return true;
  }
  return false;
}

std::string TextOfMarkup(std::string_view content) {
  size_t open = content.find(">[");
  size_t close = content.rfind("]<");
  if (open != std::string_view::npos && close != std::string_view::npos && close >= open + 2) {
    return std::string(content.substr(open + 2, close - open - 2));
  }
  std::string text;
  size_t pos = 0;
  while (pos < content.size()) {
    size_t lt = content.find('<', pos);
    size_t gt = lt == std::string_view::npos ? lt : content.find('>', lt + 1);
    if (gt == std::string_view::npos) {
      text.append(content.substr(pos));
      break;
    }
    text.append(content.substr(pos, lt - pos));
    pos = gt + 1;
  }
  return text;
}

bool TextOfRichText(std::string_view content, std::string& text) {
  size_t first = content.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos || content[first] != '{') return false;
  std::lock_guard<std::mutex> turn(json::JsonLibraryTurn());
  json::JsonDocument document;
  if (!document.ParseUtf8Direct(content.data(), content.size()) ||
      !HasKind(document, json::kCjsonObject)) {
    return false;
  }
  json::JsonNode member = document.GetItemUtf8("text");
  if (!HasKind(member, json::kCjsonString)) return false;
  text = member.GetStringUtf8();
  return true;
}

}  // namespace

std::string PlainSubtitleText(std::string_view content) {
  std::string text;
  switch (ScanRichText(content, text)) {
    case RichTextScan::kText:
      return text;
    case RichTextScan::kUndecided:
      if (TextOfRichText(content, text)) return text;
      break;
    case RichTextScan::kNotRichText:
      break;
  }
  if (IsMarkup(content)) return TextOfMarkup(content);
  return std::string(content);
}

std::string TidyLineBreaks(std::string_view text) {
  std::string tidy;
  tidy.reserve(text.size());
  bool pendingBreak = false;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      pendingBreak = !tidy.empty();
      continue;
    }
    if (pendingBreak) tidy.append("\r\n");
    pendingBreak = false;
    tidy.push_back(c);
  }
  return tidy;
}

std::string CaptionTextOf(const DraftText& text) {
  if (!text.contentIsString) return std::string();
  return CaptionTextOfContent(text.content);
}

std::string CaptionTextOfContent(std::string_view content) {
  return TidyLineBreaks(PlainSubtitleText(content));
}

std::string ContentStandIn(std::string_view content) {
  // One plain character: neither rich text nor markup, so it shows as itself.
  return CaptionTextOfContent(content).empty() ? std::string() : std::string("-");
}

}  // namespace core
