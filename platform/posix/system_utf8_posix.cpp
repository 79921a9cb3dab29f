#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>

#include "platform/posix/file_replace.h"
#include "platform/system_utf8.h"

namespace platform {
namespace {

// Closes a file descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int Get() const { return fd_; }
  int Close() {
    int result = fd_ >= 0 ? close(fd_) : 0;
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return arguments;
}

bool IsPathSeparator(char c) { return c == '/'; }
char PathSeparator() { return '/'; }

PathKind StatPath(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return PathKind::kMissing;
  if (S_ISDIR(info.st_mode)) return PathKind::kFolder;
  if (S_ISREG(info.st_mode)) return PathKind::kFile;
  return PathKind::kOther;
}

int64_t FileSizeOf(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

std::string FullPath(const std::string& path) {
  char* resolved = realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string full(resolved);
  std::free(resolved);
  return full;
}

ReadResult ReadWholeFileOrThrow(const std::string& path, std::string& bytes, std::string& reason,
                                size_t spareCapacity) {
  Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) {
    int error = errno;
    reason = std::strerror(error);
    return error == ENOENT || error == ENOTDIR ? ReadResult::kNotFound : ReadResult::kUnreadable;
  }
  struct stat info;
  if (fstat(file.Get(), &info) != 0) {
    reason = std::strerror(errno);
    return ReadResult::kUnreadable;
  }
  if (S_ISDIR(info.st_mode)) {
    reason = "is a folder";
    return ReadResult::kUnreadable;
  }
  // Read straight into the result, sized as the file is; a file that grows meanwhile
  // is read on to its end. Bytes `bytes` already holds are read over, not cleared
  // first: a buffer kept from one draft to the next is not filled with zeros for each.
  size_t size = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
  if (size + spareCapacity >= bytes.max_size()) {
    reason = "file too large";
    return ReadResult::kTooLarge;
  }
  bytes.reserve(size + spareCapacity);
  bytes.resize(size);
  size_t done = 0;
  char tail[1 << 16];
  for (;;) {
    bool intoResult = done < bytes.size();
    ssize_t count = intoResult ? read(file.Get(), &bytes[done], bytes.size() - done)
                               : read(file.Get(), tail, sizeof tail);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      reason = std::strerror(errno);
      return ReadResult::kUnreadable;
    }
    if (!intoResult) bytes.append(tail, static_cast<size_t>(count));
    done += static_cast<size_t>(count);
  }
  bytes.resize(done);
  return ReadResult::kOk;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& reason) {
  int error = ReplaceFileContents(path.c_str(), bytes.data(), bytes.size());
  if (error != 0) reason = std::strerror(error);
  return error == 0;
}

bool WriteStandardOutput(const std::string& bytes) {
  return WriteAll(STDOUT_FILENO, bytes.data(), bytes.size());
}

bool WriteTextOutput(const std::string& text) { return WriteStandardOutput(text); }

std::vector<std::string> ListFolders(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = opendir(folder.c_str());
  if (!listing) return names;
  while (const dirent* entry = readdir(listing)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    std::string path = folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
    if (StatPath(path) == PathKind::kFolder) names.push_back(name);
  }
  closedir(listing);
  return names;
}

bool FileModified(const std::string& path, FileTime& time) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  // Nanoseconds: a draft saved twice within a second still shows as changed.
  time.sortKey = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  struct tm local;
  char text[32];
  if (!localtime_r(&info.st_mtime, &local) ||
      std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) {
    return false;
  }
  time.localText = text;
  return true;
}

std::string UserCacheFolder() {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  if (cache && *cache == '/') return std::string(cache) + "/subvane";
  const char* home = std::getenv("HOME");
  if (!home || !*home) return std::string();
  return std::string(home) + "/.cache/subvane";
}

bool MakeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') mkdir(path.substr(0, i).c_str(), 0700);
  }
  return StatPath(path) == PathKind::kFolder;
}

std::vector<std::string> EditorDataFolders() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
  std::string movies = std::string(home) + "/Movies/";
  return {movies + "JianyingPro", movies + "CapCut"};
}

void WriteErrorLine(const std::string& line) {
  std::string text = line + "\n";
  WriteAll(STDERR_FILENO, text.data(), text.size());
}

}  // namespace platform
