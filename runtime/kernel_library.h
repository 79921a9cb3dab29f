// The runtime's own support library: windows, buttons and drop-down lists. Other libraries add the
// table view and the file dialog.
#pragma once

#include "runtime/component.h"

namespace rt {

extern const ComponentTypeInfo kWindowType;
extern const ComponentTypeInfo kButtonType;
extern const ComponentTypeInfo kDropDownListType;

}  // namespace rt
