// The core command that shows a file dialog component, whatever library provides it.
#include "runtime/component.h"
#include "runtime/services.h"

namespace rt {

// ShowFileDialog(dialog): Bool true when the user confirmed a file.
void CmdShowFileDialog(CommandResult* result, int32_t argc, CommandArg* args) {
  if (argc < 1) return;
  // A missing window or component does not come back: the request reports it.
  auto* component = reinterpret_cast<Component*>(
      SystemRequest(kRequestComponentObject, ArgWindowId(args[0]), ArgComponentId(args[0])));
  auto* dialog = dynamic_cast<DialogComponent*>(component);
  result->value.words.low = (dialog && dialog->ShowDialog()) ? 1 : 0;
}

}  // namespace rt
