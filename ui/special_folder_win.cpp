#include <windows.h>
#include <shlobj.h>

#include "ui/special_folder.h"
#include "ui/text_convert.h"

namespace ui {
namespace {

// The shell's number for a folder kind it keeps, or -1 for another kind.
int ShellFolderOf(int32_t kind) {
  switch (kind) {
    case kFolderDocuments:
      return CSIDL_PERSONAL;
    case kFolderFavourites:
      return CSIDL_FAVORITES;
    case kFolderDesktop:
      return CSIDL_DESKTOPDIRECTORY;
    case kFolderFonts:
      return CSIDL_FONTS;
    case kFolderStartMenu:
      return CSIDL_STARTMENU;
    case kFolderPrograms:
      return CSIDL_PROGRAMS;
    case kFolderStartUp:
      return CSIDL_STARTUP;
    case kFolderAppData:
      return CSIDL_APPDATA;
    default:
      return -1;
  }
}

// The folder's path as the system gives it, empty when none.
WideText FolderPath(int32_t kind) {
  wchar_t buffer[MAX_PATH + 1] = {};
  UINT length = 0;
  if (int shellFolder = ShellFolderOf(kind); shellFolder >= 0) {
    if (!SHGetSpecialFolderPathW(nullptr, buffer, shellFolder, FALSE)) return WideText();
    length = static_cast<UINT>(lstrlenW(buffer));
  } else if (kind == kFolderWindows) {
    length = GetWindowsDirectoryW(buffer, MAX_PATH);
  } else if (kind == kFolderSystem) {
    length = GetSystemDirectoryW(buffer, MAX_PATH);
  } else if (kind == kFolderTemporary) {
    length = GetTempPathW(MAX_PATH, buffer);
  } else {
    return WideText();
  }
  // A length past the buffer is the size the call would have needed: a failure.
  if (length == 0 || length >= MAX_PATH) return WideText();
  return WideText(buffer, buffer + length);
}

}  // namespace

std::string PlatformFolderPath(int32_t kind) { return Utf16ToCp936(FolderPath(kind)); }

std::string PlatformFolderPathUtf8(int32_t kind) { return Utf16ToUtf8(FolderPath(kind)); }

}  // namespace ui
