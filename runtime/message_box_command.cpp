// The core command that shows a message box and answers the button the user pressed, and
// the same box for the program's own texts in UTF-16.
#include <string>

#include "language/catalogue.h"
#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "runtime/command_impl.h"
#include "runtime/message_box.h"
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

int32_t ShowMessageText(const std::u16string& text, int32_t flags, const char16_t* title,
                        void* ownerNative) {
  auto style = static_cast<uint32_t>(flags);
  if (!(style & platform::kMbSystemModal)) style |= platform::kMbTaskModal;
  const char16_t* shownTitle = title ? title : language::Text(language::TextId::kMessageTitle);
  int button = platform::ShowMessageBoxWide(text.c_str(), shownTitle, style, ownerNative);
  // The platform numbers its buttons IDOK 1 ... IDNO 7; the program counts from 0. A box
  // that could not be shown answers -1, never a button the user did not press.
  bool pressed = button >= platform::kIdOk && button <= platform::kIdNo;
  return pressed ? button - platform::kIdOk : -1;
}

void CmdShowMessage(CommandResult* result, int32_t argc, CommandArg* args) {
  std::string text = argc > 0 ? ValueText(args[0]) : std::string();
  const CommandArg* flagsArg = OptionalArg(argc, args, 1);
  const CommandArg* titleArg = OptionalArg(argc, args, 2);
  int32_t flags = flagsArg ? flagsArg->value.words.low : 0;
  std::u16string title = titleArg ? platform::Cp936ToUtf16(ValueText(*titleArg)) : u"";
  result->value.words.low =
      ShowMessageText(platform::Cp936ToUtf16(text), flags, titleArg ? title.c_str() : nullptr,
                      MessageOwner(OptionalArg(argc, args, 3)));
}

}  // namespace rt
