// The runtime's table of core commands, in CoreCommand order.
#include "runtime/command_impl.h"
#include "runtime/commands.h"

namespace rt {

const CommandFn kCoreCommands[kCoreCommandCount] = {
    CmdReadFileBytes,
    CmdOpenFile,
    CmdWriteFileText,
    CmdShowMessage,
    CmdProcessPendingMessages,
    CmdShowFileDialog,
    CmdTextLength,
    CmdBytesLength,
    CmdLeftText,
    CmdRightText,
    CmdFindTextReverse,
    CmdToInt,
    CmdToBytes,
    CmdReadBytesValue,
    CmdBlankBytes,
    CmdValueToText,
    CmdHexText,
    CmdTextAtAddress,
    CmdIntAtAddress,
    CmdDoubleAtAddress,
    CmdWriteMemory,
    CmdShiftLeft,
};

CommandResult CallCore(CoreCommand command, int32_t argc, CommandArg* args) {
  return Services().CallCoreCommand(kCoreCommands[command], argc, args);
}

}  // namespace rt
