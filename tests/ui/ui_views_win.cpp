#include "tests/ui/ui_program.h"

namespace uitest {

// Real windows are destroyed with the runtime; nothing else is kept.
void ResetViews() {}

}  // namespace uitest
