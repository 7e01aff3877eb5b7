#include <gtest/gtest.h>

#include "engine/uCommandMatch.h"

using namespace velmora;

TEST(HotKeyMatch, LowestCommandWinsAndModifiersMustMatchExactly) {
  TShortCut keys[CommandCount] = {};
  keys[4] = 0x4050;
  keys[7] = 0x4050;
  keys[2] = 0x6050;
  EXPECT_EQ(FindHotKeyCommand(keys, 0x4050), 4);
  EXPECT_EQ(FindHotKeyCommand(keys, 0x6050), 2);
  EXPECT_EQ(FindHotKeyCommand(keys, 0x0050), -1);
  EXPECT_EQ(FindHotKeyCommand(keys, 0xC050), -1);
  // Most commands have no hot key (0); a forwarded 0 must not pick the lowest of them.
  EXPECT_EQ(FindHotKeyCommand(keys, 0), -1);
}

TEST(GestureMatch, TableOrderAndExactness) {
  EXPECT_EQ(FindGesture("UU"), 3);
  EXPECT_EQ(FindGesture("DUU"), 14);
  EXPECT_EQ(FindGesture("uu"), -1);
  EXPECT_EQ(FindGesture("UUUU"), -1);
  EXPECT_EQ(FindGesture("USs"), -1);
  EXPECT_EQ(FindGesture(""), -1);  // "none" is no gesture: a countdown left over runs nothing
  std::uint8_t jog[CommandCount] = {};
  jog[6] = 3;
  jog[9] = 3;
  EXPECT_EQ(FindJogCommand(jog, 3), 6);
  EXPECT_EQ(FindJogCommand(jog, 4), -1);
  EXPECT_EQ(FindJogCommand(jog, 0), 0);  // index 0 only comes from an empty sequence
}

TEST(JogEvents, PressStopsTheCountdownReleaseStartsItOthersKeepLetters) {
  std::string sequence;
  bool pressed = false;
  EXPECT_TRUE(ApplyJogEvent(sequence, pressed, JogUp));
  EXPECT_FALSE(ApplyJogEvent(sequence, pressed, JogPress));
  EXPECT_TRUE(pressed);
  EXPECT_FALSE(ApplyJogEvent(sequence, pressed, JogDown));  // held: no countdown
  EXPECT_TRUE(ApplyJogEvent(sequence, pressed, JogRelease));
  EXPECT_EQ(sequence, "USDs");
  EXPECT_FALSE(ApplyJogEvent(sequence, pressed, 77));  // any other code: waits, letters kept
  EXPECT_EQ(sequence, "USDs");
  EXPECT_FALSE(pressed);
}
