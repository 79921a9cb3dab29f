// A command value's own bytes, as ToBytes, ValueToText and WriteMemory see them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/value.h"

namespace rt {

// Bytes of one value of a fixed-size type; 0 for texts, byte arrays and anything else.
size_t FixedSize(uint32_t type);

struct RawBytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
};

// The raw bytes of `value`: a Text's bytes, with its terminator only when
// `textTerminator` is set; a byte array's bytes; an array's elements when `anyArray` is
// set (else only a Byte array's); a fixed-size value's own bytes. Empty for other types.
RawBytes ValueBytes(const CommandArg& value, bool textTerminator, bool anyArray);

}  // namespace rt
