// Where the editors (JianyingPro and CapCut) keep their drafts on this computer: each
// one's default draft folder, and the custom folder the user may have set in it.
#pragma once

#include <string>
#include <vector>

#include "core/project_folder.h"

namespace core {

// One editor's draft folders, whether or not they exist.
struct EditorDraftFolders {
  std::string defaultFolder;  // <data>/User Data/Projects/com.lveditor.draft
  std::string customFolder;   // from <data>/User Data/Config/globalSetting; empty when unset
};

// The draft folders of the editors whose data folders (each holding "User Data") are
// `dataFolders`, in that order.
std::vector<EditorDraftFolders> EditorDraftFoldersOf(const std::vector<std::string>& dataFolders,
                                                     const ProjectFiles& files);

// The folder where a person would look for a draft first: the first existing one of
// JianyingPro's custom folder, its default folder, CapCut's custom folder and its default
// folder (in the order of `dataFolders`, JianyingPro first); empty when none exists.
std::string PreferredDraftFolder(const std::vector<std::string>& dataFolders,
                                 const ProjectFiles& files);
// The same for this computer's editors.
std::string PreferredDraftFolder();

// The folders to look for projects in: each editor's default draft folder and its custom
// one, then `givenRoots`; each folder once.
std::vector<std::string> DraftRoots(const std::vector<std::string>& givenRoots);

}  // namespace core
