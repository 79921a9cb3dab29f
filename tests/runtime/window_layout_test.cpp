#include "runtime/window_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/window_description.h"

namespace {

std::vector<int> Edges(const platform::Bounds& b) { return {b.left, b.top, b.width, b.height}; }

TEST(WindowLayout, ScalesDescribedRectanglesToTheDpi) {
  struct Case {
    int dpi;
    platform::Bounds design;
    std::vector<int> want;
  };
  const Case cases[] = {
      {96, {96, 8, 624, 344}, {96, 8, 624, 344}},
      {120, {96, 8, 624, 344}, {120, 10, 780, 430}},
      {144, {96, 8, 624, 344}, {144, 12, 936, 516}},
      {192, {96, 8, 624, 344}, {192, 16, 1248, 688}},
      {144, {0, 0, 738, 387}, {0, 0, 1107, 581}},  // 580.5 rounds up
      // Edges are scaled, so neighbours that touch at 96 DPI still touch: 1 + 1 at 1.25.
      {120, {1, 0, 1, 1}, {1, 0, 2, 1}},
      {120, {2, 0, 1, 1}, {3, 0, 1, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(Edges(rt::ScaleBounds(c.design, c.dpi)), c.want) << c.dpi;
  EXPECT_EQ(rt::Rescale(1107, 144, 96), 738);
  EXPECT_EQ(rt::Rescale(-3, 96, 144), -5);  // half away from zero, both ways
}

TEST(WindowLayout, AnchoredEdgesFollowTheClientArea) {
  struct Case {
    uint32_t anchors;
    rt::LayoutFrame frame;
    std::vector<int> want;
  };
  const platform::Bounds table = {96, 8, 624, 344};
  const Case cases[] = {
      // At the described size the layout is the described one.
      {rt::kAnchorRight | rt::kAnchorBottom, {96, {730, 356}, {730, 356}}, {96, 8, 624, 344}},
      {rt::kAnchorRight | rt::kAnchorBottom, {96, {730, 356}, {1192, 729}}, {96, 8, 1086, 717}},
      {rt::kAnchorRight, {96, {730, 356}, {1192, 729}}, {96, 8, 1086, 344}},
      {rt::kAnchorLeftTop, {96, {730, 356}, {1192, 729}}, {96, 8, 624, 344}},
      {rt::kAnchorRight | rt::kAnchorBottom, {144, {1100, 540}, {1200, 600}}, {144, 12, 1036, 576}},
      // Never a negative size, however small the window.
      {rt::kAnchorRight | rt::kAnchorBottom, {96, {730, 356}, {10, 10}}, {96, 8, 0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Edges(rt::PlaceBounds(table, c.anchors, c.frame)), c.want)
        << c.anchors << " " << c.frame.client.width;
}

TEST(WindowLayout, MinimumClientKeepsEveryComponentWhole) {
  const uint32_t stretch = rt::kAnchorRight | rt::kAnchorBottom;
  const std::vector<rt::ComponentRoom> rooms = {
      {{8, 24, 80, 40}, rt::kAnchorLeftTop, {80, 40}},
      {{8, 80, 80, 40}, rt::kAnchorLeftTop, {80, 40}},
      {{96, 8, 624, 344}, stretch, {374, 72}},
  };
  struct Case {
    rt::LayoutFrame frame;
    int width, height;
  };
  const Case cases[] = {
      // The table at its minimum with its right margin (730 - 720) kept; the buttons
      // with a margin below them.
      {{96, {730, 356}, {730, 356}}, 96 + 374 + 10, 128},
      {{144, {1098, 534}, {1098, 534}}, 144 + 561 + 18, 192},
  };
  for (const Case& c : cases) {
    rt::ClientSize least = rt::MinimumClient(rooms, c.frame);
    EXPECT_EQ(least.width, c.width) << c.frame.dpi;
    EXPECT_EQ(least.height, c.height) << c.frame.dpi;
  }
  // A taller table minimum, not the buttons, sets the height.
  std::vector<rt::ComponentRoom> tall = rooms;
  tall[2].minimum.height = 200;
  EXPECT_EQ(rt::MinimumClient(tall, {96, {730, 356}, {730, 356}}).height, 8 + 200 + 4);
}

}  // namespace
