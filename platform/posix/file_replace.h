// Replacing a file's content whole, for every caller whatever encoding its names come in.
#pragma once

#include <cstddef>

namespace platform {

// Writes `size` bytes to a new file beside `path` and, once they are all written,
// flushed and the file closed, renames that file over `path`: `path` ends up with all of
// the bytes or as it was. On failure the new file is removed. 0, or the errno value.
int ReplaceFileContents(const char* path, const void* data, size_t size);

}  // namespace platform
