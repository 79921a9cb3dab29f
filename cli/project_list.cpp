#include "cli/project_list.h"

#include <algorithm>

#include "core/ascii_case.h"
#include "core/system.h"

namespace cli {

std::vector<Project> FindProjects(const std::vector<std::string>& roots) {
  core::SystemProjectFiles files;
  std::vector<Project> projects;
  for (const std::string& root : roots) {
    std::vector<std::string> names = core::ListFolders(root);
    std::sort(names.begin(), names.end());
    for (const std::string& folderName : names) {
      Project project;
      project.folder = core::JoinProjectPath(root, folderName, files.Separator());
      project.draftFile = core::ProjectDraftFile(project.folder, files);
      if (project.draftFile.empty()) continue;
      core::ProjectMeta meta = core::ProjectMetaOf(project.folder, files);
      if (meta.invisible) continue;
      project.name = meta.name.empty() ? folderName : meta.name;
      projects.push_back(std::move(project));
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
