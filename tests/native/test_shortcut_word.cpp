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
  for (TShortCut w : {0x0000, 0x2041, 0x4041, 0x8041, 0xE0FF, 0x4026, 0x602E})
    EXPECT_EQ(ShortCutFromHotKey(HotKeyFromShortCut(w)), w);
}

TEST(HotKeyControlValue, TheSeparateBlocksKeysAreShownAsExtended) {
  // Page Up to Down, Insert and Delete: the box names them, not the keypad's keys.
  for (unsigned vk : {0x21u, 0x22u, 0x23u, 0x24u, 0x25u, 0x26u, 0x27u, 0x28u, 0x2Du, 0x2Eu})
    EXPECT_EQ(HotKeyFromShortCut(static_cast<TShortCut>(0x4000 | vk)), 0x0A00 | vk) << vk;
  // Their neighbours are not: Space, Print Screen, Select, the digits, the keypad's 0.
  for (unsigned vk : {0x20u, 0x2Cu, 0x29u, 0x30u, 0x60u})
    EXPECT_EQ(HotKeyFromShortCut(static_cast<TShortCut>(0x4000 | vk)), 0x0200 | vk) << vk;
}

TEST(HotKeyBox, BareMediaKeysAndF13ToF24AreTakenOtherBareKeysAndShiftAloneAreNot) {
  for (unsigned vk = 0xA6; vk <= 0xB7; ++vk)
    EXPECT_TRUE(HotKeyBoxAccepts(vk, false, false, false)) << vk;
  for (unsigned vk = 0x7C; vk <= 0x87; ++vk)
    EXPECT_TRUE(HotKeyBoxAccepts(vk, false, false, false)) << vk;
  // Their neighbours: F12, the key after F24, the browser keys' neighbours, letters, Space.
  for (unsigned vk : {0x7Bu, 0x88u, 0xA5u, 0xB8u, 0x41u, 0x20u, 0x74u})
    EXPECT_FALSE(HotKeyBoxAccepts(vk, false, false, false)) << vk;
  EXPECT_FALSE(HotKeyBoxAccepts(0xB3, true, false, false));  // Shift+Play/Pause
  EXPECT_FALSE(HotKeyBoxAccepts(0x41, true, false, false));  // Shift+A types text
  EXPECT_TRUE(HotKeyBoxAccepts(0x41, false, true, false));
  EXPECT_TRUE(HotKeyBoxAccepts(0x41, true, false, true));
  EXPECT_TRUE(HotKeyBoxAccepts(0, false, false, false));  // an empty box
  // The control's value: Shift 1, Ctrl 2, Alt 4, extended 8 in the high byte.
  EXPECT_FALSE(HotKeyValueAccepted(0x0175));  // Shift+F6
  EXPECT_FALSE(HotKeyValueAccepted(0x0876));  // F7, extended: still bare
  EXPECT_TRUE(HotKeyValueAccepted(0x0A25));   // Ctrl+Left
  EXPECT_TRUE(HotKeyValueAccepted(0x0441));   // Alt+A
  EXPECT_TRUE(HotKeyValueAccepted(0x00B3));   // Play/Pause
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

// A mouse button with the modifiers held is a word like a key's: its code in the low byte,
// Shift, Ctrl, Alt as for keys, Win in a bit no key's word has; the hot-key box's value
// carries Win in the extended flag, which a button never has. No key's word changes.
TEST(ButtonWord, EachButtonWithEachModifierAndNoKeysWordChanges) {
  for (unsigned vk : {0x04u, 0x05u, 0x06u})
    for (unsigned m = 0; m < 16; ++m) {
      const bool shift = m & 1, ctrl = m & 2, alt = m & 4, win = m & 8;
      const TShortCut word = MakeButtonWord(vk, shift, ctrl, alt, win);
      EXPECT_EQ(word, vk | (shift ? 0x2000 : 0) | (ctrl ? 0x4000 : 0) | (alt ? 0x8000 : 0) |
                          (win ? 0x1000 : 0));
      EXPECT_TRUE(IsButtonWord(word));
      EXPECT_EQ(ShortCutFromHotKey(HotKeyFromShortCut(word)), word) << vk << " " << m;
    }
  EXPECT_EQ(MakeButtonWord(0x41, false, true, false, false), 0);  // A key is no button
  EXPECT_EQ(HotKeyFromShortCut(0x4005 | 0x1000), 0x0A05);         // Ctrl+Win+Mouse 4
  // Every key's word and value as before: the extended flag of a key still drops.
  for (unsigned vk = 0x07; vk < 0x100; ++vk)
    for (unsigned flags = 0; flags < 16; ++flags) {
      const auto value = static_cast<std::uint16_t>(vk | flags << 8);
      const TShortCut word = ShortCutFromHotKey(value);
      EXPECT_EQ(word & 0x1FFF, vk) << value;
      EXPECT_FALSE(IsButtonWord(word));
    }
  EXPECT_TRUE(HotKeyBoxAccepts(0x05, false, false, false));  // a side button alone
}
