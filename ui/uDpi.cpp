#include "ui/uDpi.h"

#include "ui/uFont.h"
#include "ui/uLateBind.h"

namespace velmora::ui {

namespace {

// The awareness contexts are pseudo-handles: -4 per-monitor v2, -3 per-monitor.
void* const kPerMonitorV2 = reinterpret_cast<void*>(static_cast<INT_PTR>(-4));
void* const kPerMonitor = reinterpret_cast<void*>(static_cast<INT_PTR>(-3));

}  // namespace

int DpiForWindow(HWND window) noexcept {
  if (window)
    if (const UINT dpi = late::GetDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  return ScreenPixelsPerInch();
}

TDpiAwareScope::TDpiAwareScope() noexcept {
  previous_ = late::SetThreadDpiAwarenessContext(kPerMonitorV2);
  if (!previous_) previous_ = late::SetThreadDpiAwarenessContext(kPerMonitor);
}

TDpiAwareScope::~TDpiAwareScope() {
  if (previous_) late::SetThreadDpiAwarenessContext(previous_);
}

}  // namespace velmora::ui
