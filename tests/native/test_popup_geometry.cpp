#include <gtest/gtest.h>

#include "popup/uPopupGeometry.h"

using namespace velmora;

namespace {
TPopupLayout Text(int w, int h, int frame) {
  TPopupLayout l{};
  l.ContentW = w;
  l.ContentH = h;
  l.Margin = 4;
  l.FrameWidth = frame;
  l.AreaW = 1024;
  l.AreaH = 768;
  l.Centered = true;
  return l;
}
}  // namespace

TEST(PopupGeometry, TextModeAddsMarginAndFrameOnEachSide) {
  const auto r = PopupBounds(Text(40, 13, 2));
  EXPECT_EQ(r.W, 52);
  EXPECT_EQ(r.H, 25);
  EXPECT_EQ(r.X, (1024 - 52) / 2);
  EXPECT_EQ(r.Y, (768 - 25) / 2);
}

TEST(PopupGeometry, BitmapModeIsTheBitmapsSize) {
  auto l = Text(64, 32, 5);
  l.HasGraphic = true;
  const auto r = PopupBounds(l);
  EXPECT_EQ(r.W, 64);
  EXPECT_EQ(r.H, 32);
}

TEST(PopupGeometry, ShowPointIsPulledOntoTheScreen) {
  auto l = Text(40, 13, 2);
  l.Centered = false;
  l.ShowX = -50, l.ShowY = 20;
  EXPECT_EQ(PopupBounds(l).X, 0);
  EXPECT_EQ(PopupBounds(l).Y, 20);
  l.ShowX = -1, l.ShowY = -1;
  EXPECT_EQ(PopupBounds(l).X, 0);
  EXPECT_EQ(PopupBounds(l).Y, 0);
  l.ShowX = 2000, l.ShowY = 760;
  EXPECT_EQ(PopupBounds(l).X, 1024 - 52);
  EXPECT_EQ(PopupBounds(l).Y, 768 - 25);
}

TEST(PopupGeometry, APopupLargerThanItsAreaEndsFlushWithTheFarEdge) {
  auto l = Text(2000, 1000, 0);
  const auto r = PopupBounds(l);
  EXPECT_EQ(r.X, 1024 - 2008);
  EXPECT_EQ(r.Y, 768 - 1008);
}

TEST(PopupGeometry, ThePreviewIsAlwaysCentredInItsPanel) {
  auto l = Text(20, 10, 1);
  l.HasPanel = true;
  l.Centered = false;
  l.ShowX = 500;
  l.AreaW = 101, l.AreaH = 41;
  const auto r = PopupBounds(l);
  EXPECT_EQ(r.X, (101 - 30) / 2);
  EXPECT_EQ(r.Y, (41 - 20) / 2);
}

TEST(PopupGeometry, HalvingTruncatesTowardZero) {
  auto l = Text(0, 0, 0);
  l.AreaW = 5, l.AreaH = 5;
  l.Margin = 0;
  l.ContentW = 10, l.ContentH = 8;  // (5 - 10) / 2 = -2, then clamped to 0, then flush: -5
  const auto r = PopupBounds(l);
  EXPECT_EQ(r.X, -5);
  EXPECT_EQ(r.Y, -3);
}

// Monitors as the system lays them out: the primary at (0, 0), a second one to its left
// (negative coordinates) and a third above the primary, each with a task bar.
namespace {
constexpr TMonitorArea kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
constexpr TMonitorArea kLeft{{-1280, 56, 0, 1080}, {-1280, 56, 0, 1040}};
constexpr TMonitorArea kAbove{{0, -900, 1600, 0}, {0, -860, 1600, 0}};
constexpr TMonitorArea kThree[] = {kPrimary, kLeft, kAbove};

TPopupLayout OnMonitor(TPopupLayout l, std::span<const TMonitorArea> all,
                       const TMonitorArea& target) {
  PlaceOnMonitor(l, all, target);
  return l;
}
}  // namespace

