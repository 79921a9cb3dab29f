#include "cli/libraries.h"

#include "loader/json_library.h"

namespace cli {

bool PrepareLibraries(std::string& reason) {
  MapJsonLibrary();
  if (JsonLibraryModule == 0) {
    reason = "the JSON library cannot be loaded";
    return false;
  }
  return true;
}

}  // namespace cli
