// Thai.
#include "language/catalogue.h"

namespace language {

// Not written yet: every text comes from the Simplified Chinese catalogue.
Catalogue ThaiCatalogue() { return {nullptr, 0}; }

}  // namespace language