TEST(PopupOnMonitor, CentredInTheWorkAreaOfTheMonitorInFront) {
  const auto l = Text(40, 13, 2);  // 52 x 25
  auto r = PopupBounds(OnMonitor(l, kThree, kLeft));
  EXPECT_EQ(r.X, -1280 + (1280 - 52) / 2);
  EXPECT_EQ(r.Y, 56 + (984 - 25) / 2);
  r = PopupBounds(OnMonitor(l, kThree, kAbove));
  EXPECT_EQ(r.X, (1600 - 52) / 2);
  EXPECT_EQ(r.Y, -860 + (860 - 25) / 2);
  r = PopupBounds(OnMonitor(l, kThree, kPrimary));
  EXPECT_EQ(r.Y, (1040 - 25) / 2);  // the task bar's strip is not the work area
}

TEST(PopupOnMonitor, AChosenPointKeepsItsOffsetFromTheCornerOfItsMonitor) {
  auto l = Text(40, 13, 2);
  l.Centered = false;
  l.ShowX = 100, l.ShowY = 200;  // on the primary
  auto r = PopupBounds(OnMonitor(l, kThree, kLeft));
  EXPECT_EQ(r.X, -1280 + 100);
  EXPECT_EQ(r.Y, 56 + 200);
  l.ShowX = -1180, l.ShowY = 156;  // the same place chosen on the left monitor
  r = PopupBounds(OnMonitor(l, kThree, kPrimary));
  EXPECT_EQ(r.X, 100);
  EXPECT_EQ(r.Y, 100);
  r = PopupBounds(OnMonitor(l, kThree, kLeft));  // where it was chosen: exactly there
  EXPECT_EQ(r.X, -1180);
  EXPECT_EQ(r.Y, 156);
  // Two monitors only: the above one is not there.
  const TMonitorArea two[] = {kPrimary, kLeft};
  l.ShowX = 10, l.ShowY = -20;
  r = PopupBounds(OnMonitor(l, two, kLeft));  // on no monitor: from the primary's corner
  EXPECT_EQ(r.X, -1270);
  EXPECT_EQ(r.Y, 56);  // -20 lies above the work area: moved down onto it
  // A point on the border of two monitors is the one's whose left edge it is: a monitor's
  // right edge is not its own, whichever monitor the system lists first.
  const TMonitorArea leftFirst[] = {kLeft, kPrimary};
  l.ShowX = 0, l.ShowY = 200;
  r = PopupBounds(OnMonitor(l, leftFirst, kPrimary));
  EXPECT_EQ(r.X, 0);
  EXPECT_EQ(r.Y, 200);
}

TEST(PopupOnMonitor, MovedAsLittleAsNeededIntoTheWorkArea) {
  auto l = Text(40, 13, 2);  // 52 x 25
  l.Centered = false;
  l.ShowX = 1900, l.ShowY = 1030;  // bottom right of the primary, over its task bar
  auto r = PopupBounds(OnMonitor(l, kThree, kPrimary));
  EXPECT_EQ(r.X, 1920 - 52);
  EXPECT_EQ(r.Y, 1040 - 25);
  // Carried to the smaller monitor above: same offset, then pulled in at its far edges.
  r = PopupBounds(OnMonitor(l, kThree, kAbove));
  EXPECT_EQ(r.X, 1600 - 52);
  EXPECT_EQ(r.Y, -25);
  // Larger than the work area: flush with its far edge, as on the primary screen.
  auto big = Text(2000, 10, 0);
  big.Centered = false;
  r = PopupBounds(OnMonitor(big, kThree, kLeft));
  EXPECT_EQ(r.X, 0 - 2008);
}

TEST(FullScreen, AWindowCoversItsMonitorOnlyWhenItContainsItWhole) {
  const TScreenRect monitor = kLeft.Monitor;
  EXPECT_TRUE(CoversMonitor(monitor, monitor));
  EXPECT_TRUE(CoversMonitor({-1288, 48, 8, 1088}, monitor));  // a maximised frame's overhang
  EXPECT_FALSE(CoversMonitor({-1280, 56, 0, 1040}, monitor));  // the work area only
  EXPECT_FALSE(CoversMonitor({-1279, 56, 0, 1080}, monitor));
  EXPECT_FALSE(CoversMonitor({0, 0, 1920, 1080}, monitor));  // another monitor's
  EXPECT_FALSE(CoversMonitor({0, 0, 0, 0}, {0, 0, 0, 0}));    // nothing covers nothing
}
