// Small drafts written as JSON text for the extraction tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/subtitles.h"
#include "json/json_node.h"

namespace core_test {

// A JSON string literal holding `text` (quotes, backslashes and control bytes escaped).
inline std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        quoted += c;
    }
  }
  return quoted + "\"";
}

// A segment object: its material_id (left out when empty) and time range.
inline std::string Segment(long long start, long long duration,
                           const std::string& materialId = "") {
  std::string segment = "{";
  if (!materialId.empty()) segment += "\"material_id\":" + Quoted(materialId) + ",";
  segment += "\"target_timerange\":{\"duration\":" + std::to_string(duration) +
             ",\"start\":" + std::to_string(start) + "}}";
  return segment;
}

inline std::string Track(const std::string& type, const std::vector<std::string>& segments) {
  std::string track = "{\"type\":" + Quoted(type) + ",\"segments\":[";
  for (size_t i = 0; i < segments.size(); ++i) track += (i ? "," : "") + segments[i];
  return track + "]}";
}

// A text material with `content` and, when not empty, an id.
inline std::string Material(const std::string& content, const std::string& id = "") {
  std::string material = "{";
  if (!id.empty()) material += "\"id\":" + Quoted(id) + ",";
  return material + "\"content\":" + Quoted(content) + "}";
}

inline std::string Draft(const std::vector<std::string>& materials,
                         const std::vector<std::string>& tracks) {
  std::string draft = "{\"materials\":{\"texts\":[";
  for (size_t i = 0; i < materials.size(); ++i) draft += (i ? "," : "") + materials[i];
  draft += "]},\"tracks\":[";
  for (size_t i = 0; i < tracks.size(); ++i) draft += (i ? "," : "") + tracks[i];
  return draft + "]}";
}

// The subtitles of the draft `json`; fails the test when it does not parse.
inline std::vector<core::Subtitle> Extract(const std::string& json) {
  json::JsonDocument document;
  EXPECT_TRUE(document.ParseUtf8Direct(json.c_str(), json.size())) << json;
  return core::ExtractSubtitles(document);
}

}  // namespace core_test
