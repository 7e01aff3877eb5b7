// The dpi of the plugin's windows. Where the system has per-window dpi awareness, the
// plugin's windows are made and laid out per-monitor aware by the creating thread for the
// moment (nothing process-wide: the host owns its process) and take the dpi of their
// monitor; elsewhere, and under Wine, the dpi the system reports is the dpi.
#pragma once

#include <windows.h>

#include "ui/uScale.h"

namespace velmora::ui {

// The window's dpi (GetDpiForWindow where there is one), else the screen's.
int DpiForWindow(HWND window) noexcept;

// Sets the calling thread's dpi awareness to per-monitor (v2 where it exists, else v1)
// and sets the previous one back at the end of the scope; does nothing where the system
// has no such call.
class TDpiAwareScope {
 public:
  TDpiAwareScope() noexcept;
  ~TDpiAwareScope();
  TDpiAwareScope(const TDpiAwareScope&) = delete;
  TDpiAwareScope& operator=(const TDpiAwareScope&) = delete;

 private:
  void* previous_ = nullptr;  // DPI_AWARENESS_CONTEXT, which older SDKs lack
};

// The message a window gets when it moves to a monitor of another dpi.
inline constexpr UINT kWmDpiChanged = 0x02E0;

}  // namespace velmora::ui
