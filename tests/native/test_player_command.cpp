#include <gtest/gtest.h>

#include <utility>

#include "settings/uPlayerCommand.h"

using namespace velmora;

TEST(PlayerCommandTable, SendsTheIdentifierOfEachPlayerCommand) {
  const std::pair<int, unsigned> expected[] = {
      {0, 40044},  {1, 40045},  {2, 40046},  {3, 40047},  {4, 40048},  {5, 40029},
      {6, 40058},  {7, 40059},  {12, 40147}, {13, 40157}, {14, 40148}, {15, 40144},
      {16, 40154}, {17, 40158}, {20, 40194}, {21, 40185}, {22, 40187}, {32, 40019},
      {33, 40040}, {34, 40036}, {35, 40012}};
  for (auto [c, id] : expected) {
    ASSERT_TRUE(CommandIdentifier(c).has_value()) << c;
    EXPECT_EQ(*CommandIdentifier(c), id) << c;
  }
}

TEST(PlayerCommandTable, EngineCommandsAndOutOfRangeValuesSendNothing) {
  // The engine's own, and those that go as requests: repeat, shuffle, ratings, mute, copy.
  for (int c : {8, 9, 10, 11, 18, 19, 23, 27, 28, 29, 30, 31, 36, 37, 255, -1}) EXPECT_FALSE(CommandIdentifier(c).has_value()) << c;
}

TEST(PlayerCommandTable, OnlyFileInfoAndShowHideHaveNoPopup) {
  for (int c = 0; c <= 8; ++c) EXPECT_TRUE(CommandHasPopup(c)) << c;
  EXPECT_FALSE(CommandHasPopup(9));
  EXPECT_FALSE(CommandHasPopup(10));
}

TEST(PlayStatusMapping, OnlyOneAndThreeAreNotStopped) {
  EXPECT_EQ(StatusFromResult(1), PlayStatus::Playing);
  EXPECT_EQ(StatusFromResult(3), PlayStatus::Paused);
  for (std::intptr_t r : {0, 2, 4, -1, 0x7fffffff})
    EXPECT_EQ(StatusFromResult(r), PlayStatus::Stopped) << r;
}
