#include <windows.h>
#include <ole2.h>

#include <cfenv>

#include "platform/platform.h"
#include "platform/win32/text_win.h"

namespace platform {

std::string ExecutablePath() {
  wchar_t path[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return GbkFromWide(path);
}

bool SetWorkingDirectory(const std::string& dir) {
  if (dir.empty()) return false;
  return SetCurrentDirectoryW(WideFromGbk(dir).c_str()) != 0;
}

uint32_t CurrentThreadId() { return GetCurrentThreadId(); }

void ExitProcess(int code) { ::ExitProcess(static_cast<UINT>(code)); }

void ConstantSegment(const void** start, size_t* size) {
  // The executable's read-only sections (code and constant data) as one range.
  auto* base = reinterpret_cast<const uint8_t*>(GetModuleHandleW(nullptr));
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  uintptr_t low = UINTPTR_MAX, high = 0;
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; i++, section++) {
    if (section->Characteristics & IMAGE_SCN_MEM_WRITE) continue;
    uintptr_t begin = reinterpret_cast<uintptr_t>(base) + section->VirtualAddress;
    uintptr_t end = begin + section->Misc.VirtualSize;
    if (begin < low) low = begin;
    if (end > high) high = end;
  }
  *start = high > low ? reinterpret_cast<const void*>(low) : nullptr;
  *size = high > low ? high - low : 0;
}

void ResetFloatingPoint() { std::fesetenv(FE_DFL_ENV); }

void* HeapAllocate(size_t bytes) { return HeapAlloc(GetProcessHeap(), 0, bytes); }
void* HeapReallocate(void* block, size_t bytes) {
  return HeapReAlloc(GetProcessHeap(), 0, block, bytes);
}
void HeapFree(void* block) { ::HeapFree(GetProcessHeap(), 0, block); }

}  // namespace platform
