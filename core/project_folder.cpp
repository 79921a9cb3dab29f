#include "core/project_folder.h"

#include "core/ascii_case.h"
#include "json/json_node.h"

namespace core {
namespace {

constexpr const char* kDraftNames[] = {"draft_content.json", "draft_info.json"};

// Windows takes both separators; elsewhere only the slash separates.
bool IsSeparator(char c, char separator) {
  return c == separator || (separator == '\\' && c == '/');
}

std::string WithoutTrailingSeparators(std::string path, char separator) {
  while (path.size() > 1 && IsSeparator(path.back(), separator)) path.pop_back();
  return path;
}

std::string ParentOf(const std::string& path, char separator) {
  std::string trimmed = WithoutTrailingSeparators(path, separator);
  size_t i = trimmed.size();
  while (i > 0 && !IsSeparator(trimmed[i - 1], separator)) --i;
  return WithoutTrailingSeparators(trimmed.substr(0, i), separator);
}

// A timeline id names a folder inside Timelines/: nothing that could leave it.
bool IsSafeFolderName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) return false;
  }
  return true;
}

std::string MainTimelineId(const std::string& projectJson) {
  json::JsonDocument document;
  if (!document.ParseUtf8Direct(projectJson.data(), projectJson.size())) return std::string();
  json::JsonNode id = document.GetItemUtf8("main_timeline_id");
  return id.IsEmpty() || !id.IsString() ? std::string() : id.GetStringUtf8();
}

std::string FirstDraftIn(const std::string& folder, const ProjectFiles& files) {
  for (const char* name : kDraftNames) {
    std::string candidate = JoinProjectPath(folder, name, files.Separator());
    if (files.IsFile(candidate)) return candidate;
  }
  return std::string();
}

}  // namespace

std::string JoinProjectPath(const std::string& folder, const std::string& name, char separator) {
  if (folder.empty()) return name;
  char last = folder.back();
  if (last == '/' || last == '\\') return folder + name;
  return folder + separator + name;
}

std::string MainTimelineFile(const std::string& folder, const ProjectFiles& files) {
  char separator = files.Separator();
  std::string timelines = JoinProjectPath(folder, "Timelines", separator);
  std::string projectJson;
  if (!files.ReadSmallFile(JoinProjectPath(timelines, "project.json", separator), projectJson))
    return std::string();
  std::string id = MainTimelineId(projectJson);
  if (!IsSafeFolderName(id)) return std::string();
  return FirstDraftIn(JoinProjectPath(timelines, id, separator), files);
}

std::string ProjectDraftFile(const std::string& folder, const ProjectFiles& files) {
  std::string main = MainTimelineFile(folder, files);
  return main.empty() ? FirstDraftIn(folder, files) : main;
}

std::string SafeFileName(const std::string& name) {
  std::string safe;
  for (char c : name) {
    bool bad = static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == ':' ||
               c == '"' || c == '/' || c == '\\' || c == '|' || c == '?' || c == '*';
    safe.push_back(bad ? '_' : c);
  }
  while (!safe.empty() && (safe.back() == '.' || safe.back() == ' ')) safe.pop_back();
  if (safe.empty() || safe == "_") safe = "subtitles";
  return safe;
}

std::string LastPathComponent(const std::string& path, char separator) {
  std::string trimmed = WithoutTrailingSeparators(path, separator);
  size_t i = trimmed.size();
  while (i > 0 && !IsSeparator(trimmed[i - 1], separator)) --i;
  return trimmed.substr(i);
}

std::string ProjectFolderOf(const std::string& file, char separator) {
  std::string parent = ParentOf(file, separator);
  std::string timelines = ParentOf(parent, separator);
  if (AsciiLowercase(LastPathComponent(timelines, separator)) == "timelines")
    return ParentOf(timelines, separator);
  return parent;
}

ProjectMeta ProjectMetaOf(const std::string& folder, const ProjectFiles& files) {
  ProjectMeta meta;
  meta.name = LastPathComponent(folder, files.Separator());
  std::string bytes;
  json::JsonDocument document;
  if (!files.ReadSmallFile(JoinProjectPath(folder, "draft_meta_info.json", files.Separator()),
                           bytes) ||
      !document.ParseUtf8Direct(bytes.data(), bytes.size()) || !document.IsObject()) {
    return meta;
  }
  json::JsonNode draftName = document.GetItemUtf8("draft_name");
  if (!draftName.IsEmpty() && draftName.IsString()) {
    std::string text = draftName.GetStringUtf8();
    if (!text.empty()) meta.name = text;
  }
  json::JsonNode hidden = document.GetItemUtf8("draft_is_invisible");
  meta.invisible = !hidden.IsEmpty() && hidden.IsBool() && hidden.GetBool();
  return meta;
}

}  // namespace core
