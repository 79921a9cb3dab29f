#include "json/parse_arena.h"

#include <algorithm>
#include <new>

#include "loader/json_library.h"

namespace json {
namespace {

constexpr size_t kBlockSize = size_t{16} << 20;
constexpr size_t kAlignment = 8;  // enough for every field of an item

// The library's hook record: allocation functions in the C calling convention.
struct LibraryHooks {
  void* (*allocate)(size_t size);
  void (*release)(void* block);
};
using InitHooksFunction = void(CJSON_CALL*)(LibraryHooks* hooks);

ParseArena* ActiveArena = nullptr;
int BlocksToRefuse = 0;

void* ArenaAllocate(size_t size) { return ActiveArena->Allocate(size); }
void ArenaRelease(void*) {}

InitHooksFunction InitHooks() {
  return reinterpret_cast<InitHooksFunction>(JsonLibraryExport("cJSON_InitHooks"));
}

}  // namespace

ParseArena::ParseArena() {
  InitHooksFunction initHooks = InitHooks();
  if (!initHooks || ActiveArena) return;
  ActiveArena = this;
  LibraryHooks hooks = {ArenaAllocate, ArenaRelease};
  initHooks(&hooks);
  installed_ = true;
}

ParseArena::~ParseArena() {
  if (!installed_) return;
  InitHooks()(nullptr);  // back to the library's own heap functions
  ActiveArena = nullptr;
}

void ParseArena::RefuseBlocksForTests(int count) { BlocksToRefuse = count; }

void* ParseArena::Allocate(size_t size) {
  size = (std::max<size_t>(size, 1) + kAlignment - 1) & ~(kAlignment - 1);
  if (size > left_) {
    size_t blockSize = std::max(kBlockSize, size);
    char* bytes = nullptr;
    if (BlocksToRefuse > 0)
      BlocksToRefuse--;
    else
      bytes = new (std::nothrow) char[blockSize];
    if (!bytes) {
      exhausted_ = true;  // the library turns this into a failed parse
      return nullptr;
    }
    blocks_.push_back(Block{std::unique_ptr<char[]>(bytes), blockSize});
    next_ = bytes;
    left_ = blockSize;
  }
  void* block = next_;
  next_ += size;
  left_ -= size;
  return block;
}

}  // namespace json
