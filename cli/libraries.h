// The program's JSON library, made ready for a console program.
#pragma once

#include <string>

namespace cli {

// Makes the JSON classes usable; false with `reason` when they cannot be.
bool PrepareLibraries(std::string& reason);

}  // namespace cli
