#include "core/editor_folders.h"

#include <algorithm>

#include "core/ascii_case.h"
#include "core/global_setting.h"
#include "core/system.h"

namespace core {

std::vector<EditorDraftFolders> EditorDraftFoldersOf(const std::vector<std::string>& dataFolders,
                                                     const ProjectFiles& files) {
  char separator = files.Separator();
  std::vector<EditorDraftFolders> editors;
  for (const std::string& data : dataFolders) {
    std::string userData = JoinProjectPath(data, "User Data", separator);
    EditorDraftFolders folders;
    folders.defaultFolder = JoinProjectPath(JoinProjectPath(userData, "Projects", separator),
                                            "com.lveditor.draft", separator);
    std::string settings;
    std::string config = JoinProjectPath(userData, "Config", separator);
    if (files.ReadSmallFile(JoinProjectPath(config, "globalSetting", separator), settings))
      folders.customFolder = CustomDraftFolderOf(settings);
    editors.push_back(std::move(folders));
  }
  return editors;
}

std::string PreferredDraftFolder(const std::vector<std::string>& dataFolders,
                                 const ProjectFiles& files) {
  for (const EditorDraftFolders& editor : EditorDraftFoldersOf(dataFolders, files)) {
    for (const std::string& folder : {editor.customFolder, editor.defaultFolder}) {
      if (!folder.empty() && files.IsFolder(folder)) return folder;
    }
  }
  return std::string();
}

std::string PreferredDraftFolder() {
  return PreferredDraftFolder(EditorDataFolders(), SystemProjectFiles());
}

std::vector<std::string> DraftRoots(const std::vector<std::string>& givenRoots) {
  std::vector<std::string> roots;
  for (const EditorDraftFolders& editor :
       EditorDraftFoldersOf(EditorDataFolders(), SystemProjectFiles())) {
    roots.push_back(editor.defaultFolder);
    if (!editor.customFolder.empty()) roots.push_back(editor.customFolder);
  }
  roots.insert(roots.end(), givenRoots.begin(), givenRoots.end());

  std::vector<std::string> unique;
  std::vector<std::string> seen;
  for (const std::string& root : roots) {
    std::string key = FullPath(root);
    while (key.size() > 1 && IsPathSeparator(key.back())) key.pop_back();
    if (PathSeparator() == '\\') key = AsciiLowercase(key);  // Windows names ignore letter case
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    unique.push_back(root);
  }
  return unique;
}

}  // namespace core
