// Where the popup goes and how large it is. No Windows header.
#pragma once

#include <cstdint>

namespace velmora {

struct TPopupRect {
  std::int32_t X, Y, W, H;
};

struct TPopupLayout {
  std::int32_t ContentW, ContentH;  // the graphic's size, or the text extent
  bool HasGraphic;
  std::int32_t Margin, FrameWidth;
  std::int32_t AreaW, AreaH;  // the panel's size, or the primary screen's
  bool HasPanel;
  bool Centered;
  std::int32_t ShowX, ShowY;
};

// Centred in its area, or at the show point for a free popup that is not centred;
// pulled back onto the area, ending flush with its right or bottom edge when larger.
TPopupRect PopupBounds(const TPopupLayout& l) noexcept;

}  // namespace velmora
