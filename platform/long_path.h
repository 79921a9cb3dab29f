// The form in which the system's file functions take a path of any length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The longest path the system's file functions take in its ordinary form: 248 UTF-16
// units, the room CreateDirectoryW leaves below MAX_PATH (260) for an 8.3 file name.
constexpr size_t kOrdinaryPathLimit = 248;

// `path` (UTF-16) as the system's wide file functions take it: an absolute path of
// kOrdinaryPathLimit units or more in its extended-length form ("C:\a\..\b" gives
// "\\?\C:\b", "\\server\share\x" gives "\\?\UNC\server\share\x"), with '/' as '\' and
// "." and ".." resolved, as the system does no such thing for that form. Shorter
// paths, relative ones ("a\b", "C:a", "\a") and paths already in a device or
// extended-length form come back unchanged.
std::u16string ExtendedLengthPath(std::u16string_view path);

}  // namespace platform
