#include "app/dropped_draft.h"

#include "core/project_folder.h"
#include "platform/platform.h"
#include "ui/text_convert.h"

namespace app {
namespace {

// project.json holds a few hundred bytes; anything far larger is not one.
constexpr int64_t kSmallFileLimit = 1 << 20;

// The project folder as the window's platform sees it.
class SystemProjectFiles : public core::ProjectFiles {
 public:
  bool IsFile(const std::string& path) const override {
    return platform::PathKindOf(path.c_str()) == platform::PathKind::File;
  }

  bool ReadSmallFile(const std::string& path, std::string& bytes) const override {
    if (!IsFile(path)) return false;
    intptr_t file =
        platform::FileOpen(path.c_str(), platform::FileAccess::Read,
                           platform::FileCreation::OpenExisting, platform::FileShare::ReadWrite);
    if (file == 0) return false;
    int64_t size = platform::FileSize(file);
    bool read = size >= 0 && size <= kSmallFileLimit;
    if (read) {
      bytes.assign(static_cast<size_t>(size), '\0');
      read = size == 0 || platform::FileRead(file, &bytes[0], bytes.size()) == size;
    }
    platform::FileClose(file);
    return read;
  }

  char Separator() const override { return platform::PathSeparator(); }
};

// `folder` ending in a separator. Names are then joined to it without a look at its
// last byte, which in code page 936 may be the second half of a character and still
// read as a backslash.
std::string WithSeparator(const std::string& folder) {
  bool endsInSeparator = false;
  for (size_t i = 0; i < folder.size();) {
    size_t n = ui::Cp936CharLength(folder, i);
    endsInSeparator = n == 1 && (folder[i] == '\\' || folder[i] == '/');
    i += n;
  }
  return endsInSeparator ? folder : folder + platform::PathSeparator();
}

}  // namespace

std::string DroppedDraftFile(const std::string& path) {
  if (platform::PathKindOf(path.c_str()) != platform::PathKind::Folder) return path;
  return core::ProjectDraftFile(WithSeparator(path), SystemProjectFiles());
}

}  // namespace app
