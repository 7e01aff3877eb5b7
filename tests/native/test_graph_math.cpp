#include <gtest/gtest.h>

#include "config/uGraphMath.h"

using namespace velmora;

TEST(Random, FirstDrawsFromTheLoadSeedAreKnown) {
  SetRandomSeed(0);
  EXPECT_EQ(Random(100), 0u);
  EXPECT_EQ(Random(256), 8u);
  EXPECT_EQ(Random(100), 86u);
  EXPECT_EQ(Random(256), 51u);
  EXPECT_EQ(Random(100), 27u);
  EXPECT_EQ(Random(1000), 671u);
  EXPECT_EQ(RandomSeed(), 2884733762u);
  // Every draw is below n, also at the top of the seed's range.
  SetRandomSeed(0xFFFFFFFFu);
  for (int i = 0; i < 1000; ++i) EXPECT_LT(Random(7), 7u);
}

TEST(Blend, KeepIsTheShareOfTheOldColourTruncatedAndLimited) {
  EXPECT_EQ(MixChannel(200, 100, 50), 150);
  EXPECT_EQ(MixChannel(255, 255, 50), 255);
  EXPECT_EQ(MixChannel(255, 255, 0), 255);
  EXPECT_EQ(MixChannel(7, 200, 100), 7);
  EXPECT_EQ(MixChannel(7, 200, 0), 200);
  EXPECT_EQ(MixChannel(1, 0, 50), 0);  // 0.5 truncates
  EXPECT_EQ(MixChannel(0, 3, 50), 1);  // 1.5 truncates
  EXPECT_EQ(ClampPercent(-5), 0);
  EXPECT_EQ(ClampPercent(150), 100);
  EXPECT_EQ(ClampPercent(42), 42);
}
