// The program's message boxes, in UTF-16 so that every language's texts show.
#pragma once

#include <cstdint>
#include <string>

namespace rt {

// Shows `text` in a message box with the style flags `flags` (platform::kMb*), task modal
// unless it asks to be system modal, titled `title` or, when that is null, the
// language's "信息：", over `ownerNative` (null: no owner). Answers the button pressed
// counted from OK as 0 (Yes 5, No 6), or -1 when no box could be shown.
int32_t ShowMessageText(const std::u16string& text, int32_t flags, const char16_t* title = nullptr,
                        void* ownerNative = nullptr);

}  // namespace rt
