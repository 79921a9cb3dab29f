// The core command that lets the messages waiting for the user-interface thread run.
#include "platform/platform.h"
#include "runtime/command_impl.h"

namespace rt {

void CmdProcessPendingMessages(CommandResult*, int32_t, CommandArg*) {
  while (platform::PumpMessage(false, false) == platform::PumpResult::Dispatched) {
  }
}

}  // namespace rt
