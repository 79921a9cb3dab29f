#include "ui/special_folder.h"

#include "ui/text_convert.h"

namespace ui {
namespace {

// The command's result buffer, terminating zero included (MAX_PATH).
constexpr size_t kFolderPathBuffer = 260;

}  // namespace

std::string WithTrailingBackslash(const std::string& path) {
  if (path.empty()) return path;
  // The last byte is a backslash only if it is not the trail byte of a character.
  size_t last = 0;
  for (size_t i = 0; i < path.size(); i += Cp936CharLength(path, i)) last = i;
  bool endsInBackslash = Cp936CharLength(path, last) == 1 && path[last] == '\\';
  if (endsInBackslash || path.size() >= kFolderPathBuffer - 1) return path;
  return path + '\\';
}

void CmdGetSpecialFolder(rt::CommandResult* result, int32_t argc, rt::CommandArg* args) {
  if (argc < 1) return;
  std::string path = WithTrailingBackslash(PlatformFolderPath(args[0].value.words.low));
  result->value.ptr = rt::NewText(path);
}

rt::OwnedText GetSpecialFolder(int32_t kind) {
  rt::CommandArg args[1] = {rt::ArgInt(kind)};
  rt::CommandResult r = rt::Services().CallLibraryCommand(&CmdGetSpecialFolder, 1, 1, args);
  return rt::OwnedText(static_cast<char*>(r.value.ptr));
}

}  // namespace ui
