// Files through POSIX descriptors. Windows' sharing modes have no POSIX counterpart,
// so the process keeps its own table of open files and refuses an open that Windows
// would refuse against another open of the same file in this process.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/file_replace.h"

namespace platform {

namespace {

struct OpenEntry {
  int fd;
  dev_t device;
  ino_t inode;
  FileAccess access;
  FileShare share;
};

std::vector<OpenEntry>& OpenFiles() {
  static std::vector<OpenEntry> files;
  return files;
}

bool Reads(FileAccess a) { return a != FileAccess::Write; }
bool Writes(FileAccess a) { return a != FileAccess::Read; }
bool DeniesRead(FileShare s) { return s == FileShare::DenyRead || s == FileShare::DenyBoth; }
bool DeniesWrite(FileShare s) { return s == FileShare::DenyWrite || s == FileShare::DenyBoth; }

bool SharingAllows(const struct stat& st, FileAccess access, FileShare share) {
  for (const OpenEntry& e : OpenFiles()) {
    if (e.device != st.st_dev || e.inode != st.st_ino) continue;
    if ((Reads(access) && DeniesRead(e.share)) || (Writes(access) && DeniesWrite(e.share)) ||
        (Reads(e.access) && DeniesRead(share)) || (Writes(e.access) && DeniesWrite(share))) {
      return false;
    }
  }
  return true;
}

int OpenFlags(FileAccess access, FileCreation creation) {
  int flags = O_CLOEXEC;
  switch (access) {
    case FileAccess::Read:
      flags |= O_RDONLY;
      break;
    case FileAccess::Write:
      flags |= O_WRONLY;
      break;
    case FileAccess::ReadWrite:
      flags |= O_RDWR;
      break;
  }
  switch (creation) {
    case FileCreation::OpenExisting:
      break;
    case FileCreation::TruncateOrCreate:
      flags |= O_CREAT | O_TRUNC;
      break;
    case FileCreation::OpenOrCreate:
      flags |= O_CREAT;
      break;
  }
  return flags;
}

int ToFd(intptr_t file) { return static_cast<int>(file); }

}  // namespace

intptr_t FileOpen(const char* name, FileAccess access, FileCreation creation, FileShare share) {
  if (!name || !*name) return 0;
  struct stat existing;
  if (stat(name, &existing) == 0) {
    // As on Windows, a folder is not a file, and a conflicting share fails before
    // anything (truncation included) happens to the file.
    if (S_ISDIR(existing.st_mode) || !SharingAllows(existing, access, share)) return 0;
  }
  int fd;
  do {
    fd = open(name, OpenFlags(access, creation), 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return 0;
  if (fd == 0) {
    // Handle 0 means failure to the callers: move the descriptor.
    int moved = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    close(fd);
    if (moved < 0) return 0;
    fd = moved;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    return 0;
  }
  OpenFiles().push_back(OpenEntry{fd, st.st_dev, st.st_ino, access, share});
  return fd;
}

void FileClose(intptr_t file) {
  if (!file) return;
  std::vector<OpenEntry>& files = OpenFiles();
  for (size_t i = 0; i < files.size(); ++i) {
    if (files[i].fd == ToFd(file)) {
      files.erase(files.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  close(ToFd(file));
}

bool FileWrite(intptr_t file, const void* data, size_t size) {
  const char* from = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = write(ToFd(file), from, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    from += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

int64_t FileRead(intptr_t file, void* data, size_t size) {
  char* to = static_cast<char*>(data);
  int64_t total = 0;
  while (size > 0) {
    ssize_t n = read(ToFd(file), to, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return total > 0 ? total : -1;
    if (n == 0) break;
    to += n;
    size -= static_cast<size_t>(n);
    total += n;
  }
  return total;
}

int64_t FileSize(intptr_t file) {
  struct stat st;
  if (fstat(ToFd(file), &st) != 0) return -1;
  return st.st_size;
}

int64_t FileTell(intptr_t file) {
  off_t at = lseek(ToFd(file), 0, SEEK_CUR);
  return at < 0 ? -1 : static_cast<int64_t>(at);
}

bool FileSeek(intptr_t file, int64_t position) {
  return position >= 0 && lseek(ToFd(file), static_cast<off_t>(position), SEEK_SET) >= 0;
}

int ReplaceFileContents(const char* path, const void* data, size_t size) {
  struct stat existing;
  if (stat(path, &existing) == 0 && S_ISDIR(existing.st_mode)) return EISDIR;
  static unsigned counter = 0;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = std::string(path) + "." + std::to_string(getpid()) + "-" +
                std::to_string(++counter) + ".tmp";
    do {
      fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0 && errno != EEXIST) return errno;
  }
  if (fd < 0) return EEXIST;
  int error = 0;
  if (!FileWrite(fd, data, size) || fsync(fd) != 0) error = errno ? errno : EIO;
  // A close that fails may have lost what the system still held: a failed write.
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), path) != 0) error = errno;
  if (error != 0) unlink(temporary.c_str());
  return error;
}

bool FileWriteReplacing(const char* name, const void* data, size_t size) {
  if (!name || !*name) return false;
  return ReplaceFileContents(name, data, size) == 0;
}

}  // namespace platform
