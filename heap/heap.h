// The heap of the programs' texts and byte arrays: every text and byte array that a
// command, a service or the JSON classes return lives here and belongs to the caller, who
// frees it. Constants are passed by address and recognised by range, so freeing one does
// nothing. A layer of its own below the JSON classes and the window runtime; its names
// are in namespace rt, as the runtime hands these blocks out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

namespace rt {

// What a refused block leads to: the handler is told the size asked for and does not
// return. Without a handler, or while an AllocationFailureThrows lives, std::bad_alloc
// is thrown instead. The runtime's fatal report ("分配 %d 字节内存失败!") installs itself
// wherever it is part of the program; a console program has none, and shows no box.
using AllocationFailureHandler = void (*)(int64_t bytes);
void SetAllocationFailureHandler(AllocationFailureHandler handler);

// While one lives, a refused block throws std::bad_alloc whatever handler is installed:
// for work that turns running out of memory into a message of its own.
class AllocationFailureThrows {
 public:
  AllocationFailureThrows();
  ~AllocationFailureThrows();
  AllocationFailureThrows(const AllocationFailureThrows&) = delete;
  AllocationFailureThrows& operator=(const AllocationFailureThrows&) = delete;
};

// Test hook: the next `count` requests to the system's heap are refused.
void RefuseHeapRequestsForTests(int32_t count);

// A block of the runtime heap, contents undefined. Never returns null: a refusal goes
// to the allocation-failure handler.
void* Allocate(int32_t bytes);
// The largest block the runtime heap hands out: sizes and lengths are int32 words.
constexpr uint64_t kLargestHeapBlock = 0x7FFFFFFF;
// As Allocate, for a size counted in 64 bits so that a header plus a length near 2^31
// cannot wrap: a size above kLargestHeapBlock is refused like any other.
void* AllocateBlock(uint64_t bytes);
// Null behaves as Allocate. A constant block is copied into a new block (no more than
// lies before the end of the constant segment); any other block keeps its contents.
void* Reallocate(void* block, int32_t bytes);
// Null and pointers into the constant segment are ignored.
void Free(void* block);

// True when `p` lies in the executable's constant data.
bool IsConstant(const void* p);
// Test hook: the constant segment's bounds (the executable's read-only data by default).
void SetConstantSegment(const void* start, size_t size);

// ---- Texts: zero-terminated code page 936 bytes; null is the empty text ------------

// A new text of `size` bytes and a terminating zero; null when `size` is below 1.
char* NewText(const char* bytes, size_t size);
inline char* NewText(const std::string& s) { return NewText(s.data(), s.size()); }
inline size_t TextLength(const char* text) { return text ? std::strlen(text) : 0; }
inline std::string TextToString(const char* text) {
  return text ? std::string(text) : std::string();
}

// ---- Byte arrays: {int32 dimensions (1), int32 length, bytes}; null is empty ----------

struct BytesHeader {
  int32_t dimensions;
  int32_t length;
};
// A new byte array holding `size` bytes (copied when `bytes` is not null, zeroed
// otherwise); null when `size` is 0.
uint8_t* NewBytes(const void* bytes, size_t size);
inline int32_t BytesLength(const void* block) {
  return block ? static_cast<const BytesHeader*>(block)->length : 0;
}
inline uint8_t* BytesData(void* block) {
  return block ? static_cast<uint8_t*>(block) + sizeof(BytesHeader) : nullptr;
}
inline const uint8_t* BytesData(const void* block) {
  return block ? static_cast<const uint8_t*>(block) + sizeof(BytesHeader) : nullptr;
}
// The constant empty byte array passed in place of a null one.
extern const BytesHeader kEmptyBytes;

// Owns one runtime-heap block (a text or a byte array) and frees it.
struct HeapDeleter {
  void operator()(void* p) const { Free(p); }
};
using OwnedText = std::unique_ptr<char, HeapDeleter>;
using OwnedBytes = std::unique_ptr<uint8_t, HeapDeleter>;

}  // namespace rt
