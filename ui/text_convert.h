// The table view and the dialogs convert texts with the program's one set of
// conversions (platform/text_encoding.h), named here as the user-interface layer uses them.
#pragma once

#include "platform/text_encoding.h"

namespace ui {

using platform::Cp936CharLength;
using platform::Cp936LostCharacters;
using platform::Cp936ToUtf16;
using platform::Utf16ToCp936;
using platform::Utf16ToUtf8;
using platform::Utf8ToCp936;
using platform::Utf8ToUtf16;
using platform::WideText;

}  // namespace ui
