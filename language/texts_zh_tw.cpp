// Traditional Chinese.
#include "language/catalogue.h"

namespace language {

// Not written yet: every text comes from the Simplified Chinese catalogue.
Catalogue TraditionalChineseCatalogue() { return {nullptr, 0}; }

}  // namespace language
