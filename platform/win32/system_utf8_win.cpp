#include <windows.h>

#include <cstdio>
#include <new>
#include <string>

#include "platform/system_utf8.h"
#include "platform/text_encoding.h"
#include "platform/win32/file_replace.h"
#include "platform/win32/wide_path.h"

namespace platform {
namespace {

// The one converter (platform/text_encoding.h) in the wide form the system takes.
std::wstring Wide(const std::string& utf8) {
  WideText wide = Utf8ToUtf16(utf8);
  return std::wstring(wide.begin(), wide.end());
}

// `utf8` as the wide file functions take it: a long absolute path in its extended-length
// form, so that no path is refused for its length.
std::wstring SystemPath(const std::string& utf8) { return WideSystemPath(Wide(utf8)); }

std::string Utf8(const wchar_t* wide, int length) {
  if (length <= 0) return std::string();
  return Utf16ToUtf8(
      std::u16string_view(reinterpret_cast<const char16_t*>(wide), static_cast<size_t>(length)));
}

std::string Utf8(const std::wstring& wide) {
  return Utf8(wide.data(), static_cast<int>(wide.size()));
}

// The system's words for an error code, without the trailing line break.
std::string ErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text;
  if (length > 0 && buffer) {
    while (length > 0 && (buffer[length - 1] == L'\n' || buffer[length - 1] == L'\r' ||
                          buffer[length - 1] == L' ' || buffer[length - 1] == L'.')) {
      --length;
    }
    text = Utf8(buffer, static_cast<int>(length));
  }
  if (buffer) LocalFree(buffer);
  if (text.empty()) text = "error " + std::to_string(code);
  return text;
}

// Closes a file handle when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Close(); }
  HANDLE Get() const { return handle_; }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    bool ok = !IsOpen() || CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE handle_;
};

bool WriteAll(HANDLE handle, const char* data, size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(handle, data, chunk, &written, nullptr)) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

// The C run-time's own split of the wide command line (msvcrt), which spares the
// program shell32's CommandLineToArgvW.
extern "C" int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** environment,
                              int expandWildcards, int* startInfo);

std::vector<std::string> ProgramArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = nullptr;
  wchar_t** environment = nullptr;
  int startInfo = 0;
  if (__wgetmainargs(&count, &wide, &environment, 0, &startInfo) < 0 || !wide) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8(std::wstring(wide[i])));
  return arguments;
}

bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }
char PathSeparator() { return '\\'; }

PathKind StatPath(const std::string& path) {
  DWORD attributes = GetFileAttributesW(SystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kMissing;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::kFolder;
  if (attributes & FILE_ATTRIBUTE_DEVICE) return PathKind::kOther;
  return PathKind::kFile;
}

int64_t FileSizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &info)) return -1;
  return static_cast<int64_t>((static_cast<uint64_t>(info.nFileSizeHigh) << 32) |
                              info.nFileSizeLow);
}

std::string FullPath(const std::string& path) {
  std::wstring wide = Wide(path);
  DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  length = GetFullPathNameW(wide.c_str(), length, &full[0], nullptr);
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  return Utf8(full);
}

ReadResult ReadWholeFileOrThrow(const std::string& path, std::string& bytes, std::string& reason,
                                size_t spareCapacity) {
  FileHandle file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) {
    DWORD error = GetLastError();
    reason = ErrorText(error);
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::kNotFound
                                                                          : ReadResult::kUnreadable;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size)) {
    reason = ErrorText(GetLastError());
    return ReadResult::kUnreadable;
  }
  // Checked before anything is allocated: no block of this process can hold more. (The
  // address space left is not asked for: with other threads at work the answer is no
  // guide, and a refused allocation is caught all the same.)
  uint64_t needed = static_cast<uint64_t>(size.QuadPart) + spareCapacity;
  if (needed >= bytes.max_size() || size.QuadPart > 0x7FFFFFFF) {
    reason = "file too large";
    return ReadResult::kTooLarge;
  }
  // Bytes `bytes` already holds are read over, not cleared first: a buffer kept from
  // one draft to the next is not filled with zeros for each.
  bytes.reserve(static_cast<size_t>(size.QuadPart) + spareCapacity);
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD count = 0;
    if (!ReadFile(file.Get(), &bytes[done], static_cast<DWORD>(bytes.size() - done), &count,
                  nullptr)) {
      reason = ErrorText(GetLastError());
      return ReadResult::kUnreadable;
    }
    if (count == 0) break;
    done += count;
  }
  bytes.resize(done);
  return ReadResult::kOk;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& reason) {
  DWORD error = ReplaceFileContents(Wide(path), bytes.data(), bytes.size());
  if (error != ERROR_SUCCESS) reason = ErrorText(error);
  return error == ERROR_SUCCESS;
}

bool WriteStandardOutput(const std::string& bytes) {
  return WriteAll(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), bytes.size());
}

bool WriteTextOutput(const std::string& text) {
  HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(handle, &mode)) return WriteAll(handle, text.data(), text.size());
  std::wstring wide = Wide(text);
  DWORD written = 0;
  return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) !=
         0;
}

std::vector<std::string> ListFolders(const std::string& folder) {
  std::vector<std::string> names;
  std::string pattern = folder;
  if (!pattern.empty() && !IsPathSeparator(pattern.back())) pattern.push_back('\\');
  pattern.push_back('*');
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(SystemPath(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.push_back(Utf8(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool FileModified(const std::string& path, FileTime& time) {
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!GetFileAttributesExW(SystemPath(path).c_str(), GetFileExInfoStandard, &info)) return false;
  FILETIME local;
  SYSTEMTIME parts;
  if (!FileTimeToLocalFileTime(&info.ftLastWriteTime, &local) ||
      !FileTimeToSystemTime(&local, &parts)) {
    return false;
  }
  time.sortKey =
      static_cast<int64_t>((static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                           info.ftLastWriteTime.dwLowDateTime);
  char text[32];
  snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", parts.wYear, parts.wMonth, parts.wDay,
           parts.wHour, parts.wMinute);
  time.localText = text;
  return true;
}

namespace {

// %LOCALAPPDATA% ending in a separator, empty when it is not set.
std::string LocalAppData() {
  wchar_t buffer[MAX_PATH * 2];
  DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2) return std::string();
  std::string local = Utf8(buffer, static_cast<int>(length));
  if (!IsPathSeparator(local.back())) local.push_back('\\');
  return local;
}

}  // namespace

std::vector<std::string> EditorDataFolders() {
  std::string local = LocalAppData();
  if (local.empty()) return {};
  return {local + "JianyingPro", local + "CapCut"};
}

std::string UserCacheFolder() {
  std::string local = LocalAppData();
  return local.empty() ? std::string() : local + "Subvane";
}

bool MakeFolders(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || IsPathSeparator(path[i]))
      CreateDirectoryW(SystemPath(path.substr(0, i)).c_str(), nullptr);
  }
  return StatPath(path) == PathKind::kFolder;
}

void WriteErrorLine(const std::string& line) {
  HANDLE handle = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    std::wstring wide = Wide(line + "\r\n");
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    std::string text = line + "\n";
    WriteAll(handle, text.data(), text.size());
  }
}

}  // namespace platform
