#include <fenv.h>
#include <link.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix/standin.h"

namespace platform {

namespace {

size_t allocationLimit = 0;

int FindReadOnlyRange(struct dl_phdr_info* info, size_t, void* data) {
  // The first object reported is the executable itself.
  auto* range = static_cast<uintptr_t*>(data);
  for (int i = 0; i < info->dlpi_phnum; i++) {
    const ElfW(Phdr)& header = info->dlpi_phdr[i];
    if (header.p_type != PT_LOAD || (header.p_flags & PF_W)) continue;
    uintptr_t begin = info->dlpi_addr + header.p_vaddr;
    uintptr_t end = begin + header.p_memsz;
    if (begin < range[0]) range[0] = begin;
    if (end > range[1]) range[1] = end;
  }
  return 1;
}

}  // namespace

std::string ExecutablePath() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  return std::string(path, static_cast<size_t>(length));
}

bool SetWorkingDirectory(const std::string& dir) { return !dir.empty() && chdir(dir.c_str()) == 0; }

uint32_t CurrentThreadId() { return static_cast<uint32_t>(syscall(SYS_gettid)); }

void ExitProcess(int code) { _exit(code); }

void ConstantSegment(const void** start, size_t* size) {
  uintptr_t range[2] = {UINTPTR_MAX, 0};
  dl_iterate_phdr(FindReadOnlyRange, range);
  *start = range[1] > range[0] ? reinterpret_cast<const void*>(range[0]) : nullptr;
  *size = range[1] > range[0] ? range[1] - range[0] : 0;
}

void ResetFloatingPoint() { fesetenv(FE_DFL_ENV); }

bool OleInitialize() { return true; }
void OleUninitialize() {}

void* HeapAllocate(size_t bytes) {
  if (allocationLimit != 0 && bytes > allocationLimit) return nullptr;
  return std::malloc(bytes);
}

void* HeapReallocate(void* block, size_t bytes) {
  if (allocationLimit != 0 && bytes > allocationLimit) return nullptr;
  return std::realloc(block, bytes);
}

void HeapFree(void* block) { std::free(block); }

namespace standin {
void FailAllocationsAbove(size_t bytes) { allocationLimit = bytes; }
}  // namespace standin

}  // namespace platform
