// OLE apart from the rest of the process functions: only the window program's start-up
// calls it, and a program that does not keeps ole32 out of its imports.
#include <objbase.h>
#include <ole2.h>

#include "platform/platform.h"

namespace platform {

bool OleInitialize() { return SUCCEEDED(::OleInitialize(nullptr)); }
void OleUninitialize() { ::OleUninitialize(); }

}  // namespace platform
