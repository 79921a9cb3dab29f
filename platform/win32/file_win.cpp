// Files through the wide Win32 functions; names arrive in code page 936.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/file_replace.h"
#include "platform/win32/text_win.h"
#include "platform/win32/wide_path.h"

namespace platform {

namespace {

HANDLE ToHandle(intptr_t file) { return reinterpret_cast<HANDLE>(file); }

DWORD AccessFlags(FileAccess access) {
  switch (access) {
    case FileAccess::Read:
      return GENERIC_READ;
    case FileAccess::Write:
      return GENERIC_WRITE;
    case FileAccess::ReadWrite:
      return GENERIC_READ | GENERIC_WRITE;
  }
  return 0;
}

DWORD ShareFlags(FileShare share) {
  switch (share) {
    case FileShare::ReadWrite:
      return FILE_SHARE_READ | FILE_SHARE_WRITE;
    case FileShare::DenyRead:
      return FILE_SHARE_WRITE;
    case FileShare::DenyWrite:
      return FILE_SHARE_READ;
    case FileShare::DenyBoth:
      return 0;
  }
  return 0;
}

DWORD CreationFlags(FileCreation creation) {
  switch (creation) {
    case FileCreation::OpenExisting:
      return OPEN_EXISTING;
    case FileCreation::TruncateOrCreate:
      return CREATE_ALWAYS;
    case FileCreation::OpenOrCreate:
      return OPEN_ALWAYS;
  }
  return OPEN_EXISTING;
}

// ReadFile and WriteFile take at most a DWORD per call.
constexpr size_t kChunk = 1u << 30;

}  // namespace

intptr_t FileOpen(const char* name, FileAccess access, FileCreation creation, FileShare share) {
  if (!name || !*name) return 0;
  std::wstring wide = WideFromGbk(name);
  if (wide.empty()) return 0;
  HANDLE file = CreateFileW(wide.c_str(), AccessFlags(access), ShareFlags(share), nullptr,
                            CreationFlags(creation), FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  return reinterpret_cast<intptr_t>(file);
}

void FileClose(intptr_t file) {
  if (file) CloseHandle(ToHandle(file));
}

bool FileWrite(intptr_t file, const void* data, size_t size) {
  const char* from = static_cast<const char*>(data);
  while (size > 0) {
    DWORD part = static_cast<DWORD>(size < kChunk ? size : kChunk);
    DWORD written = 0;
    if (!WriteFile(ToHandle(file), from, part, &written, nullptr) || written == 0) return false;
    from += written;
    size -= written;
  }
  return true;
}

int64_t FileRead(intptr_t file, void* data, size_t size) {
  char* to = static_cast<char*>(data);
  int64_t total = 0;
  while (size > 0) {
    DWORD part = static_cast<DWORD>(size < kChunk ? size : kChunk);
    DWORD got = 0;
    if (!ReadFile(ToHandle(file), to, part, &got, nullptr)) return total > 0 ? total : -1;
    if (got == 0) break;
    to += got;
    size -= got;
    total += got;
  }
  return total;
}

int64_t FileSize(intptr_t file) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(ToHandle(file), &size)) return -1;
  return size.QuadPart;
}

int64_t FileTell(intptr_t file) {
  LARGE_INTEGER zero, position;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(ToHandle(file), zero, &position, FILE_CURRENT)) return -1;
  return position.QuadPart;
}

DWORD ReplaceFileContents(const std::wstring& target, const void* data, size_t size) {
  static unsigned counter = 0;
  // The new file's name is longer than the target's: either may pass the ordinary limit.
  const std::wstring systemTarget = WideSystemPath(target);
  std::wstring temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = WideSystemPath(target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(++counter) + L".tmp");
    file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
      return GetLastError();
    }
  }
  if (file == INVALID_HANDLE_VALUE) return ERROR_FILE_EXISTS;
  DWORD error = ERROR_SUCCESS;
  if (!FileWrite(reinterpret_cast<intptr_t>(file), data, size) || !FlushFileBuffers(file)) {
    error = GetLastError();
  }
  // A close that fails may have lost what the system still held: a failed write.
  if (!CloseHandle(file) && error == ERROR_SUCCESS) error = GetLastError();
  if (error == ERROR_SUCCESS && !MoveFileExW(temporary.c_str(), systemTarget.c_str(),
                                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) DeleteFileW(temporary.c_str());
  return error;
}

bool FileWriteReplacing(const char* name, const void* data, size_t size) {
  if (!name || !*name) return false;
  std::wstring target = WideFromGbk(name);
  if (target.empty()) return false;
  return ReplaceFileContents(target, data, size) == ERROR_SUCCESS;
}

bool FileSeek(intptr_t file, int64_t position) {
  LARGE_INTEGER to;
  to.QuadPart = position;
  return SetFilePointerEx(ToHandle(file), to, nullptr, FILE_BEGIN) != 0;
}

}  // namespace platform
