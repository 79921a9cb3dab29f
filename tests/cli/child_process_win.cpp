#include <windows.h>

#include "tests/cli/child_process.h"

namespace cli_test {
namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], length);
  return wide;
}

// One argument quoted the way the C runtime splits a command line.
void AppendQuoted(std::wstring& line, const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
    line += argument;
    return;
  }
  line += L'"';
  size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    if (c == L'"') backslashes = backslashes * 2 + 1;
    line.append(backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

class TemporaryFile {
 public:
  TemporaryFile() {
    wchar_t folder[MAX_PATH];
    wchar_t name[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"svc", 0, name);
    path_ = name;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    handle_ = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    DeleteFileW(path_.c_str());
  }
  HANDLE Handle() const { return handle_; }
  std::string Contents() const {
    std::string bytes;
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    char buffer[65536];
    DWORD count = 0;
    while (ReadFile(handle_, buffer, sizeof buffer, &count, nullptr) && count > 0) {
      bytes.append(buffer, count);
    }
    return bytes;
  }

 private:
  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments) {
  std::wstring application = Wide(program);
  std::wstring line;
  AppendQuoted(line, application);
  for (const std::string& argument : arguments) {
    line += L' ';
    AppendQuoted(line, Wide(argument));
  }

  TemporaryFile out;
  TemporaryFile err;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = out.Handle();
  startup.hStdError = err.Handle();
  PROCESS_INFORMATION process = {};
  ChildResult result;
  if (CreateProcessW(application.c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  result.out = out.Contents();
  result.err = err.Contents();
  return result;
}

void SetChildEnvironment(const std::string& name, const std::string& value) {
  SetEnvironmentVariableW(Wide(name).c_str(), Wide(value).c_str());
}

}  // namespace cli_test
