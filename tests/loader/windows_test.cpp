// The loader on Windows (run under Wine): kernel32 found through the module list,
// the embedded cJSON image mapped and called, and the probe DLL refused and released.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "loader/json_library_image.h"
#include "loader/module_loader.h"
#include "tests/loader/probe_image.h"

namespace loader_test {
namespace {

// The cJSON image's preferred base: above 4 GB in the 64-bit build, as Windows places
// 64-bit DLLs.
constexpr uintptr_t kJsonPreferredBase =
    sizeof(void*) == 8 ? static_cast<uintptr_t>(0x180000000ull) : 0x10000000;
// Below the ranges Wine keeps reserved from 0x20000000 up.
constexpr uintptr_t kProbePreferredBase = 0x18000000;

bool IsFree(uintptr_t address) {
  MEMORY_BASIC_INFORMATION info{};
  return VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info) != 0 &&
         info.State == MEM_FREE;
}

DWORD ProtectionAt(uintptr_t address) {
  MEMORY_BASIC_INFORMATION info{};
  VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info);
  return info.Protect;
}

uintptr_t MapJsonImage() {
  return LoadModuleFromMemory(JsonLibraryImage.bytes,
                              static_cast<uint32_t>(JsonLibraryImage.length), nullptr, 0);
}

const IMAGE_NT_HEADERS* NtHeaders(uintptr_t base) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(base);
  return reinterpret_cast<const IMAGE_NT_HEADERS*>(bytes +
                                                   *reinterpret_cast<const LONG*>(bytes + 60));
}

// The loader has no unload; the tests give the memory back themselves, and in the
// 64-bit build the unwind table the loader registered.
void Unmap(uintptr_t base) {
#ifdef _WIN64
  const IMAGE_DATA_DIRECTORY& exceptions =
      NtHeaders(base)->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXCEPTION];
  if (exceptions.Size != 0) {
    RtlDeleteFunctionTable(reinterpret_cast<PRUNTIME_FUNCTION>(base + exceptions.VirtualAddress));
  }
#endif
  VirtualFree(reinterpret_cast<void*>(base), 0, MEM_RELEASE);
}

// Parses and frees a small document through the image's own exports.
void ExpectCjsonWorks(uintptr_t base) {
  using Parse = void*(__stdcall*)(const char*);
  using ArraySize = int(__stdcall*)(const void*);
  using Delete = void(__stdcall*)(void*);
  const auto parse = reinterpret_cast<Parse>(GetExportByName(base, "cJSON_Parse"));
  const auto size = reinterpret_cast<ArraySize>(GetExportByName(base, "cJSON_GetArraySize"));
  const auto destroy = reinterpret_cast<Delete>(GetExportByName(base, "cJSON_Delete"));
  ASSERT_NE(parse, nullptr);
  ASSERT_NE(size, nullptr);
  ASSERT_NE(destroy, nullptr);
  void* document = parse("[10, 2.5, \"\\u4E2D\", {\"a\": [true, null]}]");
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(size(document), 4);
  destroy(document);
  EXPECT_EQ(parse("{\"unterminated\": "), nullptr);
}

TEST(LoaderWindows, FindsKernel32AndItsFunctionsWithoutTheImportTable) {
  const uintptr_t kernel32 = FindKernel32();
  ASSERT_NE(kernel32, 0u);
  EXPECT_EQ(kernel32, reinterpret_cast<uintptr_t>(GetModuleHandleW(L"kernel32.dll")));
  for (const char* name : {"VirtualAlloc", "VirtualFree", "VirtualProtect", "LoadLibraryA",
                           "FreeLibrary", "GetProcAddress", "GetModuleHandleA"}) {
    EXPECT_EQ(GetExportByName(kernel32, name), reinterpret_cast<uintptr_t>(GetProcAddress(
                                                   reinterpret_cast<HMODULE>(kernel32), name)))
        << name;
  }
  EXPECT_EQ(GetExportByName(kernel32, "virtualalloc"), 0u);
}

