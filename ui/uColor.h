// Colour values: 0x00BBGGRR; with the top bit set, a system colour index in the low byte.
#pragma once

#include <windows.h>

#include <cstdint>

namespace velmora::ui {

using TColor = std::uint32_t;

inline constexpr TColor clSystemFlag = 0x80000000u;

inline COLORREF ColorToRGB(TColor color) noexcept {
  return (color & clSystemFlag) ? GetSysColor(static_cast<int>(color & 0xFF))
                                : (color & 0x00FFFFFF);
}

}  // namespace velmora::ui
