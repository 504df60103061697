// Start-up placement of the main window against a 1024 x 768 primary screen.

#include "app/FramePlacement.h"

#include <gtest/gtest.h>
#include <climits>

namespace {

constexpr int W = 1024;
constexpr int H = 768;

PlacementSettings Modes(int size, int position) {
  PlacementSettings s;
  s.size = size;
  s.position = position;
  return s;
}

PlacementSettings Stored(int size, int position, int width, int height, int x, int y) {
  return {size, position, width, height, x, y};
}

TEST(Placement, FixedSizeCentredAndPlatformChoices) {
  StartupPlacement p = ComputeStartupPlacement(Modes(0, 0), W, H);
  EXPECT_EQ(p.size, (WindowExtent{640, 480}));
  EXPECT_EQ(p.position, (WindowPoint{192, 144}));

  // The created defaults leave everything to the platform.
  p = ComputeStartupPlacement(Modes(1, 1), W, H);
  EXPECT_FALSE(p.size);
  EXPECT_FALSE(p.position);

  // A platform-chosen size cannot be centred: the platform places it too.
  p = ComputeStartupPlacement(Modes(1, 0), W, H);
  EXPECT_FALSE(p.size);
  EXPECT_FALSE(p.position);

  p = ComputeStartupPlacement(Modes(0, 1), W, H);
  EXPECT_EQ(p.size, (WindowExtent{640, 480}));
  EXPECT_FALSE(p.position);

  // Unknown modes leave what they govern to the platform.
  p = ComputeStartupPlacement(Stored(7, 4, 300, 200, 10, 10), W, H);
  EXPECT_FALSE(p.size);
  EXPECT_FALSE(p.position);
  p = ComputeStartupPlacement(Stored(-1, 0, 300, 200, 10, 10), W, H);
  EXPECT_FALSE(p.size);
  EXPECT_FALSE(p.position);
  p = ComputeStartupPlacement(Stored(2, -3, 300, 200, 10, 10), W, H);
  EXPECT_EQ(p.size, (WindowExtent{300, 200}));
  EXPECT_FALSE(p.position);
}

TEST(Placement, StoredSizeIsUsedUnchangedAndCentredTowardZero) {
  for (int mode : {2, 3}) {
    StartupPlacement p = ComputeStartupPlacement(Stored(mode, 0, 1200, 900, 0, 0), W, H);
    EXPECT_EQ(p.size, (WindowExtent{1200, 900}));
    EXPECT_EQ(p.position, (WindowPoint{-88, -66}));
  }
  // Odd differences truncate toward zero on both sides of the screen.
  StartupPlacement p = ComputeStartupPlacement(Stored(2, 0, 1025, 767, 0, 0), W, H);
  EXPECT_EQ(p.position, (WindowPoint{0, 0}));
  p = ComputeStartupPlacement(Stored(2, 0, 1027, 765, 0, 0), W, H);
  EXPECT_EQ(p.position, (WindowPoint{-1, 1}));
  p = ComputeStartupPlacement(Stored(3, 0, 5, 3, 0, 0), W, H);
  EXPECT_EQ(p.size, (WindowExtent{5, 3}));
  EXPECT_EQ(p.position, (WindowPoint{509, 382}));
}

TEST(Placement, StoredPositionPassesTheVisibilityTestAtItsEdges) {
  for (int mode : {2, 3}) {
    StartupPlacement p = ComputeStartupPlacement(Stored(2, mode, 400, 300, 30, 40), W, H);
    EXPECT_EQ(p.position, (WindowPoint{30, 40}));
  }
  // Equal values pass: a corner exactly on the right or bottom edge stays.
  EXPECT_EQ(ComputeStartupPlacement(Stored(2, 2, 400, 300, W, H), W, H).position,
            (WindowPoint{W, H}));
  EXPECT_FALSE(ComputeStartupPlacement(Stored(2, 2, 400, 300, W + 1, 0), W, H).position);
  EXPECT_FALSE(ComputeStartupPlacement(Stored(2, 2, 400, 300, 0, H + 1), W, H).position);
  // One pixel left of the screen stays; a right edge exactly at 0 does not.
  EXPECT_EQ(ComputeStartupPlacement(Stored(2, 2, 400, 300, -399, -299), W, H).position,
            (WindowPoint{-399, -299}));
  EXPECT_FALSE(ComputeStartupPlacement(Stored(2, 2, 400, 300, -400, 0), W, H).position);
  EXPECT_FALSE(ComputeStartupPlacement(Stored(2, 2, 400, 300, 0, -300), W, H).position);

  // A second monitor to the right, and x = 5000: the platform places it, the size stays.
  StartupPlacement p = ComputeStartupPlacement(Stored(2, 3, 800, 600, 5000, 100), W, H);
  EXPECT_FALSE(p.position);
  EXPECT_EQ(p.size, (WindowExtent{800, 600}));

  // A window minimized at its last close: far-off position rejected, small size kept.
  p = ComputeStartupPlacement(Stored(2, 2, 160, 24, -32000, -32000), W, H);
  EXPECT_FALSE(p.position);
  EXPECT_EQ(p.size, (WindowExtent{160, 24}));

  // The fixed 640 x 480 size takes part in the test too.
  EXPECT_FALSE(ComputeStartupPlacement(Stored(0, 2, 1, 1, -640, 0), W, H).position);
  EXPECT_EQ(ComputeStartupPlacement(Stored(0, 2, 1, 1, -639, 0), W, H).position,
            (WindowPoint{-639, 0}));
}

TEST(Placement, PlatformSizeKeepsAStoredCornerOnlyOnTheScreen) {
  EXPECT_EQ(ComputeStartupPlacement(Stored(1, 2, 0, 0, 0, 0), W, H).position, (WindowPoint{0, 0}));
  EXPECT_EQ(ComputeStartupPlacement(Stored(1, 3, 0, 0, W, H), W, H).position, (WindowPoint{W, H}));
  EXPECT_FALSE(ComputeStartupPlacement(Stored(1, 2, 0, 0, -1, 10), W, H).position);
  EXPECT_FALSE(ComputeStartupPlacement(Stored(9, 2, 0, 0, 10, H + 1), W, H).position);
}

TEST(Placement, ExtremeStoredValuesDoNotOverflow) {
  StartupPlacement p = ComputeStartupPlacement(Stored(2, 0, INT_MAX, INT_MAX, 0, 0), W, H);
  EXPECT_EQ(p.size, (WindowExtent{INT_MAX, INT_MAX}));
  EXPECT_EQ(p.position, (WindowPoint{(W - INT_MAX) / 2, (H - INT_MAX) / 2}));
  // Centred: a huge height lies far above, a negative width far to the right.
  EXPECT_FALSE(ComputeStartupPlacement(Stored(2, 0, INT_MIN, 100, 0, 0), W, H).position);
  EXPECT_FALSE(
      ComputeStartupPlacement(Stored(2, 2, INT_MAX, INT_MAX, INT_MIN, INT_MIN), W, H).position);
  p = ComputeStartupPlacement(Stored(2, 2, INT_MAX, INT_MAX, -5, -5), W, H);
  EXPECT_EQ(p.position, (WindowPoint{-5, -5}));
}

}  // namespace
