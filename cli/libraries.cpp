#include "cli/libraries.h"

#include "loader/json_library.h"
#include "platform/text_encoding.h"

namespace cli {

bool PrepareLibraries(std::string& reason) {
  MapJsonLibrary();
  if (JsonLibraryModule == 0) {
    reason = "the JSON library cannot be loaded";
    return false;
  }
  return true;
}

std::string Utf8ToGbkBytes(const std::string& utf8) { return platform::Utf8ToCp936(utf8); }

}  // namespace cli
