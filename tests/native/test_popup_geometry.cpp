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
