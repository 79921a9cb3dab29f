#include "core/project_folder.h"

#include "json/json_node.h"

namespace core {
namespace {

constexpr const char* kDraftNames[] = {"draft_content.json", "draft_info.json"};
constexpr size_t kProjectFileLimit = 1 << 20;  // project.json is a few hundred bytes

std::string Join(const std::string& folder, const std::string& name, char separator) {
  if (folder.empty()) return name;
  char last = folder.back();
  if (last == '/' || last == '\\') return folder + name;
  return folder + separator + name;
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
  if (projectJson.size() > kProjectFileLimit ||
      !document.ParseUtf8Direct(projectJson.data(), projectJson.size())) {
    return std::string();
  }
  json::JsonNode id = document.GetItemUtf8("main_timeline_id");
  return id.IsEmpty() || !id.IsString() ? std::string() : id.GetStringUtf8();
}

std::string FirstDraftIn(const std::string& folder, const ProjectFiles& files) {
  for (const char* name : kDraftNames) {
    std::string candidate = Join(folder, name, files.Separator());
    if (files.IsFile(candidate)) return candidate;
  }
  return std::string();
}

}  // namespace

std::string ProjectDraftFile(const std::string& folder, const ProjectFiles& files) {
  std::string timelines = Join(folder, "Timelines", files.Separator());
  std::string projectJson;
  if (files.ReadSmallFile(Join(timelines, "project.json", files.Separator()), projectJson)) {
    std::string id = MainTimelineId(projectJson);
    if (IsSafeFolderName(id)) {
      std::string main = FirstDraftIn(Join(timelines, id, files.Separator()), files);
      if (!main.empty()) return main;
    }
  }
  return FirstDraftIn(folder, files);
}

}  // namespace core
