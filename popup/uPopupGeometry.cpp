#include "popup/uPopupGeometry.h"

namespace velmora {

TPopupRect PopupBounds(const TPopupLayout& l) noexcept {
  std::int32_t w = l.ContentW, h = l.ContentH;
  if (!l.HasGraphic) {
    w += 2 * (l.Margin + l.FrameWidth);
    h += 2 * (l.Margin + l.FrameWidth);
  }
  std::int32_t x = (l.AreaW - w) / 2, y = (l.AreaH - h) / 2;
  if (!l.HasPanel && !l.Centered) {
    x = l.ShowX;
    y = l.ShowY;
  }
  if (x < 0) x = 0;
  if (y < 0) y = 0;
  if (x + w > l.AreaW) x = l.AreaW - w;
  if (y + h > l.AreaH) y = l.AreaH - h;
  return {x, y, w, h};
}

}  // namespace velmora
