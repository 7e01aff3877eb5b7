#include <gtest/gtest.h>

#include "settings/uPlayerCommand.h"

using namespace velmora;

TEST(PlayerCommandTable, SendsTheIdentifierOfEachPlayerCommand) {
  const unsigned expected[] = {40044, 40045, 40046, 40047, 40048, 40029, 40058, 40059};
  for (int c = 0; c < 8; ++c) {
    ASSERT_TRUE(CommandIdentifier(c).has_value()) << c;
    EXPECT_EQ(*CommandIdentifier(c), expected[c]) << c;
  }
}

TEST(PlayerCommandTable, EngineCommandsAndOutOfRangeValuesSendNothing) {
  for (int c : {8, 9, 10, 11, 255, -1}) EXPECT_FALSE(CommandIdentifier(c).has_value()) << c;
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
