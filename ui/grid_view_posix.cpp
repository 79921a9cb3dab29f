#include "ui/grid_view.h"

namespace ui {

std::unique_ptr<GridView> CreateGridView(void*, const platform::Bounds&, CGridCtrl&, int, int) {
  return nullptr;
}

int WheelScrollLines() { return 3; }

}  // namespace ui
