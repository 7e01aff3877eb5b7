// The keyboard as the raw-input stream tells it: which keys are down, with Shift, Ctrl
// and Alt known by side. Turns each stroke into the word the keyboard hook would build,
// for its first stroke only; and the AltGr rule both captures keep. No Windows header.
#pragma once

#include <bitset>
#include <cstdint>
#include <optional>

#include "hook/uShortCutWord.h"

namespace velmora {

// Right Alt down, beside the three bits of the shift-state set: on a layout with AltGr
// that key is AltGr (the system adds a left Ctrl to it).
inline constexpr unsigned ssRightAlt = 1u << 3;

// One raw keystroke: the virtual-key code as the device reports it (VK_SHIFT, VK_CONTROL,
// VK_MENU for either side), its scan code, going up or down, and the E0 prefix (the right
// Ctrl and Alt, the separate block's keys).
struct TRawStroke {
  std::uint16_t VKey = 0;
  std::uint16_t MakeCode = 0;
  bool Up = false;
  bool E0 = false;
};

// What a capture asks the system about a keystroke: the system's answers in the plugin,
// a test's in the tests.
struct TKeyQueries {
  // The key's state as the system has it when the stroke is read.
  bool (*HeldNow)(unsigned vk) noexcept;
  // The layout of the program in front types a character (or begins one: a dead key) for
  // the key with Ctrl+Alt, that is with AltGr.
  bool (*TypesWithAltGr)(unsigned vk) noexcept;
};

class TRawKeyboard {
 public:
  // The shift-state set before the stroke and the word, for the first stroke of a key;
  // nothing for a repeat (the stream reports one as a new press), a release, or a stroke
  // the system made up (code 0xFF, the fake Shifts around the separate block's keys).
  // heldNow(vk) tells the key's state as the system has it when the stroke is read, and is
  // asked only for a press of a key this state holds down: that is a repeat only while the
  // key is still held; otherwise its release never came (Wine loses one as the foreground
  // moves to a window of the player's, Windows while the secure desktop is up) and this
  // is a new press.
  struct TPress {
    TShortCut Word;
    unsigned ShiftState;  // ssShift, ssCtrl, ssAlt, ssRightAlt
  };
  std::optional<TPress> Feed(const TRawStroke& stroke, bool (*heldNow)(unsigned vk)) noexcept;
  // The word of a stroke that may be a hot key: a first stroke that is not AltGr typing.
  std::optional<TShortCut> Take(const TRawStroke& stroke, const TKeyQueries& ask) noexcept;
  unsigned ShiftState() const noexcept;

 private:
  std::bitset<256> down_;  // by virtual-key code, sides apart for the modifiers
};

// A stroke made with AltGr on a layout where it types a character is typing, not a hot
// key: the rule of both captures. Ctrl+Alt made with the left keys stays a hot key, and so
// does right Alt where the layout types nothing with it; the layout is asked only for a
// stroke made with AltGr.
bool IsAltGrTyping(unsigned shiftState, unsigned vk,
                   bool (*typesWithAltGr)(unsigned vk) noexcept) noexcept;

}  // namespace velmora
