// The program's JSON library, made ready for a console program, and the conversion of
// its output to code page 936.
#pragma once

#include <string>

namespace cli {

// Makes the JSON classes usable; false with `reason` when they cannot be.
bool PrepareLibraries(std::string& reason);

// `utf8` in code page 936, converted exactly as the window program converts draft texts
// (platform::Utf8ToCp936, the programs' one converter).
std::string Utf8ToGbkBytes(const std::string& utf8);

}  // namespace cli
