#include <gtest/gtest.h>

#include "hook/uShortCutWord.h"

using namespace velmora;

TEST(ShortCutWord, PlainAndModifiedKeys) {
  EXPECT_EQ(MakeShortCutWord(0x74, 0), 0x74);                   // F5
  EXPECT_EQ(MakeShortCutWord(0x74, ssCtrl | ssShift), 0x6074);  // Ctrl+Shift+F5
  EXPECT_EQ(MakeShortCutWord('P', ssCtrl | ssAlt), 0xC050);     // Ctrl+Alt+P = 49232
  EXPECT_EQ(MakeShortCutWord('P', ssCtrl | ssAlt | ssShift), 0xE050);
}

TEST(ShortCutWord, KeyCodesOutsideOneByteGiveNoWord) {
  EXPECT_EQ(MakeShortCutWord(0x100, ssCtrl), 0);
  EXPECT_EQ(MakeShortCutWord(0xFFFF, 0), 0);
  // Only the low 16 bits of the hook's wParam are the key.
  EXPECT_EQ(MakeShortCutWord(0x10041, 0), 0x41);
}

TEST(ShortCutWord, ShiftStateReadsBitSevenOnly) {
  EXPECT_EQ(ShiftStateFromKeys(0x80, 0, 0), ssShift);
  EXPECT_EQ(ShiftStateFromKeys(0x01, 0x01, 0x01), 0u);  // toggled, not down
  EXPECT_EQ(ShiftStateFromKeys(0, 0x81, 0x80), ssAlt | ssCtrl);
}

TEST(ShortCutWord, FirstStrokeOnly) {
  EXPECT_TRUE(IsFirstStroke(0x001F0001));   // press
  EXPECT_FALSE(IsFirstStroke(0x401F0001));  // auto-repeat: was down before
  EXPECT_FALSE(IsFirstStroke(0xC01F0001));  // release
  EXPECT_FALSE(IsFirstStroke(0x801F0001));
}

TEST(HotKeyControlValue, ConvertsBothWaysAndDropsTheExtendedFlag) {
  EXPECT_EQ(ShortCutFromHotKey(0x0374), 0x6074);  // Ctrl+Shift+F5
  EXPECT_EQ(ShortCutFromHotKey(0x0474), 0x8074);  // Alt+F5
  EXPECT_EQ(ShortCutFromHotKey(0x0A25), 0x4025);  // Ctrl+Left of the cursor block
  EXPECT_EQ(ShortCutFromHotKey(0), 0);
  EXPECT_EQ(HotKeyFromShortCut(0x6074), 0x0374);
  EXPECT_EQ(HotKeyFromShortCut(0xE041), 0x0741);
  for (TShortCut w : {0x0000, 0x2041, 0x4041, 0x8041, 0xE0FF})
    EXPECT_EQ(ShortCutFromHotKey(HotKeyFromShortCut(w)), w);
}

TEST(ModifierState, TheAsynchronousStateOnlyOnTheOwnersThreadForAnotherThreadsInput) {
  // A 32-bit program's thread: its own key state, owner or not in front.
  EXPECT_FALSE(UseAsyncModifiers(7, 3, 7));
  EXPECT_FALSE(UseAsyncModifiers(7, 3, 9));
  // The installing thread called for a 64-bit program's keystroke: the asynchronous state.
  EXPECT_TRUE(UseAsyncModifiers(3, 3, 9));
  // The installing thread's own input (the player's window in front): its own state.
  EXPECT_FALSE(UseAsyncModifiers(3, 3, 3));
  // No foreground window (thread 0) while the owner is called: not its own input.
  EXPECT_TRUE(UseAsyncModifiers(3, 3, 0));
}
