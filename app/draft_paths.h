// What a path dropped on the main window stands for.
#pragma once

#include <string>

namespace app {

// The draft file that `path` (code page 936) stands for: in a project folder the file
// that ProjectDraftFile picks, empty when the folder holds none; anything else is taken
// as the file itself.
std::string DroppedDraftFile(const std::string& path);

}  // namespace app
