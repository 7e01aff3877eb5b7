// The 16-bit hot-key word shared by the keyboard hook, the settings and the dialog.
#pragma once

#include <cstdint>

namespace velmora {

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
// The mouse's middle and side buttons have key codes of their own: a word with one of them
// is a button held with the modifiers. Win is a modifier of button words only, in a bit no
// key's word has.
inline constexpr unsigned vkMiddleButton = 0x04, vkSideButton1 = 0x05, vkSideButton2 = 0x06;
inline constexpr TShortCut scWin = 0x1000;
constexpr bool IsButtonKey(unsigned vk) noexcept {
  return vk >= vkMiddleButton && vk <= vkSideButton2;
}
constexpr bool IsButtonWord(TShortCut word) noexcept {
  return IsButtonKey(word & 0xFFu);
}
constexpr TShortCut MakeButtonWord(unsigned vk, bool shift, bool ctrl, bool alt,
                                   bool win) noexcept {
  if (!IsButtonKey(vk)) return 0;
  return static_cast<TShortCut>(vk | (shift ? scShift : 0) | (ctrl ? scCtrl : 0) |
                                (alt ? scAlt : 0) | (win ? scWin : 0));
}

// Bits of the shift-state set the keyboard hook reads.
inline constexpr unsigned ssShift = 1u << 0;
inline constexpr unsigned ssAlt = 1u << 1;
inline constexpr unsigned ssCtrl = 1u << 2;

// Word for a virtual-key code and a shift-state set; 0 when the key does not fit a byte.
TShortCut MakeShortCutWord(std::uint32_t key, unsigned shiftState) noexcept;

// Shift-state set from the three key-state bytes (bit 7: down).
unsigned ShiftStateFromKeys(std::uint8_t shift, std::uint8_t menu, std::uint8_t control) noexcept;

// True when a keyboard hook's lParam is the first stroke of a press: going down,
// and up before (neither a repeat nor a release).
constexpr bool IsFirstStroke(std::uint32_t lParam) noexcept {
  return (lParam & 0xC0000000u) == 0;
}

// Which key state the keyboard hook reads its modifiers from. A 64-bit program cannot
// load this 32-bit library, so the system calls the hook for its keystrokes on the
// installing thread instead; that thread's own key state never sees them. There (the
// hook runs on the block's owner thread while the input belongs to the foreground's
// thread) the modifiers come from the asynchronous state; everywhere else from the
// thread's own.
constexpr bool UseAsyncModifiers(std::uint32_t currentThread, std::uint32_t ownerThread,
                                 std::uint32_t foregroundThread) noexcept {
  return currentThread == ownerThread && foregroundThread != currentThread;
}

// Keys of the separate block (Page Up, Page Down, End, Home, the arrows, Insert, Delete):
// pressed, they come as extended keys; the keypad's keys with the same codes do not.
constexpr bool IsNavigationKey(unsigned vk) noexcept {
  return (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x2E;
}

// Keys a hot-key box takes without modifiers: the browser, volume, media and launch keys
// (0xA6 to 0xB7), F13 to F24 and the mouse's middle and side buttons type no text and are
// not pressed by accident. Every other key needs Ctrl or Alt; a key alone or with Shift
// alone is refused.
constexpr bool HotKeyBoxAccepts(unsigned vk, bool shift, bool ctrl, bool alt) noexcept {
  if (vk == 0 || ctrl || alt || IsButtonKey(vk)) return true;
  return !shift && ((vk >= 0xA6 && vk <= 0xB7) || (vk >= 0x7C && vk <= 0x87));
}

// The system hot-key control's value (key code in the low byte; HOTKEYF_SHIFT 1,
// HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8 in the high byte) and the word.
// The extended-key flag has no place in a key's word and is dropped; a navigation key gets
// it back, so that the box names the key the user pressed rather than the keypad's. A
// button has no extended form: with a button the flag carries Win.
constexpr TShortCut ShortCutFromHotKey(std::uint16_t hotKey) noexcept {
  const unsigned flags = hotKey >> 8;
  const bool win = (flags & 8) && IsButtonKey(hotKey & 0xFFu);
  return static_cast<TShortCut>((hotKey & 0xFF) | ((flags & 1) ? scShift : 0) |
                                ((flags & 2) ? scCtrl : 0) | ((flags & 4) ? scAlt : 0) |
                                (win ? scWin : 0));
}
constexpr std::uint16_t HotKeyFromShortCut(TShortCut word) noexcept {
  const bool ext = IsNavigationKey(word & 0xFF) || (IsButtonWord(word) && (word & scWin));
  return static_cast<std::uint16_t>((word & 0xFF) | (((word & scShift) ? 1 : 0) << 8) |
                                    (((word & scCtrl) ? 2 : 0) << 8) |
                                    (((word & scAlt) ? 4 : 0) << 8) | ((ext ? 8 : 0) << 8));
}
// HotKeyBoxAccepts on the control's value.
constexpr bool HotKeyValueAccepted(std::uint16_t hotKey) noexcept {
  const unsigned flags = hotKey >> 8;
  return HotKeyBoxAccepts(hotKey & 0xFFu, flags & 1, flags & 2, flags & 4);
}

}  // namespace velmora
