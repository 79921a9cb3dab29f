#include "cli/libraries.h"

#include "json/encoding.h"
#include "loader/json_library.h"
#include "runtime/dll_commands.h"
#include "runtime/program.h"

namespace cli {

bool PrepareLibraries(bool gbk, std::string& reason) {
  MapJsonLibrary();
  if (JsonLibraryModule == 0) {
    reason = "the JSON library cannot be loaded";
    return false;
  }
  if (gbk) {
    // Only the conversion functions are declared: a console program needs none of
    // the rest of the runtime's start-up (windows, working directory, OLE).
    static rt::ProgramDescriptor program = {};
    program.dllCommandCount = json::kEncodingDllCount;
    program.dllLibraryNames = json::kEncodingDllLibraries;
    program.dllExportNames = json::kEncodingDllExports;
    rt::InitDllCommands(program);
  }
  return true;
}

std::string Utf8ToGbkBytes(const std::string& utf8) {
  rt::OwnedText gbk = json::Utf8ToGbk(utf8.c_str());
  return rt::TextToString(gbk.get());
}

}  // namespace cli
