#include "core/system.h"

namespace core {

bool ReadSmallFile(const std::string& path, std::string& bytes) {
  // The size is checked before anything is read, so a large file named like a
  // settings file costs nothing.
  int64_t size = FileSizeOf(path);
  if (StatPath(path) != PathKind::kFile || size < 0 ||
      static_cast<uint64_t>(size) > kSmallFileLimit) {
    return false;
  }
  std::string reason;
  return ReadWholeFile(path, bytes, reason) == ReadResult::kOk && bytes.size() <= kSmallFileLimit;
}

bool SystemProjectFiles::IsFile(const std::string& path) const {
  return StatPath(path) == PathKind::kFile;
}

bool SystemProjectFiles::IsFolder(const std::string& path) const {
  return StatPath(path) == PathKind::kFolder;
}

bool SystemProjectFiles::ReadSmallFile(const std::string& path, std::string& bytes) const {
  return core::ReadSmallFile(path, bytes);
}

bool SystemProjectFiles::Modified(const std::string& path, FileTime& time) const {
  return FileModified(path, time);
}

char SystemProjectFiles::Separator() const { return PathSeparator(); }

}  // namespace core
