// Libraries in the Linux build: a registry of stand-in modules, found by file name
// (path and letter case ignored, ".dll" implied) and searched by export name.
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/kernel32_standin.h"

namespace platform {

namespace {

// The stand-in exports take one pointer-sized argument per Windows argument, so that
// a caller that passes a list of such words reaches them with an ordinary call.
intptr_t ExportMultiByteToWideChar(intptr_t codePage, intptr_t flags, intptr_t src, intptr_t srcLen,
                                   intptr_t dst, intptr_t dstLen) {
  return standin::MultiByteToWideChar(static_cast<uint32_t>(codePage), static_cast<uint32_t>(flags),
                                      reinterpret_cast<const char*>(src), static_cast<int>(srcLen),
                                      reinterpret_cast<uint16_t*>(dst), static_cast<int>(dstLen));
}

intptr_t ExportWideCharToMultiByte(intptr_t codePage, intptr_t flags, intptr_t src, intptr_t srcLen,
                                   intptr_t dst, intptr_t dstLen, intptr_t defaultChar,
                                   intptr_t usedDefault) {
  return standin::WideCharToMultiByte(
      static_cast<uint32_t>(codePage), static_cast<uint32_t>(flags),
      reinterpret_cast<const uint16_t*>(src), static_cast<int>(srcLen),
      reinterpret_cast<char*>(dst), static_cast<int>(dstLen),
      reinterpret_cast<const char*>(defaultChar), reinterpret_cast<int*>(usedDefault));
}

intptr_t ExportLstrlenA(intptr_t text) {
  return standin::lstrlenA(reinterpret_cast<const char*>(text));
}

intptr_t ExportLstrlenW(intptr_t text) {
  return standin::lstrlenW(reinterpret_cast<const uint16_t*>(text));
}

struct Module {
  std::string fileName;  // lower case
  std::vector<standin::Export> exports;
  int loads = 0;
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// "C:\dir\Kernel32" and "kernel32.dll" name the same module.
std::string ModuleKey(const std::string& fileName) {
  size_t slash = fileName.find_last_of("\\/");
  std::string base = Lower(slash == std::string::npos ? fileName : fileName.substr(slash + 1));
  if (!base.empty() && base.find('.') == std::string::npos) base += ".dll";
  return base;
}

std::vector<Module>& Modules() {
  static std::vector<Module>* modules = new std::vector<Module>{
      {"kernel32.dll",
       {{"MultiByteToWideChar", reinterpret_cast<void*>(&ExportMultiByteToWideChar)},
        {"WideCharToMultiByte", reinterpret_cast<void*>(&ExportWideCharToMultiByte)},
        {"lstrlenA", reinterpret_cast<void*>(&ExportLstrlenA)},
        {"lstrlenW", reinterpret_cast<void*>(&ExportLstrlenW)}},
       0},
  };
  return *modules;
}

Module* ModuleOf(intptr_t module) {
  std::vector<Module>& modules = Modules();
  if (module < 1 || static_cast<size_t>(module) > modules.size()) return nullptr;
  return &modules[static_cast<size_t>(module) - 1];
}

}  // namespace

namespace standin {

void RegisterModule(const std::string& fileName, std::vector<Export> exports) {
  std::string key = ModuleKey(fileName);
  for (Module& module : Modules())
    if (module.fileName == key) {
      module.exports = std::move(exports);
      return;
    }
  Modules().push_back(Module{key, std::move(exports), 0});
}

int ModuleLoadCount(const std::string& fileName) {
  std::string key = ModuleKey(fileName);
  for (const Module& module : Modules())
    if (module.fileName == key) return module.loads;
  return 0;
}

}  // namespace standin

intptr_t LibraryLoad(const char* fileName) {
  if (!fileName || !*fileName) return 0;
  std::string key = ModuleKey(fileName);
  std::vector<Module>& modules = Modules();
  for (size_t i = 0; i < modules.size(); i++)
    if (modules[i].fileName == key) {
      modules[i].loads++;
      return static_cast<intptr_t>(i + 1);
    }
  return 0;
}

void* LibraryFind(intptr_t module, const char* exportName) {
  Module* found = ModuleOf(module);
  if (!found || !exportName) return nullptr;
  for (const standin::Export& entry : found->exports)
    if (entry.name == exportName) return entry.address;
  return nullptr;
}

void* LibraryFindOrdinal(intptr_t module, uint16_t ordinal) {
  Module* found = ModuleOf(module);
  if (!found || ordinal == 0 || ordinal > found->exports.size()) return nullptr;
  return found->exports[ordinal - 1u].address;
}

void LibraryFree(intptr_t module) {
  Module* found = ModuleOf(module);
  if (found && found->loads > 0) found->loads--;
}

}  // namespace platform
