#include "app/draft_paths.h"

#include "core/editor_folders.h"
#include "core/project_folder.h"
#include "core/system.h"
#include "platform/system_path.h"
#include "platform/text_encoding.h"

namespace app {

std::string DroppedDraftFile(const std::string& path) {
  std::string corePath = platform::CorePathOf(path);
  if (core::StatPath(corePath) != core::PathKind::kFolder) return path;
  std::string draft = core::ProjectDraftFile(corePath, core::SystemProjectFiles());
  std::string windowPath;
  // The draft's path is the folder's with a name added, so it fits whenever the folder does.
  if (draft.empty() || !platform::WindowPathOf(draft, windowPath)) return std::string();
  return windowPath;
}

bool PreferredDraftFolderForWindow(std::string& folder) {
  std::string preferred = core::PreferredDraftFolder();
  if (preferred.empty()) return false;
  if (!core::IsPathSeparator(preferred.back())) preferred.push_back(core::PathSeparator());
  return platform::WindowPathOf(preferred, folder);
}

std::string SaveFileNameOf(const std::string& name) {
  // Replaced in UTF-8, where no byte of a character can pass for '\' or '|' as the
  // second byte of a code page 936 character can; a character the code page lacks
  // comes back as '?', which no file name takes either.
  std::string safe = platform::Utf8ToCp936(
      core::SafeFileName(platform::Utf16ToUtf8(platform::Cp936ToUtf16(name))));
  for (size_t i = 0; i < safe.size(); i += platform::Cp936CharLength(safe, i)) {
    if (safe[i] == '?') safe[i] = '_';
  }
  return safe;
}

}  // namespace app
