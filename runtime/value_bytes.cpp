#include "runtime/value_bytes.h"

#include <cstring>

#include "heap/heap.h"
#include "runtime/command_impl.h"

namespace rt {

namespace {

// The elements of an array block {int32 dimensions, int32 length per dimension, elements}.
struct ArrayView {
  const uint8_t* data = nullptr;
  size_t count = 0;
};

ArrayView ViewArray(const void* block) {
  ArrayView view;
  if (!block) return view;
  const int32_t* words = static_cast<const int32_t*>(block);
  int32_t dimensions = words[0];
  if (dimensions < 1) return view;
  size_t count = 1;
  for (int32_t d = 0; d < dimensions; ++d) {
    if (words[1 + d] <= 0) return view;
    count *= static_cast<size_t>(words[1 + d]);
  }
  view.data = reinterpret_cast<const uint8_t*>(words + 1 + dimensions);
  view.count = count;
  return view;
}

}  // namespace

size_t FixedSize(uint32_t type) {
  switch (type) {
    case kTypeByte:
      return 1;
    case kTypeShort:
      return 2;
    case kTypeInt:
    case kTypeFloat:
    case kTypeBool:
    case kTypeSubPtr:
      return 4;
    case kTypeLong:
    case kTypeDouble:
    case kTypeDateTime:
      return 8;
    default:
      return 0;
  }
}

RawBytes ValueBytes(const CommandArg& value, bool textTerminator, bool anyArray) {
  RawBytes raw;
  uint32_t type = value.type;
  if (type == kTypeText) {
    const char* text = ArgTextPtr(value);
    raw.data = reinterpret_cast<const uint8_t*>(text);
    raw.size = std::strlen(text) + (textTerminator ? 1 : 0);
  } else if (type == kTypeBytes) {
    int32_t length = BytesLength(value.value.ptr);
    raw.data = BytesData(value.value.ptr);
    raw.size = length > 0 ? static_cast<size_t>(length) : 0;
  } else if (IsArrayType(type)) {
    uint32_t element = ElementType(type);
    size_t size = FixedSize(element);
    if (size == 0 || (!anyArray && element != kTypeByte)) return raw;
    ArrayView view = ViewArray(value.value.ptr);
    raw.data = view.data;
    raw.size = view.count * size;
  } else if (size_t size = FixedSize(type)) {
    raw.data = reinterpret_cast<const uint8_t*>(&value.value);
    raw.size = size;
  }
  return raw;
}

}  // namespace rt
