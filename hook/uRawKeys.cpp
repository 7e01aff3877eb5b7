#include "hook/uRawKeys.h"

namespace velmora {

namespace {
constexpr std::uint16_t kShift = 0x10, kControl = 0x11, kMenu = 0x12;
constexpr std::uint16_t kLShift = 0xA0, kRShift = 0xA1, kLControl = 0xA2, kRControl = 0xA3,
                        kLMenu = 0xA4, kRMenu = 0xA5;
constexpr std::uint16_t kRightShiftScan = 0x36;

// The sided code a modifier is kept under; every other key under its own code.
std::uint16_t Sided(const TRawStroke& s) noexcept {
  switch (s.VKey) {
    case kShift:
      return s.MakeCode == kRightShiftScan ? kRShift : kLShift;
    case kControl:
      return s.E0 ? kRControl : kLControl;
    case kMenu:
      return s.E0 ? kRMenu : kLMenu;
    default:
      return s.VKey;
  }
}
}  // namespace

unsigned TRawKeyboard::ShiftState() const noexcept {
  unsigned set = 0;
  if (down_[kLShift] || down_[kRShift]) set |= ssShift;
  if (down_[kLControl] || down_[kRControl]) set |= ssCtrl;
  if (down_[kLMenu] || down_[kRMenu]) set |= ssAlt;
  if (down_[kRMenu]) set |= ssRightAlt;
  return set;
}

std::optional<TRawKeyboard::TPress> TRawKeyboard::Feed(const TRawStroke& stroke,
                                                       bool (*heldNow)(unsigned vk)) noexcept {
  if (stroke.VKey == 0 || stroke.VKey >= 0xFF) return std::nullopt;
  const std::uint16_t key = Sided(stroke);
  if (stroke.Up) {
    down_.reset(key);
    return std::nullopt;
  }
  if (down_[key] && heldNow(stroke.VKey)) return std::nullopt;  // held: the stream's repeat
  const unsigned state = ShiftState();  // as the keyboard hook sees it: before this key
  down_.set(key);
  return TPress{MakeShortCutWord(stroke.VKey, state), state};
}

std::optional<TShortCut> TRawKeyboard::Take(const TRawStroke& stroke,
                                            const TKeyQueries& ask) noexcept {
  const auto press = Feed(stroke, ask.HeldNow);
  if (!press || IsAltGrTyping(press->ShiftState, stroke.VKey, ask.TypesWithAltGr))
    return std::nullopt;
  return press->Word;
}

bool IsAltGrTyping(unsigned shiftState, unsigned vk,
                   bool (*typesWithAltGr)(unsigned vk) noexcept) noexcept {
  return (shiftState & ssCtrl) && (shiftState & ssAlt) && (shiftState & ssRightAlt) &&
         typesWithAltGr(vk);
}

}  // namespace velmora
