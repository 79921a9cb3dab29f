#include "app/draft_paths.h"

#include "core/editor_folders.h"
#include "core/project_folder.h"
#include "core/system.h"

namespace app {

std::string DroppedDraftFile(const std::string& path) {
  if (core::StatPath(path) != core::PathKind::kFolder) return path;
  return core::ProjectDraftFile(path, core::SystemProjectFiles());
}

bool PreferredDraftFolderForWindow(std::string& folder) {
  folder = core::PreferredDraftFolder();
  if (folder.empty()) return false;
  if (!core::IsPathSeparator(folder.back())) folder.push_back(core::PathSeparator());
  return true;
}

std::string SaveFileNameOf(const std::string& name) { return core::SafeFileName(name); }

}  // namespace app
