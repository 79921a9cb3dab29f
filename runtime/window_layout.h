// Where a window's components go at any size and any DPI. A window description gives
// rectangles in 96-DPI numbers for the window at its described size; here they are
// scaled to the monitor's DPI, and the edges anchored to the window's right or bottom
// move with it when it changes size.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

namespace rt {

constexpr int kDesignDpi = 96;

// `value` in 96-DPI numbers at `dpi`, rounded to the nearest pixel.
int ScaleToDpi(int value, int dpi);
// `value` in pixels at `fromDpi` as pixels at `toDpi`, rounded to the nearest pixel.
int Rescale(int value, int fromDpi, int toDpi);
platform::Bounds ScaleBounds(const platform::Bounds& bounds, int dpi);

struct ClientSize {
  int width = 0, height = 0;
};

// The client area now, and the one the scaled rectangles were described for (the client
// area of the window at its described size, at the same DPI).
struct LayoutFrame {
  int dpi = kDesignDpi;
  ClientSize reference;
  ClientSize client;
};

// The component's rectangle in pixels: scaled, its anchored edges moved by what the
// client area has gained or lost against the reference.
platform::Bounds PlaceBounds(const platform::Bounds& design, uint32_t anchors,
                             const LayoutFrame& frame);

// What one component needs to stay whole: its described rectangle, its anchors, and for
// a component that stretches, the least size it may shrink to (96-DPI numbers).
struct ComponentRoom {
  platform::Bounds design;
  uint32_t anchors = 0;
  ClientSize minimum;
};

// The least client area at `frame.dpi` (pixels) that shows every component whole:
// a stretching one at its minimum with its margins to the right and bottom kept, any
// other one with a margin of kEdgeMargin after it.
ClientSize MinimumClient(const std::vector<ComponentRoom>& rooms, const LayoutFrame& frame);
constexpr int kEdgeMargin = 8;

}  // namespace rt
