// Replacing a file's content whole, for every caller whatever encoding its names come in.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace platform {

// Writes `size` bytes to a new file beside `target` and, once they are all written,
// flushed and the file closed, moves that file over `target`: `target` ends up with all
// of the bytes or as it was. On failure the new file is removed. ERROR_SUCCESS, or the
// system's error code. `target` may be of any length.
DWORD ReplaceFileContents(const std::wstring& target, const void* data, size_t size);

}  // namespace platform
