#include <cstdlib>

#include "ui/special_folder.h"

namespace ui {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string Home() {
  std::string home = Env("HOME");
  return home.empty() ? std::string("/") : home;
}

}  // namespace

// The Linux stand-in answers from the environment; SUBVANE_APPDATA names the roaming
// application-data folder.
std::string PlatformFolderPath(int32_t kind) {
  switch (kind) {
    case kFolderDocuments:
      return Home() + "/Documents";
    case kFolderFavourites:
      return Home() + "/Favorites";
    case kFolderDesktop:
      return Home() + "/Desktop";
    case kFolderFonts:
      return "/usr/share/fonts";
    case kFolderStartMenu:
    case kFolderPrograms:
    case kFolderStartUp:
      return Home() + "/.local/share/applications";
    case kFolderAppData: {
      std::string appData = Env("SUBVANE_APPDATA");
      if (!appData.empty()) return appData;
      std::string config = Env("XDG_CONFIG_HOME");
      return config.empty() ? Home() + "/.config" : config;
    }
    case kFolderWindows:
    case kFolderSystem:
      return "/";
    case kFolderTemporary: {
      std::string temp = Env("TMPDIR");
      return temp.empty() ? std::string("/tmp") : temp;
    }
    default:
      return std::string();
  }
}

std::string PlatformFolderPathUtf8(int32_t kind) { return PlatformFolderPath(kind); }

}  // namespace ui
