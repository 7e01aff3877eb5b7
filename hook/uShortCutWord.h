// The 16-bit hot-key word shared by the keyboard hook, the settings and the dialog.
#pragma once

#include <cstdint>

namespace velmora {

using TShortCut = std::uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;

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

}  // namespace velmora
