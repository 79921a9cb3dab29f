#include "app/subtitles.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "json/cjson_api.h"

namespace app {
namespace {

constexpr double kTimeLimit = 9007199254740992.0;  // 2^53

// The item's kind read from its type word, without a call into the library: the walk
// asks this for every element.
bool HasKind(const json::JsonNode& node, int32_t kind) {
  return !node.IsEmpty() && (node.Type() & json::kCjsonTypeMask) == kind;
}

// Member lookup that never reaches into anything but an object.
json::JsonNode Member(const json::JsonNode& node, const char* key) {
  if (!HasKind(node, json::kCjsonObject)) return json::JsonNode();
  return node.GetItemUtf8(key);
}

json::JsonNode FirstChild(const json::JsonNode& node) {
  if (!HasKind(node, json::kCjsonArray) && !HasKind(node, json::kCjsonObject)) {
    return json::JsonNode();
  }
  return node.Child();
}

size_t CountChildren(const json::JsonNode& node) {
  size_t count = 0;
  for (json::JsonNode child = FirstChild(node); !child.IsEmpty(); child = child.Next()) ++count;
  return count;
}

void ReadTimes(const json::JsonNode& segment, Subtitle& subtitle) {
  json::JsonNode range = Member(segment, "target_timerange");
  subtitle.startUs = MicrosecondsOf(Member(range, "start"));
  // Both terms lie within +-2^53, so the sum cannot overflow.
  subtitle.endUs = subtitle.startUs + MicrosecondsOf(Member(range, "duration"));
}

std::string SubtitleTextOf(const json::JsonNode& material) {
  json::JsonNode content = Member(material, "content");
  if (!HasKind(content, json::kCjsonString)) return std::string();
  return TidyLineBreaks(PlainSubtitleText(content.GetStringUtf8()));
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

// Fills `subtitles` from the segments that the texts are linked to by id, ordered by
// start; false, with `subtitles` untouched, when any text is not linked.
bool ExtractLinked(const std::vector<json::JsonNode>& materials, const json::JsonNode& tracks,
                   std::vector<Subtitle>& subtitles) {
  std::vector<std::string> ids;
  ids.reserve(materials.size());
  for (const json::JsonNode& material : materials) {
    json::JsonNode id = Member(material, "id");
    if (!HasKind(id, json::kCjsonString)) return false;
    ids.push_back(id.GetStringUtf8());
  }

  std::unordered_map<std::string, json::JsonNode> segmentOfId;
  segmentOfId.reserve(materials.size() * 2);
  for (json::JsonNode track = FirstChild(tracks); !track.IsEmpty(); track = track.Next()) {
    json::JsonNode segments = Member(track, "segments");
    for (json::JsonNode segment = FirstChild(segments); !segment.IsEmpty();
         segment = segment.Next()) {
      json::JsonNode materialId = Member(segment, "material_id");
      if (HasKind(materialId, json::kCjsonString))
        segmentOfId.emplace(materialId.GetStringUtf8(), segment);
    }
  }

  std::vector<json::JsonNode> linked;
  linked.reserve(materials.size());
  for (const std::string& id : ids) {
    auto found = segmentOfId.find(id);
    if (found == segmentOfId.end()) return false;
    linked.push_back(found->second);
  }

  subtitles.resize(materials.size());
  for (size_t i = 0; i < materials.size(); ++i) {
    ReadTimes(linked[i], subtitles[i]);
    subtitles[i].text = SubtitleTextOf(materials[i]);
  }
  std::stable_sort(subtitles.begin(), subtitles.end(),
                   [](const Subtitle& a, const Subtitle& b) { return a.startUs < b.startUs; });
  return true;
}

std::vector<Subtitle> ExtractByPosition(const std::vector<json::JsonNode>& materials,
                                        const json::JsonNode& tracks) {
  json::JsonNode chosen = FirstChild(tracks);
  for (json::JsonNode track = chosen; !track.IsEmpty(); track = track.Next()) {
    if (CountChildren(Member(track, "segments")) == materials.size()) {
      chosen = track;
      break;
    }
  }

  std::vector<Subtitle> subtitles(materials.size());
  json::JsonNode segment = FirstChild(Member(chosen, "segments"));
  for (size_t i = 0; i < materials.size(); ++i) {
    if (segment.IsEmpty()) {
      subtitles[i].startUs = 0;
      subtitles[i].endUs = 0;
    } else {
      ReadTimes(segment, subtitles[i]);
      segment = segment.Next();
    }
    subtitles[i].text = SubtitleTextOf(materials[i]);
  }
  return subtitles;
}

}  // namespace

int64_t MicrosecondsOf(const json::JsonNode& node) {
  if (!HasKind(node, json::kCjsonNumber)) return 0;
  double value = node.GetNumber();
  if (std::isnan(value)) return 0;
  if (value >= kTimeLimit) return static_cast<int64_t>(kTimeLimit);
  if (value <= -kTimeLimit) return -static_cast<int64_t>(kTimeLimit);
  return static_cast<int64_t>(value);  // the conversion cuts toward zero
}

std::string PlainSubtitleText(std::string_view content) {
  std::string text;
  if (TextOfRichText(content, text)) return text;
  if (IsMarkup(content)) return TextOfMarkup(content);
  return std::string(content);
}

std::string TidyLineBreaks(std::string_view text) {
  std::string tidy;
  tidy.reserve(text.size());
  std::string_view pendingBreak;  // the first line break of the current run
  bool seenText = false;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      size_t length = (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      if (pendingBreak.empty()) pendingBreak = text.substr(i, length);
      i += length;
      continue;
    }
    if (seenText) tidy.append(pendingBreak);
    pendingBreak = std::string_view();
    tidy.push_back(c);
    seenText = true;
    ++i;
  }
  return tidy;
}

std::vector<Subtitle> ExtractSubtitles(const json::JsonNode& root) {
  json::JsonNode texts = Member(Member(root, "materials"), "texts");
  std::vector<json::JsonNode> materials;
  for (json::JsonNode material = FirstChild(texts); !material.IsEmpty();
       material = material.Next()) {
    materials.push_back(material);
  }
  if (materials.empty()) return {};

  json::JsonNode tracks = Member(root, "tracks");
  std::vector<Subtitle> subtitles;
  if (ExtractLinked(materials, tracks, subtitles)) return subtitles;
  return ExtractByPosition(materials, tracks);
}

}  // namespace app
