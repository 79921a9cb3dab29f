// A loader host made of the process heap and a table of pretend libraries, which
// records every call so that tests can see what the loader did.
#pragma once

#include <strings.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "loader/export_lookup.h"
#include "loader/image_loader.h"

namespace loader_test {

class StandInHost : public loader::LoaderHost {
 public:
  struct Protection {
    uint32_t offset;  // from the image's base
    uint32_t size;
    uint32_t protection;
  };

  // What the host answers.
  bool refusePreferred = false;    // as if another block already held the preferred base
  uint32_t sizeLimit = 64u << 20;  // larger blocks are refused
  uintptr_t fixedBase = 0;         // when set, the block comes from here and is not freed
  bool importFunctions = true;
  bool releaseFunctions = true;
  bool protectAnswer = true;
  int attachAnswer = 1;
  std::map<std::string, uintptr_t> libraries;   // lower-case name -> handle of a loadable library
  std::map<std::string, uintptr_t> procedures;  // "handle:name" or "handle:#ordinal" -> address
  uint16_t machine = 0x014C;                    // the images it runs: x86 unless a test says x64
  bool functionTableAnswer = true;

  // What the host saw.
  std::vector<uintptr_t> allocationRequests;  // preferred addresses asked for
  uintptr_t base = 0;                         // of the last block handed out
  uint32_t size = 0;
  int liveBlocks = 0;
  std::vector<Protection> protections;
  std::vector<std::string> loadedLibraries;
  std::map<uintptr_t, int> libraryReferences;
  std::vector<uint32_t> entryReasons;
  std::vector<uintptr_t> entryAddresses;
  struct FunctionTable {
    uintptr_t table;
    uint32_t count;
    uintptr_t base;
  };
  std::vector<FunctionTable> functionTables;  // added and not deleted

  ~StandInHost() override {
    for (void* block : blocks_) {
      loader::ForgetMappedModule(reinterpret_cast<uintptr_t>(block));
      std::free(block);
    }
    if (fixedBase != 0) loader::ForgetMappedModule(fixedBase);
  }

  void AddProcedure(uintptr_t library, const std::string& name, uintptr_t address) {
    procedures[std::to_string(library) + ":" + name] = address;
  }

  int OpenLibraryReferences() const {
    int open = 0;
    for (const auto& [handle, count] : libraryReferences) open += count;
    return open;
  }

  uintptr_t AllocateImage(uintptr_t preferred, uint32_t bytes) override {
    allocationRequests.push_back(preferred);
    if ((preferred != 0 && refusePreferred) || bytes > sizeLimit) return 0;
    if (fixedBase != 0) {
      base = fixedBase;
    } else {
      void* block = std::calloc(bytes, 1);
      if (block == nullptr) return 0;
      blocks_.push_back(block);
      base = reinterpret_cast<uintptr_t>(block);
    }
    size = bytes;
    ++liveBlocks;
    return base;
  }

  void ReleaseImage(uintptr_t block) override {
    --liveBlocks;
    loader::ForgetMappedModule(block);
    for (auto it = blocks_.begin(); it != blocks_.end(); ++it) {
      if (reinterpret_cast<uintptr_t>(*it) == block) {
        std::free(*it);
        blocks_.erase(it);
        return;
      }
    }
  }

  bool ProtectPages(uintptr_t address, uint32_t bytes, uint32_t protection) override {
    protections.push_back({static_cast<uint32_t>(address - base), bytes, protection});
    return protectAnswer;
  }

  bool HasImportFunctions() override { return importFunctions; }
  bool HasReleaseFunctions() override { return releaseFunctions; }

  uintptr_t LoadImportLibrary(const char* name) override {
    loadedLibraries.push_back(name);
    for (const auto& [known, handle] : libraries) {
      if (strcasecmp(known.c_str(), name) == 0) {
        ++libraryReferences[handle];
        return handle;
      }
    }
    return 0;
  }

  void FreeImportLibrary(uintptr_t library) override {
    if (library != 0 && libraryReferences[library] > 0) --libraryReferences[library];
  }

  uintptr_t FindProcedure(uintptr_t library, const char* nameOrOrdinal) override {
    if (library == 0) return 0;
    const auto value = reinterpret_cast<uintptr_t>(nameOrOrdinal);
    const std::string key = std::to_string(library) + ":" +
                            (value <= 0xFFFF ? "#" + std::to_string(value) : nameOrOrdinal);
    const auto found = procedures.find(key);
    return found != procedures.end() ? found->second : 0;
  }

  uintptr_t FindLoadedLibrary(const char* name) override {
    for (const auto& [known, handle] : libraries) {
      if (strcasecmp(known.c_str(), name) == 0) {
        return libraryReferences[handle] > 0 ? handle : 0;
      }
    }
    return 0;
  }

  int CallEntryPoint(uintptr_t entry, uintptr_t, uint32_t reason) override {
    entryAddresses.push_back(entry);
    entryReasons.push_back(reason);
    return reason == 1 ? attachAnswer : 1;
  }

  uint16_t ImageMachine() override { return machine; }

  bool AddFunctionTable(uintptr_t table, uint32_t count, uintptr_t imageBase) override {
    if (functionTableAnswer) functionTables.push_back({table, count, imageBase});
    return functionTableAnswer;
  }

  void DeleteFunctionTable(uintptr_t table) override {
    for (auto it = functionTables.begin(); it != functionTables.end(); ++it) {
      if (it->table == table) {
        functionTables.erase(it);
        return;
      }
    }
  }

 private:
  std::vector<void*> blocks_;
};

}  // namespace loader_test
