// The special-folder library command: well-known folders of the user and the system.
#pragma once

#include <cstdint>
#include <string>

#include "heap/heap.h"
#include "runtime/services.h"

namespace ui {

// The folder kinds GetSpecialFolder takes, and the Windows folder each names.
enum SpecialFolderKind : int32_t {
  kFolderDocuments = 1,   // CSIDL_PERSONAL
  kFolderFavourites = 2,  // CSIDL_FAVORITES
  kFolderDesktop = 3,     // CSIDL_DESKTOPDIRECTORY
  kFolderFonts = 4,       // CSIDL_FONTS
  kFolderStartMenu = 5,   // CSIDL_STARTMENU
  kFolderPrograms = 6,    // CSIDL_PROGRAMS
  kFolderStartUp = 7,     // CSIDL_STARTUP
  kFolderAppData = 8,     // CSIDL_APPDATA: the user's roaming application data
  kFolderWindows = 9,     // GetWindowsDirectory
  kFolderSystem = 10,     // GetSystemDirectory
  kFolderTemporary = 11,  // GetTempPath
};

// The path of the folder of kind `kind` (a SpecialFolderKind) as the platform gives it
// (code page 936), empty when the kind is unknown or the platform has no such folder.
std::string PlatformFolderPath(int32_t kind);
// The same path in UTF-8, every character kept (the Linux stand-in's as it is given).
std::string PlatformFolderPathUtf8(int32_t kind);
// The path with one trailing backslash added when it lacks one and the 260-byte buffer
// has room; empty for an empty path.
std::string WithTrailingBackslash(const std::string& path);

// GetSpecialFolder(kind Int): a new Text with the folder's path, null when none.
void CmdGetSpecialFolder(rt::CommandResult* result, int32_t argc, rt::CommandArg* args);
// Calls GetSpecialFolder through the runtime.
rt::OwnedText GetSpecialFolder(int32_t kind);

}  // namespace ui
