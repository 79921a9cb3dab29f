// The program's JSON library and encoding bridge, made ready for a console program.
#pragma once

#include <string>

namespace cli {

// Makes the JSON classes usable and, when `gbk`, the conversion to code page 936;
// false with `reason` when they cannot be.
bool PrepareLibraries(bool gbk, std::string& reason);

// `utf8` in code page 936, converted exactly as the window program converts draft texts.
std::string Utf8ToGbkBytes(const std::string& utf8);

}  // namespace cli