TEST(LoaderWindows, EmbeddedImageMapsAtItsPreferredBaseAndWorks) {
  if (!IsFree(kJsonPreferredBase)) GTEST_SKIP() << "the preferred base is taken in this process";
  const uintptr_t base = MapJsonImage();
  ASSERT_EQ(base, kJsonPreferredBase);
  ExpectCjsonWorks(base);

  // Sections carry the access their characteristics ask for.
  const IMAGE_NT_HEADERS* nt = NtHeaders(base);
  EXPECT_EQ(ProtectionAt(base), static_cast<DWORD>(PAGE_READONLY)) << "headers";
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    const DWORD access = section->Characteristics;
    DWORD expected = PAGE_READONLY;
    if (access & IMAGE_SCN_MEM_EXECUTE)
      expected = PAGE_EXECUTE_READ;
    else if (access & IMAGE_SCN_MEM_WRITE)
      expected = PAGE_READWRITE;
    EXPECT_EQ(ProtectionAt(base + section->VirtualAddress), expected)
        << reinterpret_cast<const char*>(section->Name);
  }
  Unmap(base);
}

TEST(LoaderWindows, EmbeddedImageMovesWhenItsBaseIsTaken) {
  void* taken =
      VirtualAlloc(reinterpret_cast<void*>(kJsonPreferredBase), 0x1000, MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(taken, nullptr) << "could not take the preferred base for the test";
  const uintptr_t base = MapJsonImage();
  ASSERT_NE(base, 0u);
  EXPECT_NE(base, kJsonPreferredBase);
  ExpectCjsonWorks(base);
  Unmap(base);
  VirtualFree(taken, 0, MEM_RELEASE);
}

#ifdef _WIN64
// A stack walk that starts inside the mapped code must find its way back out through
// the image's frames, as it does through a DLL the system loaded: exceptions, crash
// reports and debuggers walk the stack the same way. cJSON calls the allocation hook
// from inside its own functions; the hook walks the stack from there.
struct WalkRecord {
  void* frames[32] = {};
  USHORT count = 0;
};
WalkRecord walk;

void* __cdecl WalkingAllocate(size_t size) {
  walk.count = RtlCaptureStackBackTrace(0, 32, walk.frames, nullptr);
  return malloc(size);
}

void __cdecl PlainFree(void* block) { free(block); }

__attribute__((noinline)) void* CreateThroughImage(uintptr_t base) {
  using Create = void* (*)();
  const auto create = reinterpret_cast<Create>(GetExportByName(base, "cJSON_CreateObject"));
  return create != nullptr ? create() : nullptr;
}

TEST(LoaderWindows, StackWalksPassThroughTheMappedCode) {
  struct Hooks {
    void* (*allocate)(size_t);
    void (*release)(void*);
  };
  const uintptr_t base = MapJsonImage();
  ASSERT_NE(base, 0u);
  const uint32_t size = NtHeaders(base)->OptionalHeader.SizeOfImage;
  using InitHooks = void (*)(Hooks*);
  using Delete = void (*)(void*);
  const auto initHooks = reinterpret_cast<InitHooks>(GetExportByName(base, "cJSON_InitHooks"));
  const auto destroy = reinterpret_cast<Delete>(GetExportByName(base, "cJSON_Delete"));
  ASSERT_NE(initHooks, nullptr);
  Hooks hooks{&WalkingAllocate, &PlainFree};
  initHooks(&hooks);
  walk = WalkRecord{};
  void* object = CreateThroughImage(base);
  ASSERT_NE(object, nullptr);
  destroy(object);
  initHooks(nullptr);

  // The hook's frame, then frames inside the image, then this program's code again.
  const auto inImage = [&](void* frame) {
    const auto address = reinterpret_cast<uintptr_t>(frame);
    return address >= base && address < base + size;
  };
  USHORT first = 0;
  while (first < walk.count && !inImage(walk.frames[first])) ++first;
  ASSERT_LT(first, walk.count) << "no frame of the mapped code";
  USHORT after = first;
  while (after < walk.count && inImage(walk.frames[after])) ++after;
  ASSERT_LT(after, walk.count) << "the walk ended inside the mapped code";
  HMODULE caller = nullptr;
  ASSERT_TRUE(GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      static_cast<LPCWSTR>(walk.frames[after]), &caller));
  EXPECT_EQ(caller, GetModuleHandleW(nullptr)) << "the frame after the image is the test's";
  Unmap(base);
}
#endif

