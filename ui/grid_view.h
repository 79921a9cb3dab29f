// The native window that shows a CGridCtrl. Only the Windows build has one; elsewhere
// the table is its model alone.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "ui/grid_ctrl.h"

namespace ui {

class GridView {
 public:
  virtual ~GridView() = default;
  virtual void Move(const platform::Bounds& bounds) = 0;
  virtual void Show(bool visible) = 0;
  virtual void Enable(bool enabled) = 0;
  virtual void* NativeHandle() const = 0;
  // Ends an edit in progress as leaving its box does: a changed text is kept.
  virtual void CommitEdit() = 0;
  // Takes the font and the spacing for `dpi`.
  virtual void SetDpi(int dpi) = 0;
};

// Creates the table's child window inside `parentNative` at `bounds` (client
// coordinates, pixels) for `dpi`; null where there are no native views or the window
// cannot be made.
std::unique_ptr<GridView> CreateGridView(void* parentNative, const platform::Bounds& bounds,
                                         CGridCtrl& grid, int controlId, int dpi);

// Lines per wheel notch from the user's settings ("WheelScrollLines"): 3 when the value
// cannot be read, -1 for a page per notch.
int WheelScrollLines();

}  // namespace ui
