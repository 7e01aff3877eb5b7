#include "popup/uPopupGeometry.h"

namespace velmora {

TPopupRect PopupBounds(const TPopupLayout& l) noexcept {
  std::int32_t w = l.ContentW, h = l.ContentH;
  if (!l.HasGraphic) {
    w += 2 * (l.Margin + l.FrameWidth);
    h += 2 * (l.Margin + l.FrameWidth);
  }
  std::int32_t x = l.AreaX + (l.AreaW - w) / 2, y = l.AreaY + (l.AreaH - h) / 2;
  if (!l.HasPanel && !l.Centered) {
    x = l.ShowX;
    y = l.ShowY;
  }
  if (x < l.AreaX) x = l.AreaX;
  if (y < l.AreaY) y = l.AreaY;
  if (x + w > l.AreaX + l.AreaW) x = l.AreaX + l.AreaW - w;
  if (y + h > l.AreaY + l.AreaH) y = l.AreaY + l.AreaH - h;
  return {x, y, w, h};
}

namespace {
bool Contains(const TScreenRect& r, TScreenPoint p) noexcept {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
}  // namespace

TScreenPoint PointOnMonitor(TScreenPoint point, std::span<const TMonitorArea> monitors,
                            const TMonitorArea& target) noexcept {
  TScreenPoint origin{0, 0};
  for (const TMonitorArea& m : monitors)
    if (Contains(m.Monitor, point)) {
      origin = {m.Monitor.Left, m.Monitor.Top};
      break;
    }
  return {target.Monitor.Left + (point.X - origin.X), target.Monitor.Top + (point.Y - origin.Y)};
}

void PlaceOnMonitor(TPopupLayout& l, std::span<const TMonitorArea> monitors,
                    const TMonitorArea& target) noexcept {
  l.AreaX = target.Work.Left;
  l.AreaY = target.Work.Top;
  l.AreaW = target.Work.Right - target.Work.Left;
  l.AreaH = target.Work.Bottom - target.Work.Top;
  if (l.Centered) return;
  const TScreenPoint p = PointOnMonitor({l.ShowX, l.ShowY}, monitors, target);
  l.ShowX = p.X;
  l.ShowY = p.Y;
}

bool CoversMonitor(const TScreenRect& window, const TScreenRect& monitor) noexcept {
  return window.Left <= monitor.Left && window.Top <= monitor.Top &&
         window.Right >= monitor.Right && window.Bottom >= monitor.Bottom &&
         monitor.Right > monitor.Left && monitor.Bottom > monitor.Top;
}

}  // namespace velmora
