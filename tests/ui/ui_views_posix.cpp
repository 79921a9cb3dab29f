#include "platform/posix/standin.h"
#include "tests/ui/ui_program.h"

namespace uitest {

void ResetViews() { platform::standin::Reset(); }

}  // namespace uitest
