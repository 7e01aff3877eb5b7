#include "hook/uShortCutWord.h"

namespace velmora {

TShortCut MakeShortCutWord(std::uint32_t key, unsigned shiftState) noexcept {
  const auto k = static_cast<std::uint16_t>(key);
  if (k & 0xFF00) return 0;
  unsigned word = k;
  if (shiftState & ssShift) word += scShift;
  if (shiftState & ssCtrl) word += scCtrl;
  if (shiftState & ssAlt) word += scAlt;
  return static_cast<TShortCut>(word);
}

unsigned ShiftStateFromKeys(std::uint8_t shift, std::uint8_t menu, std::uint8_t control) noexcept {
  unsigned set = 0;
  if (shift & 0x80) set |= ssShift;
  if (menu & 0x80) set |= ssAlt;
  if (control & 0x80) set |= ssCtrl;
  return set;
}

}  // namespace velmora
