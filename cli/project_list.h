// The editors' projects on this computer: the draft folders they are kept in, and each
// project's name and draft file.
#pragma once

#include <string>
#include <vector>

#include "core/project_folder.h"

namespace cli {

// The project-folder rule's view of the file system, through cli_platform.
class SystemProjectFiles : public core::ProjectFiles {
 public:
  bool IsFile(const std::string& path) const override;
  bool ReadSmallFile(const std::string& path, std::string& bytes) const override;
  char Separator() const override;
};

struct Project {
  std::string name;  // draft_name of draft_meta_info.json, else the folder's name
  std::string folder;
  std::string draftFile;  // as the project-folder rule finds it
};

// The folders to look for projects in: each editor's default draft folder and the custom
// one set in its globalSetting, then `givenRoots`; each folder once.
std::vector<std::string> DraftRoots(const std::vector<std::string>& givenRoots);

// The projects in the folders of `roots` (a project is a folder holding a draft; those
// the editor marks invisible are left out), in root order, each root's by folder name.
std::vector<Project> FindProjects(const std::vector<std::string>& roots);

// The projects called `name`: those with exactly that name, else those whose name
// matches it when ASCII letter case is ignored.
std::vector<Project> ProjectsNamed(const std::vector<Project>& projects, const std::string& name);

}  // namespace cli
