#include "runtime/window_layout.h"

#include <algorithm>

#include "runtime/window_description.h"

namespace rt {

int Rescale(int value, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || fromDpi == toDpi) return value;
  // Rounded half away from zero, as the system's MulDiv rounds.
  int64_t product = static_cast<int64_t>(value) * toDpi;
  int64_t half = fromDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi);
}

int ScaleToDpi(int value, int dpi) { return Rescale(value, kDesignDpi, dpi); }

platform::Bounds ScaleBounds(const platform::Bounds& bounds, int dpi) {
  // Edges are scaled, not sizes, so that rectangles that touch at 96 DPI still touch.
  platform::Bounds out;
  out.left = ScaleToDpi(bounds.left, dpi);
  out.top = ScaleToDpi(bounds.top, dpi);
  out.width = ScaleToDpi(bounds.left + bounds.width, dpi) - out.left;
  out.height = ScaleToDpi(bounds.top + bounds.height, dpi) - out.top;
  return out;
}

platform::Bounds PlaceBounds(const platform::Bounds& design, uint32_t anchors,
                             const LayoutFrame& frame) {
  platform::Bounds out = ScaleBounds(design, frame.dpi);
  if (anchors & kAnchorRight) out.width += frame.client.width - frame.reference.width;
  if (anchors & kAnchorBottom) out.height += frame.client.height - frame.reference.height;
  out.width = std::max(out.width, 0);
  out.height = std::max(out.height, 0);
  return out;
}

ClientSize MinimumClient(const std::vector<ComponentRoom>& rooms, const LayoutFrame& frame) {
  ClientSize least;
  const int margin = ScaleToDpi(kEdgeMargin, frame.dpi);
  for (const ComponentRoom& room : rooms) {
    platform::Bounds placed = ScaleBounds(room.design, frame.dpi);
    int right = placed.left + placed.width + margin;
    int bottom = placed.top + placed.height + margin;
    if (room.anchors & kAnchorRight)
      right = placed.left + ScaleToDpi(room.minimum.width, frame.dpi) + frame.reference.width -
              (placed.left + placed.width);
    if (room.anchors & kAnchorBottom)
      bottom = placed.top + ScaleToDpi(room.minimum.height, frame.dpi) + frame.reference.height -
               (placed.top + placed.height);
    least.width = std::max(least.width, right);
    least.height = std::max(least.height, bottom);
  }
  return least;
}

}  // namespace rt
