// The window's paths to drafts, through the core's rules: what a dropped path stands
// for, where the open dialog starts, and the name the save dialog offers. Paths and
// names here are UTF-8, as the core takes them, with every character the system allows.
#pragma once

#include <string>

namespace app {

// The draft file that `path` stands for: in a project folder the file that
// core::ProjectDraftFile picks, empty when the folder holds none; anything else is
// taken as the file itself.
std::string DroppedDraftFile(const std::string& path);

// The folder the open dialog starts in (core::PreferredDraftFolder, ending in a
// separator); false when no draft folder exists.
bool PreferredDraftFolderForWindow(std::string& folder);

// The file name (without extension) the save dialog offers for project `name`: the
// name with what no file system takes replaced, "subtitles" for none.
std::string SaveFileNameOf(const std::string& name);

}  // namespace app
