// The loader's Windows side: kernel32 found through the process's module list and
// its functions through its export table, never through this program's imports.
#include <windows.h>
#include <winternl.h>

#include "loader/image_loader.h"
#include "loader/local_name.h"
#include "loader/module_list.h"
#include "loader/module_loader.h"

namespace {

// Looks a kernel32 function up afresh: the loader runs once, and a fresh lookup never
// holds an address past its use.
template <typename Function>
Function Kernel32Function(const char* name) {
  const uintptr_t kernel32 = FindKernel32();
  return kernel32 != 0 ? reinterpret_cast<Function>(GetExportByName(kernel32, name)) : nullptr;
}

using VirtualAllocFunction = LPVOID(WINAPI*)(LPVOID, SIZE_T, DWORD, DWORD);
using VirtualFreeFunction = BOOL(WINAPI*)(LPVOID, SIZE_T, DWORD);
using VirtualProtectFunction = BOOL(WINAPI*)(LPVOID, SIZE_T, DWORD, PDWORD);
using LoadLibraryFunction = HMODULE(WINAPI*)(LPCSTR);
using FreeLibraryFunction = BOOL(WINAPI*)(HMODULE);
using GetProcAddressFunction = FARPROC(WINAPI*)(HMODULE, LPCSTR);
using GetModuleHandleFunction = HMODULE(WINAPI*)(LPCSTR);
using EntryPointFunction = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);
using AddFunctionTableFunction = BOOLEAN(WINAPI*)(void*, DWORD, DWORD64);
using DeleteFunctionTableFunction = BOOLEAN(WINAPI*)(void*);

VirtualAllocFunction FindVirtualAlloc() {
  char name[16];
  loader::ComposeName(name, 'V', 'i', 'r', 't', 'u', 'a', 'l', 'A', 'l', 'l', 'o', 'c');
  return Kernel32Function<VirtualAllocFunction>(name);
}

VirtualFreeFunction FindVirtualFree() {
  char name[16];
  loader::ComposeName(name, 'V', 'i', 'r', 't', 'u', 'a', 'l', 'F', 'r', 'e', 'e');
  return Kernel32Function<VirtualFreeFunction>(name);
}

VirtualProtectFunction FindVirtualProtect() {
  char name[16];
  loader::ComposeName(name, 'V', 'i', 'r', 't', 'u', 'a', 'l', 'P', 'r', 'o', 't', 'e', 'c', 't');
  return Kernel32Function<VirtualProtectFunction>(name);
}

LoadLibraryFunction FindLoadLibrary() {
  char name[16];
  loader::ComposeName(name, 'L', 'o', 'a', 'd', 'L', 'i', 'b', 'r', 'a', 'r', 'y', 'A');
  return Kernel32Function<LoadLibraryFunction>(name);
}

FreeLibraryFunction FindFreeLibrary() {
  char name[16];
  loader::ComposeName(name, 'F', 'r', 'e', 'e', 'L', 'i', 'b', 'r', 'a', 'r', 'y');
  return Kernel32Function<FreeLibraryFunction>(name);
}

GetProcAddressFunction FindGetProcAddress() {
  char name[16];
  loader::ComposeName(name, 'G', 'e', 't', 'P', 'r', 'o', 'c', 'A', 'd', 'd', 'r', 'e', 's', 's');
  return Kernel32Function<GetProcAddressFunction>(name);
}

GetModuleHandleFunction FindGetModuleHandle() {
  char name[20];
  loader::ComposeName(name, 'G', 'e', 't', 'M', 'o', 'd', 'u', 'l', 'e', 'H', 'a', 'n', 'd', 'l',
                      'e', 'A');
  return Kernel32Function<GetModuleHandleFunction>(name);
}

// The function-table calls are forwarders to ntdll in kernel32's export table, which
// GetProcAddress follows.
template <typename Function>
Function ForwardedKernel32Function(const char* name) {
  const GetProcAddressFunction getProcAddress = FindGetProcAddress();
  const uintptr_t kernel32 = FindKernel32();
  if (getProcAddress == nullptr || kernel32 == 0) return nullptr;
  return reinterpret_cast<Function>(
      reinterpret_cast<uintptr_t>(getProcAddress(reinterpret_cast<HMODULE>(kernel32), name)));
}

class WindowsLoaderHost final : public loader::LoaderHost {
 public:
  uintptr_t AllocateImage(uintptr_t preferred, uint32_t size) override {
    const VirtualAllocFunction virtualAlloc = FindVirtualAlloc();
    if (virtualAlloc == nullptr) return 0;
    return reinterpret_cast<uintptr_t>(virtualAlloc(reinterpret_cast<LPVOID>(preferred), size,
                                                    MEM_COMMIT | MEM_RESERVE,
                                                    PAGE_EXECUTE_READWRITE));
  }

