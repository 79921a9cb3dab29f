#include "heap/heap.h"

#include <cstring>
#include <new>

#include "platform/platform.h"

namespace rt {

namespace {

struct Segment {
  const uint8_t* start = nullptr;
  size_t size = 0;
  bool known = false;
};

Segment& ConstantBounds() {
  static Segment segment;
  if (!segment.known) {
    const void* start = nullptr;
    platform::ConstantSegment(&start, &segment.size);
    segment.start = static_cast<const uint8_t*>(start);
    segment.known = true;
  }
  return segment;
}

AllocationFailureHandler failureHandler = nullptr;
int32_t throwingScopes = 0;
int32_t refusalsForTests = 0;

[[noreturn]] void AllocationFailed(int64_t bytes) {
  if (failureHandler && throwingScopes == 0) failureHandler(bytes);
  throw std::bad_alloc();
}

void* SystemAllocate(size_t bytes) {
  if (refusalsForTests > 0) {
    refusalsForTests--;
    return nullptr;
  }
  return platform::HeapAllocate(bytes);
}

void* SystemReallocate(void* block, size_t bytes) {
  if (refusalsForTests > 0) {
    refusalsForTests--;
    return nullptr;
  }
  return platform::HeapReallocate(block, bytes);
}

}  // namespace

void SetAllocationFailureHandler(AllocationFailureHandler handler) { failureHandler = handler; }

AllocationFailureThrows::AllocationFailureThrows() { throwingScopes++; }
AllocationFailureThrows::~AllocationFailureThrows() { throwingScopes--; }

void RefuseHeapRequestsForTests(int32_t count) { refusalsForTests = count; }

const BytesHeader kEmptyBytes = {1, 0};

bool IsConstant(const void* p) {
  const Segment& s = ConstantBounds();
  auto* b = static_cast<const uint8_t*>(p);
  return b >= s.start && b < s.start + s.size;
}

void SetConstantSegment(const void* start, size_t size) {
  Segment& s = ConstantBounds();
  s.start = static_cast<const uint8_t*>(start);
  s.size = size;
}

void* Allocate(int32_t bytes) {
  // A request below 1 byte still gets a block, so no caller ever sees null.
  void* block = SystemAllocate(bytes > 0 ? static_cast<size_t>(bytes) : 1);
  if (!block) AllocationFailed(bytes);
  return block;
}

void* AllocateBlock(uint64_t bytes) {
  if (bytes > kLargestHeapBlock) AllocationFailed(static_cast<int64_t>(bytes));
  return Allocate(static_cast<int32_t>(bytes));
}

void* Reallocate(void* block, int32_t bytes) {
  if (!block) return Allocate(bytes);
  size_t wanted = bytes > 0 ? static_cast<size_t>(bytes) : 1;
  if (IsConstant(block)) {
    // A constant is never resized in place: copy what lies before the segment's end.
    const Segment& s = ConstantBounds();
    size_t available = static_cast<size_t>(s.start + s.size - static_cast<uint8_t*>(block));
    void* copy = Allocate(bytes);
    std::memcpy(copy, block, available < wanted ? available : wanted);
    return copy;
  }
  void* moved = SystemReallocate(block, wanted);
  if (!moved) AllocationFailed(bytes);
  return moved;
}

void Free(void* block) {
  if (!block || IsConstant(block)) return;
  platform::HeapFree(block);
}

char* NewText(const char* bytes, size_t size) {
  if (size < 1 || !bytes) return nullptr;
  auto* text = static_cast<char*>(AllocateBlock(uint64_t{size} + 1));
  std::memcpy(text, bytes, size);
  text[size] = '\0';
  return text;
}

uint8_t* NewBytes(const void* bytes, size_t size) {
  if (size == 0) return nullptr;
  auto* block = static_cast<uint8_t*>(AllocateBlock(uint64_t{sizeof(BytesHeader)} + size));
  auto* header = reinterpret_cast<BytesHeader*>(block);
  header->dimensions = 1;
  header->length = static_cast<int32_t>(size);
  if (bytes)
    std::memcpy(block + sizeof(BytesHeader), bytes, size);
  else
    std::memset(block + sizeof(BytesHeader), 0, size);
  return block;
}

}  // namespace rt
