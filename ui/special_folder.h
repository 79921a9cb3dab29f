// The special-folder library command: well-known folders of the user and the system.
#pragma once

#include <cstdint>
#include <string>

#include "heap/heap.h"
#include "runtime/services.h"

namespace ui {

// Folder kinds: 1 documents, 2 favourites, 3 desktop, 4 fonts, 5 start menu,
// 6 programs, 7 start-up, 8 roaming application data, 9 Windows, 10 system, 11 temporary.
// The folder's path as the platform gives it (code page 936), empty when the kind is
// unknown or the platform has no such folder.
std::string PlatformFolderPath(int32_t kind);
// The path with one trailing backslash added when it lacks one and the 260-byte buffer
// has room; empty for an empty path.
std::string WithTrailingBackslash(const std::string& path);

// GetSpecialFolder(kind Int): a new Text with the folder's path, null when none.
void CmdGetSpecialFolder(rt::CommandResult* result, int32_t argc, rt::CommandArg* args);
// Calls GetSpecialFolder through the runtime.
rt::OwnedText GetSpecialFolder(int32_t kind);

}  // namespace ui
