// The window program's paths are code page 936 texts; the core's file functions
// (core/system.h) take UTF-8. These cross between the two.
#pragma once

#include <string>

namespace platform {

// `windowPath` (code page 936) as the core's file functions take it: UTF-8 on Windows;
// unchanged in the Linux build, whose stand-ins hand the window's paths to the system
// as they are.
std::string CorePathOf(const std::string& windowPath);

// `corePath` as a code page 936 path for the window; false when it holds a character
// that code page 936 cannot.
bool WindowPathOf(const std::string& corePath, std::string& windowPath);

}  // namespace platform
