// Display-scale arithmetic: layouts are given in pixels at 96 dpi. No Windows header.
#pragma once

#include <cstdint>

namespace velmora::ui {

inline constexpr int kBaseDpi = 96;

// value × dpi / 96, rounded half away from zero (so that -12 and 12 scale alike): at 96
// dpi every value stays as it is.
constexpr int ScaleDpi(int value, int dpi) noexcept {
  const std::int64_t p = static_cast<std::int64_t>(value) * dpi;
  const std::int64_t half = kBaseDpi / 2;
  return static_cast<int>(p >= 0 ? (p + half) / kBaseDpi : -((-p + half) / kBaseDpi));
}

}  // namespace velmora::ui
