#include "runtime/dll_commands.h"

#include <string>
#include <vector>

#include "language/catalogue.h"
#include "platform/platform.h"
#include "platform/text_encoding.h"
#include "runtime/dll_call.h"
#include "runtime/report.h"

namespace rt {

namespace {

// One slot per declared command, indexed by its number.
struct DllCommandTables {
  std::vector<std::string> libraryNames;
  std::vector<std::string> exportNames;
  std::vector<void*> addresses;
  std::vector<intptr_t> modules;
};

DllCommandTables& Tables() {
  static DllCommandTables* tables = new DllCommandTables();
  return *tables;
}

const char* const kFallbackLibraries[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                          "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};

// "#n" with n decimal names ordinal n modulo 65536.
bool ParseOrdinal(const std::string& name, uint16_t* ordinal) {
  if (name.size() < 2 || name[0] != '#') return false;
  uint32_t value = 0;
  for (size_t i = 1; i < name.size(); i++) {
    if (name[i] < '0' || name[i] > '9') return false;
    value = (value * 10 + static_cast<uint32_t>(name[i] - '0')) & 0xFFFF;
  }
  *ordinal = static_cast<uint16_t>(value);
  return true;
}

struct ExportName {
  const std::string& name;
  bool byOrdinal;
  uint16_t ordinal;
};

void* FindExport(intptr_t module, const ExportName& exportName) {
  if (!module) return nullptr;
  return exportName.byOrdinal ? platform::LibraryFindOrdinal(module, exportName.ordinal)
                              : platform::LibraryFind(module, exportName.name.c_str());
}

intptr_t LoadNamedLibrary(const std::string& fileName) {
  if (fileName.find(':') != std::string::npos) return platform::LibraryLoad(fileName.c_str());
  const std::string& directory = ExecutableDirectory();
  if (!directory.empty()) {
    std::string local = directory + "\\" + fileName;
    if (intptr_t module = platform::LibraryLoad(local.c_str())) return module;
  }
  return platform::LibraryLoad(fileName.c_str());
}

[[noreturn]] void ReportMissingExport(const std::string& library, const std::string& name) {
  using platform::Cp936ToUtf16;
  if (library.empty())
    FatalError(language::Text(language::TextId::kErrorDllCommandNotFound, {Cp936ToUtf16(name)}));
  FatalError(language::Text(language::TextId::kErrorDllCommandNotFoundInLibrary,
                            {Cp936ToUtf16(library), Cp936ToUtf16(name)}));
}

}  // namespace

void InitDllCommands(const ProgramDescriptor& program) {
  FreeDllCommands();
  DllCommandTables& tables = Tables();
  int32_t count = program.dllCommandCount > 0 ? program.dllCommandCount : 0;
  for (int32_t i = 0; i < count; i++) {
    const char* library = program.dllLibraryNames ? program.dllLibraryNames[i] : nullptr;
    const char* name = program.dllExportNames ? program.dllExportNames[i] : nullptr;
    tables.libraryNames.emplace_back(library ? library : "");
    tables.exportNames.emplace_back(name ? name : "");
  }
  tables.addresses.assign(static_cast<size_t>(count), nullptr);
  tables.modules.assign(static_cast<size_t>(count), 0);
}

void FreeDllCommands() {
  DllCommandTables& tables = Tables();
  for (intptr_t module : tables.modules)
    if (module) platform::LibraryFree(module);
  tables.libraryNames.clear();
  tables.exportNames.clear();
  tables.addresses.clear();
  tables.modules.clear();
}

void* BindDllCommand(int32_t number) {
  DllCommandTables& tables = Tables();
  if (number < 0 || static_cast<size_t>(number) >= tables.addresses.size())
    FatalError(language::Text(language::TextId::kErrorDllCommandUndefined,
                              {language::NumberText(number)}));
  size_t slot = static_cast<size_t>(number);
  if (tables.addresses[slot]) return tables.addresses[slot];

  const std::string& library = tables.libraryNames[slot];
  ExportName exportName{tables.exportNames[slot], false, 0};
  exportName.byOrdinal = ParseOrdinal(exportName.name, &exportName.ordinal);

  intptr_t module = 0;
  void* address = nullptr;
  if (library.empty()) {
    for (const char* candidate : kFallbackLibraries) {
      module = platform::LibraryLoad(candidate);
      address = FindExport(module, exportName);
      if (address) break;
      if (module) platform::LibraryFree(module);
      module = 0;
    }
  } else {
    module = LoadNamedLibrary(library);
    address = FindExport(module, exportName);
  }
  if (!address) {
    if (module) platform::LibraryFree(module);
    ReportMissingExport(library, exportName.name);
  }
  tables.addresses[slot] = address;
  tables.modules[slot] = module;
  return address;
}

intptr_t CallDllCommandAt(int32_t where, int32_t position, int32_t number, int32_t argc,
                          const intptr_t* args) {
  void* function = BindDllCommand(number);
  int32_t stackDelta = 0;
  intptr_t result = CallWithStackCheck(function, argc, args, &stackDelta);
  if (stackDelta != 0) ReportRuntimeError(kErrorDllStack, where, position);
  return result;
}

intptr_t CallDllCommand(int32_t number, int32_t argc, const intptr_t* args) {
  return CallDllCommandAt(kDllCallerUnit, number, number, argc, args);
}

intptr_t DllCommandModule(int32_t number) {
  const DllCommandTables& tables = Tables();
  if (number < 0 || static_cast<size_t>(number) >= tables.modules.size()) return 0;
  return tables.modules[static_cast<size_t>(number)];
}

}  // namespace rt
