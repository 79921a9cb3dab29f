// A wide path as the system's file functions take it at any length: both Windows file
// layers (the window's code page 936 names and the core's UTF-8 ones) pass their paths
// through it.
#pragma once

#include <string>

namespace platform {

// `path` in the form ExtendedLengthPath (platform/long_path.h) gives.
std::wstring WideSystemPath(const std::wstring& path);

}  // namespace platform