  void ReleaseImage(uintptr_t base) override {
    const VirtualFreeFunction virtualFree = FindVirtualFree();
    if (virtualFree != nullptr) virtualFree(reinterpret_cast<LPVOID>(base), 0, MEM_RELEASE);
  }

  bool ProtectPages(uintptr_t address, uint32_t size, uint32_t protection) override {
    const VirtualProtectFunction virtualProtect = FindVirtualProtect();
    DWORD previous = 0;
    return virtualProtect != nullptr &&
           virtualProtect(reinterpret_cast<LPVOID>(address), size, protection, &previous) != 0;
  }

  bool HasImportFunctions() override {
    return FindKernel32() != 0 && FindLoadLibrary() != nullptr && FindFreeLibrary() != nullptr &&
           FindGetProcAddress() != nullptr && FindGetModuleHandle() != nullptr;
  }

  bool HasReleaseFunctions() override {
    return FindFreeLibrary() != nullptr && FindGetModuleHandle() != nullptr;
  }

  uintptr_t LoadImportLibrary(const char* name) override {
    const LoadLibraryFunction loadLibrary = FindLoadLibrary();
    return loadLibrary != nullptr ? reinterpret_cast<uintptr_t>(loadLibrary(name)) : 0;
  }

  void FreeImportLibrary(uintptr_t library) override {
    const FreeLibraryFunction freeLibrary = FindFreeLibrary();
    if (freeLibrary != nullptr) freeLibrary(reinterpret_cast<HMODULE>(library));
  }

  uintptr_t FindProcedure(uintptr_t library, const char* nameOrOrdinal) override {
    const GetProcAddressFunction getProcAddress = FindGetProcAddress();
    if (getProcAddress == nullptr) return 0;
    return reinterpret_cast<uintptr_t>(
        getProcAddress(reinterpret_cast<HMODULE>(library), nameOrOrdinal));
  }

  uintptr_t FindLoadedLibrary(const char* name) override {
    const GetModuleHandleFunction getModuleHandle = FindGetModuleHandle();
    return getModuleHandle != nullptr ? reinterpret_cast<uintptr_t>(getModuleHandle(name)) : 0;
  }

  int CallEntryPoint(uintptr_t entry, uintptr_t base, uint32_t reason) override {
    const auto entryPoint = reinterpret_cast<EntryPointFunction>(entry);
    return entryPoint(reinterpret_cast<HINSTANCE>(base), reason, nullptr);
  }

  bool AddFunctionTable(uintptr_t table, uint32_t count, uintptr_t base) override {
    char name[24];
    loader::ComposeName(name, 'R', 't', 'l', 'A', 'd', 'd', 'F', 'u', 'n', 'c', 't', 'i', 'o', 'n',
                        'T', 'a', 'b', 'l', 'e');
    const auto add = ForwardedKernel32Function<AddFunctionTableFunction>(name);
    return add != nullptr && add(reinterpret_cast<void*>(table), count, base) != 0;
  }

  void DeleteFunctionTable(uintptr_t table) override {
    char name[24];
    loader::ComposeName(name, 'R', 't', 'l', 'D', 'e', 'l', 'e', 't', 'e', 'F', 'u', 'n', 'c', 't',
                        'i', 'o', 'n', 'T', 'a', 'b', 'l', 'e');
    const auto remove = ForwardedKernel32Function<DeleteFunctionTableFunction>(name);
    if (remove != nullptr) remove(reinterpret_cast<void*>(table));
  }
};

}  // namespace

uintptr_t FindKernel32() {
  // The thread environment block leads to the process environment block and its loader
  // data; the system's structures give the fields their offsets for either width. The
  // block keeps its own address at fs:[0x18] in a 32-bit process and at gs:[0x30] in a
  // 64-bit one. (MinGW's NtCurrentTeb reads the same word, in a way GCC 12 takes for an
  // access past an array.)
  const TEB* teb = nullptr;
#ifdef _WIN64
  asm("movq %%gs:0x30, %0" : "=r"(teb));
#else
  asm("movl %%fs:0x18, %0" : "=r"(teb));
#endif
  const PEB* peb = teb != nullptr ? teb->ProcessEnvironmentBlock : nullptr;
  if (peb == nullptr || peb->Ldr == nullptr) return 0;
  return loader::FindKernel32InModuleList(
      reinterpret_cast<const loader::ModuleListLinks*>(&peb->Ldr->InMemoryOrderModuleList));
}

uintptr_t LoadModuleFromMemory(const void* data, uint32_t size, ImportResolver resolver,
                               uintptr_t user) {
  WindowsLoaderHost host;
  return loader::LoadModuleWithHost(host, data, size, resolver, user);
}
