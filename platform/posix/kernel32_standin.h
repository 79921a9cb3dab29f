// The Linux build's stand-in for the parts of kernel32 that the program calls as DLL
// commands, and the registry of stand-in modules that LibraryLoad searches. The
// conversions give Windows' results for code pages 936 and 65001 with flags 0; they
// are portable so that a Windows test can hold them against the real functions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
namespace standin {

constexpr uint32_t kCodePageGbk = 936;
constexpr uint32_t kCodePageUtf8 = 65001;

// MultiByteToWideChar for code pages 936 and 65001 with flags 0: the unit count written
// (or needed, when `dstLen` is 0), 0 on a bad parameter or a too-small buffer;
// `srcLen` -1 converts up to and including the terminator.
int MultiByteToWideChar(uint32_t codePage, uint32_t flags, const char* src, int srcLen,
                        uint16_t* dst, int dstLen);
// WideCharToMultiByte for code pages 936 and 65001 with flags 0, same buffer rules;
// `defaultChar` and `usedDefault` are accepted for code page 936 only, as on Windows.
int WideCharToMultiByte(uint32_t codePage, uint32_t flags, const uint16_t* src, int srcLen,
                        char* dst, int dstLen, const char* defaultChar, int* usedDefault);
// Length in bytes or units before the terminator; 0 for null.
int lstrlenA(const char* text);
int lstrlenW(const uint16_t* text);

// ---- Module registry ----------------------------------------------------------------

struct Export {
  std::string name;
  void* address;  // called with pointer-sized arguments, one per Windows argument
};

// Adds (or replaces) a stand-in module found by this file name, case ignored. Its
// exports get ordinals 1, 2, ... in this order.
void RegisterModule(const std::string& fileName, std::vector<Export> exports);
// How many loads of the module are not yet freed (0 for an unknown module).
int ModuleLoadCount(const std::string& fileName);

}  // namespace standin
}  // namespace platform
