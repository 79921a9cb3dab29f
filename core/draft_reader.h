// Reads a parsed draft into the plain model that the timeline resolves.
#pragma once

#include "core/draft_model.h"
#include "json/json_node.h"

namespace core {

// The draft whose root is `root`, read through the JSON classes (keys matched without
// regard to ASCII case). Missing or mistyped values read as empty or 0; never fails.
DraftModel ReadDraftModel(const json::JsonNode& root);

}  // namespace core
