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
    case 1: return Home() + "/Documents";
    case 2: return Home() + "/Favorites";
    case 3: return Home() + "/Desktop";
    case 4: return "/usr/share/fonts";
    case 5:
    case 6:
    case 7: return Home() + "/.local/share/applications";
    case 8: {
      std::string appData = Env("SUBVANE_APPDATA");
      if (!appData.empty()) return appData;
      std::string config = Env("XDG_CONFIG_HOME");
      return config.empty() ? Home() + "/.config" : config;
    }
    case 9:
    case 10: return "/";
    case 11: {
      std::string temp = Env("TMPDIR");
      return temp.empty() ? std::string("/tmp") : temp;
    }
    default: return std::string();
  }
}

}  // namespace ui