struct ProbeRecord {
  std::vector<DWORD> reasons;
  void* instance = nullptr;
  BOOL answer = TRUE;
};
ProbeRecord probe;

int ProbeHostEntry(void* instance, unsigned long reason) {
  probe.reasons.push_back(reason);
  probe.instance = instance;
  return probe.answer;
}

uintptr_t ProbeResolver(const char* library, const char* nameOrOrdinal, uint32_t flag, uintptr_t) {
  if (flag == 0 && lstrcmpiA(library, "subvane_probe_host.dll") == 0 &&
      lstrcmpA(nameOrOrdinal, "ProbeHostEntry") == 0) {
    return reinterpret_cast<uintptr_t>(&ProbeHostEntry);
  }
  return 0;
}

uintptr_t MapProbe(ImportResolver resolver) {
  probe = ProbeRecord{};
  return LoadModuleFromMemory(ProbeImage.bytes, static_cast<uint32_t>(ProbeImage.length), resolver,
                              0);
}

bool VersionLoaded() { return GetModuleHandleW(L"version.dll") != nullptr; }

TEST(LoaderWindows, ProbeWithAnAcceptingEntryPointMaps) {
  const bool versionBefore = VersionLoaded();
  const uintptr_t base = MapProbe(ProbeResolver);
  ASSERT_NE(base, 0u);
  EXPECT_EQ(probe.reasons, (std::vector<DWORD>{DLL_PROCESS_ATTACH}));
  EXPECT_EQ(probe.instance, reinterpret_cast<void*>(base));
  EXPECT_NE(GetExportByName(base, "ProbeVersionInfoSize"), 0u);
  EXPECT_TRUE(VersionLoaded());
  Unmap(base);
  if (!versionBefore) FreeLibrary(GetModuleHandleW(L"version.dll"));
}

TEST(LoaderWindows, RefusingEntryPointIsDetachedAndItsMemoryAndLibrariesReleased) {
  if (VersionLoaded()) GTEST_SKIP() << "version.dll is already loaded in this process";
  probe = ProbeRecord{};
  probe.answer = FALSE;
  const uintptr_t base = LoadModuleFromMemory(
      ProbeImage.bytes, static_cast<uint32_t>(ProbeImage.length), ProbeResolver, 0);
  EXPECT_EQ(base, 0u);
  EXPECT_EQ(probe.reasons, (std::vector<DWORD>{DLL_PROCESS_ATTACH, DLL_PROCESS_DETACH}));
  ASSERT_NE(probe.instance, nullptr);
  EXPECT_TRUE(IsFree(reinterpret_cast<uintptr_t>(probe.instance))) << "memory released";
  EXPECT_FALSE(VersionLoaded()) << "version.dll freed again";
}

TEST(LoaderWindows, ImageImportingAMissingLibraryIsRefusedAndReleased) {
  if (VersionLoaded()) GTEST_SKIP() << "version.dll is already loaded in this process";
  if (!IsFree(kProbePreferredBase)) GTEST_SKIP() << "0x18000000 is taken in this process";
  EXPECT_EQ(MapProbe(nullptr), 0u);
  EXPECT_TRUE(probe.reasons.empty()) << "the entry point never ran";
  EXPECT_TRUE(IsFree(kProbePreferredBase)) << "memory released";
  EXPECT_FALSE(VersionLoaded()) << "version.dll, loaded first, freed again";
}

}  // namespace
}  // namespace loader_test
