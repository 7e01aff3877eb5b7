// Where the popup goes and how large it is. No Windows header.
#pragma once

#include <cstdint>
#include <span>

namespace velmora {

struct TPopupRect {
  std::int32_t X, Y, W, H;
};

struct TPopupLayout {
  std::int32_t ContentW, ContentH;  // the graphic's size, or the text extent
  bool HasGraphic;
  std::int32_t Margin, FrameWidth;
  std::int32_t AreaW, AreaH;  // the panel's size, the primary screen's or a work area's
  bool HasPanel;
  bool Centered;
  std::int32_t ShowX, ShowY;
  std::int32_t AreaX = 0, AreaY = 0;  // the area's top-left corner on the screen
};

// Centred in its area, or at the show point for a free popup that is not centred;
// pulled back onto the area, ending flush with its right or bottom edge when larger.
TPopupRect PopupBounds(const TPopupLayout& l) noexcept;

// Screen rectangles, right and bottom exclusive; monitors left of or above the primary
// have negative coordinates.
struct TScreenRect {
  std::int32_t Left, Top, Right, Bottom;
};
struct TMonitorArea {
  TScreenRect Monitor, Work;
};
struct TScreenPoint {
  std::int32_t X, Y;
};

// The chosen point carried to the target monitor: the same offset from its top-left corner
// as the point has from that of the monitor it lies on. A point on no monitor (one that
// has gone) keeps its offset from the primary's corner, (0, 0).
TScreenPoint PointOnMonitor(TScreenPoint point, std::span<const TMonitorArea> monitors,
                            const TMonitorArea& target) noexcept;

// The popup's layout on a monitor's work area: centred there, or at the carried point.
void PlaceOnMonitor(TPopupLayout& l, std::span<const TMonitorArea> monitors,
                    const TMonitorArea& target) noexcept;

// A window covers its monitor: its rectangle contains the monitor's whole.
bool CoversMonitor(const TScreenRect& window, const TScreenRect& monitor) noexcept;

}  // namespace velmora
