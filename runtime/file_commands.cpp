// The core commands that read and write files.
#include <cstring>
#include <string>

#include "heap/heap.h"
#include "platform/platform.h"
#include "runtime/command_impl.h"
#include "runtime/commands.h"

namespace rt {

namespace {

constexpr int32_t kFileKindPlain = 1;

bool IsOpenFile(int32_t file) {
  return file != 0 && SystemRequest(kRequestFileLookup, file, 0) != -1;
}

// Closes a platform file handle when it goes out of scope.
class ScopedFile {
 public:
  explicit ScopedFile(intptr_t file) : file_(file) {}
  ~ScopedFile() {
    if (file_) platform::FileClose(file_);
  }
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;
  intptr_t Get() const { return file_; }

 private:
  intptr_t file_;
};

}  // namespace

void CmdReadFileBytes(CommandResult* result, int32_t, CommandArg* args) {
  const char* name = ArgTextPtr(args[0]);
  if (!*name) return;
  ScopedFile file(platform::FileOpen(name, platform::FileAccess::Read,
                                     platform::FileCreation::OpenExisting,
                                     platform::FileShare::DenyWrite));
  if (!file.Get()) return;
  int64_t size = platform::FileSize(file.Get());
  // A byte array's length is one int32 word; a larger file cannot be held.
  if (size <= 0 || size > INT32_MAX - static_cast<int64_t>(sizeof(BytesHeader))) return;
  uint8_t* block = NewBytes(nullptr, static_cast<size_t>(size));
  uint8_t* data = BytesData(block);
  int64_t total = 0;
  while (total < size) {
    int64_t n = platform::FileRead(file.Get(), data + total, static_cast<size_t>(size - total));
    if (n <= 0) break;
    total += n;
  }
  if (total == 0) {
    Free(block);
    return;
  }
  reinterpret_cast<BytesHeader*>(block)->length = static_cast<int32_t>(total);
  result->value.ptr = block;
}

void CmdOpenFile(CommandResult* result, int32_t argc, CommandArg* args) {
  using platform::FileAccess;
  using platform::FileCreation;
  using platform::FileShare;
  static const FileAccess kAccess[] = {FileAccess::Read,  FileAccess::Write, FileAccess::ReadWrite,
                                       FileAccess::Write, FileAccess::Write, FileAccess::ReadWrite};
  static const FileCreation kCreation[] = {
      FileCreation::OpenExisting,     FileCreation::OpenExisting, FileCreation::OpenExisting,
      FileCreation::TruncateOrCreate, FileCreation::OpenOrCreate, FileCreation::OpenOrCreate};
  static const FileShare kShare[] = {FileShare::ReadWrite, FileShare::DenyRead,
                                     FileShare::DenyWrite, FileShare::DenyBoth};

  const char* name = ArgTextPtr(args[0]);
  const CommandArg* modeArg = OptionalArg(argc, args, 1);
  const CommandArg* shareArg = OptionalArg(argc, args, 2);
  int32_t mode = modeArg ? modeArg->value.words.low : 3;
  int32_t share = shareArg ? shareArg->value.words.low : 1;
  if (!*name || mode < 1 || mode > 6 || share < 1 || share > 4) return;

  intptr_t file =
      platform::FileOpen(name, kAccess[mode - 1], kCreation[mode - 1], kShare[share - 1]);
  if (!file) return;
  // The program holds a file as a 32-bit number. Kernel handles keep to 32 bits in a
  // 64-bit process too (Windows hands them to 32-bit processes that way) and widen back
  // by sign; a value that would not come back whole is not one the program can hold.
  const auto number = static_cast<int32_t>(file);
  if (static_cast<intptr_t>(number) != file) {
    platform::FileClose(file);
    return;
  }
  SystemRequest(kRequestFileRegister, file, kFileKindPlain);
  result->value.words.low = number;
}

bool CloseFile(int32_t file) {
  if (!IsOpenFile(file)) return false;
  SystemRequest(kRequestFileRemove, file, 0);
  platform::FileClose(file);
  return true;
}

void CmdWriteFileText(CommandResult* result, int32_t argc, CommandArg* args) {
  if (argc < 1) return;
  int32_t file = args[0].value.words.low;
  if (!IsOpenFile(file)) return;
  int64_t start = platform::FileTell(file);
  for (int32_t i = 1; i < argc; ++i) {
    const CommandArg& value = args[i];
    bool written;
    if (value.type == kTypeText) {
      // The whole document travels as one text: write it without a copy.
      const char* text = ArgTextPtr(value);
      size_t size = std::strlen(text);
      written = size == 0 || platform::FileWrite(file, text, size);
    } else {
      std::string text = ValueText(value);
      written = text.empty() || platform::FileWrite(file, text.data(), text.size());
    }
    if (!written) {
      if (start >= 0) platform::FileSeek(file, start);
      return;
    }
  }
  result->value.words.low = 1;
}

}  // namespace rt
