// The editors' projects on this computer: each project's name and draft file.
#pragma once

#include <string>
#include <vector>

#include "core/editor_folders.h"

namespace cli {

struct Project {
  std::string name;  // draft_name of draft_meta_info.json, else the folder's name
  std::string folder;
  std::string draftFile;  // as the project-folder rule finds it
};

// The projects in the folders of `roots` (a project is a folder holding a draft; those
// the editor marks invisible are left out), in root order, each root's by folder name.
std::vector<Project> FindProjects(const std::vector<std::string>& roots);

// The projects called `name`: those with exactly that name, else those whose name
// matches it when ASCII letter case is ignored.
std::vector<Project> ProjectsNamed(const std::vector<Project>& projects, const std::string& name);

}  // namespace cli
