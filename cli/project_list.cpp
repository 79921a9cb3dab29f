#include "cli/project_list.h"

#include <algorithm>

#include "core/ascii_case.h"
#include "core/global_setting.h"
#include "cli/cli_platform.h"
#include "cli/convert.h"
#include "json/json_node.h"

namespace cli {
namespace {

constexpr size_t kSmallFileLimit = 16 << 20;  // settings and meta files are far smaller

bool ReadSmall(const std::string& path, std::string& bytes) {
  std::string reason;
  return StatPath(path) == PathKind::kFile &&
         ReadWholeFile(path, bytes, reason) == ReadResult::kOk && bytes.size() <= kSmallFileLimit;
}

// The project's name and whether the editor shows it, from its draft_meta_info.json.
void ReadMetaInfo(const std::string& folder, std::string& name, bool& invisible) {
  std::string bytes;
  json::JsonDocument meta;
  if (!ReadSmall(JoinPath(folder, "draft_meta_info.json"), bytes) ||
      !meta.ParseUtf8Direct(bytes.data(), bytes.size()) || !meta.IsObject()) {
    return;
  }
  json::JsonNode draftName = meta.GetItemUtf8("draft_name");
  if (!draftName.IsEmpty() && draftName.IsString()) {
    std::string text = draftName.GetStringUtf8();
    if (!text.empty()) name = text;
  }
  json::JsonNode hidden = meta.GetItemUtf8("draft_is_invisible");
  invisible = !hidden.IsEmpty() && hidden.IsBool() && hidden.GetBool();
}

}  // namespace

bool SystemProjectFiles::IsFile(const std::string& path) const {
  return StatPath(path) == PathKind::kFile;
}

bool SystemProjectFiles::ReadSmallFile(const std::string& path, std::string& bytes) const {
  return ReadSmall(path, bytes);
}

char SystemProjectFiles::Separator() const { return PathSeparator(); }

std::vector<std::string> DraftRoots(const std::vector<std::string>& givenRoots) {
  std::vector<std::string> roots;
  for (const std::string& editor : EditorDataFolders()) {
    std::string userData = JoinPath(editor, "User Data");
    roots.push_back(JoinPath(JoinPath(userData, "Projects"), "com.lveditor.draft"));
    std::string settings;
    if (ReadSmall(JoinPath(JoinPath(userData, "Config"), "globalSetting"), settings)) {
      std::string custom = core::CustomDraftFolderOf(settings);
      if (!custom.empty()) roots.push_back(custom);
    }
  }
  roots.insert(roots.end(), givenRoots.begin(), givenRoots.end());

  std::vector<std::string> unique;
  std::vector<std::string> seen;
  for (const std::string& root : roots) {
    std::string key = FullPath(root);
    while (key.size() > 1 && IsPathSeparator(key.back())) key.pop_back();
    if (PathSeparator() == '\\')
      key = core::AsciiLowercase(key);  // Windows names ignore letter case
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    unique.push_back(root);
  }
  return unique;
}

std::vector<Project> FindProjects(const std::vector<std::string>& roots) {
  SystemProjectFiles files;
  std::vector<Project> projects;
  for (const std::string& root : roots) {
    std::vector<std::string> names = ListFolders(root);
    std::sort(names.begin(), names.end());
    for (const std::string& folderName : names) {
      Project project;
      project.folder = JoinPath(root, folderName);
      project.draftFile = core::ProjectDraftFile(project.folder, files);
      if (project.draftFile.empty()) continue;
      project.name = folderName;
      bool invisible = false;
      ReadMetaInfo(project.folder, project.name, invisible);
      if (!invisible) projects.push_back(std::move(project));
    }
  }
  return projects;
}

std::vector<Project> ProjectsNamed(const std::vector<Project>& projects, const std::string& name) {
  std::vector<Project> exact;
  std::vector<Project> caseless;
  std::string lower = core::AsciiLowercase(name);
  for (const Project& project : projects) {
    if (project.name == name) exact.push_back(project);
    if (core::AsciiLowercase(project.name) == lower) caseless.push_back(project);
  }
  return exact.empty() ? caseless : exact;
}

}  // namespace cli
