// Whether bytes are well-formed UTF-8, as Windows' UTF-8 conversion understands it.
#pragma once

#include <cstddef>

namespace json {

// True when `bytes` is well-formed UTF-8: no stray or missing continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF. Such bytes convert to UTF-16
// and back without change; the system's conversion replaces anything else.
bool IsValidUtf8(const char* bytes, size_t size);

}  // namespace json
