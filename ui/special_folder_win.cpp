#include <windows.h>
#include <shlobj.h>

#include "ui/special_folder.h"
#include "ui/text_convert.h"

namespace ui {

std::string PlatformFolderPath(int32_t kind) {
  static const int kFolders[] = {CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY,
                                 CSIDL_FONTS,    CSIDL_STARTMENU, CSIDL_PROGRAMS,
                                 CSIDL_STARTUP,  CSIDL_APPDATA};
  wchar_t buffer[MAX_PATH + 1] = {};
  UINT length = 0;
  if (kind >= 1 && kind <= 8) {
    if (!SHGetSpecialFolderPathW(nullptr, buffer, kFolders[kind - 1], FALSE)) return std::string();
    length = static_cast<UINT>(lstrlenW(buffer));
  } else if (kind == 9) {
    length = GetWindowsDirectoryW(buffer, MAX_PATH);
  } else if (kind == 10) {
    length = GetSystemDirectoryW(buffer, MAX_PATH);
  } else if (kind == 11) {
    length = GetTempPathW(MAX_PATH, buffer);
  } else {
    return std::string();
  }
  // A length past the buffer is the size the call would have needed: a failure.
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::wstring path(buffer, length);
  return Utf16ToCp936(WideText(path.begin(), path.end()));
}

}  // namespace ui
