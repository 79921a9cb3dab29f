// The core command that shows a message box and answers the button the user pressed.
#include <string>

#include "platform/platform.h"
#include "runtime/command_impl.h"
#include "runtime/services.h"
#include "runtime/window.h"

namespace rt {

namespace {

void* MessageOwner(const CommandArg* owner) {
  if (!owner) return nullptr;
  if (owner->type == kComponentWindow) {
    auto* window =
        reinterpret_cast<Window*>(SystemRequest(kRequestWindowObject, ArgWindowId(*owner), 0));
    if (window && window->View()) return platform::NativeHandle(window->View());
    return nullptr;
  }
  if (owner->type == kTypeInt) {
    // A window handle as a 32-bit number: a 64-bit process widens it by sign, as
    // Windows' own LongToHandle does.
    return reinterpret_cast<void*>(static_cast<intptr_t>(owner->value.words.low));
  }
  return nullptr;
}

}  // namespace

void CmdShowMessage(CommandResult* result, int32_t argc, CommandArg* args) {
  std::string text = argc > 0 ? ValueText(args[0]) : std::string();
  const CommandArg* flagsArg = OptionalArg(argc, args, 1);
  const CommandArg* titleArg = OptionalArg(argc, args, 2);
  uint32_t flags = flagsArg ? static_cast<uint32_t>(flagsArg->value.words.low) : 0;
  std::string title = titleArg ? ValueText(*titleArg) : std::string("信息：");
  if (!(flags & platform::kMbSystemModal)) flags |= platform::kMbTaskModal;
  int button = platform::ShowMessageBox(text.c_str(), title.c_str(), flags,
                                        MessageOwner(OptionalArg(argc, args, 3)));
  // The platform numbers its buttons IDOK 1 ... IDNO 7; the program counts from 0. A box
  // that could not be shown answers -1, never a button the user did not press.
  bool pressed = button >= platform::kIdOk && button <= platform::kIdNo;
  result->value.words.low = pressed ? button - platform::kIdOk : -1;
}

}  // namespace rt
