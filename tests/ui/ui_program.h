// A program for the ui tests: one window holding the subtitle table and the two file
// dialogs, as the main window has them.
#pragma once

#include "runtime/value.h"

namespace uitest {

constexpr rt::ComponentId kWindow = 0x52010001;
constexpr rt::ComponentId kTable = 0x56010002;
constexpr rt::ComponentId kOpenDialog = 0x56010003;
constexpr rt::ComponentId kSaveDialog = 0x56010004;

// Sets the runtime up afresh and loads the window.
void Start();
// Tears the window and the runtime down.
void Stop();
// Forgets the platform views that the last test made.
void ResetViews();

}  // namespace uitest
