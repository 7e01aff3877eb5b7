#include "ui/uDpi.h"

#include "ui/uFont.h"

namespace velmora::ui {

namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TSetThreadDpiAwarenessContext = void*(WINAPI*)(void*);

// Windows 10 1607 and later; looked up once, on the thread that lays out the windows.
template <class F>
F User32(const char* name) noexcept {
  return reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The awareness contexts are pseudo-handles: -4 per-monitor v2, -3 per-monitor.
void* const kPerMonitorV2 = reinterpret_cast<void*>(static_cast<INT_PTR>(-4));
void* const kPerMonitor = reinterpret_cast<void*>(static_cast<INT_PTR>(-3));

}  // namespace

int DpiForWindow(HWND window) noexcept {
  static const auto getDpiForWindow = User32<TGetDpiForWindow>("GetDpiForWindow");
  if (window && getDpiForWindow)
    if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
  return ScreenPixelsPerInch();
}

TDpiAwareScope::TDpiAwareScope() noexcept {
  static const auto set =
      User32<TSetThreadDpiAwarenessContext>("SetThreadDpiAwarenessContext");
  if (!set) return;
  previous_ = set(kPerMonitorV2);
  if (!previous_) previous_ = set(kPerMonitor);
}

TDpiAwareScope::~TDpiAwareScope() {
  static const auto set =
      User32<TSetThreadDpiAwarenessContext>("SetThreadDpiAwarenessContext");
  if (previous_ && set) set(previous_);
}

}  // namespace velmora::ui
