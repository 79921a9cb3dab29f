#include "runtime/value.h"

#include "heap/heap.h"

namespace rt {

CommandArg ArgBytes(const void* bytesBlock) {
  CommandArg a{};
  a.value.ptr = const_cast<void*>(bytesBlock ? bytesBlock : &kEmptyBytes);
  a.type = kTypeBytes;
  return a;
}

}  // namespace rt
