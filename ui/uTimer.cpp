#include "ui/uTimer.h"

#include <stdexcept>

#include "ui/uApplication.h"

namespace velmora::ui {

namespace {
constexpr char kClass[] = "VelmoraTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  RegisterWindowClass(kClass, TimerWndProc);
  window_ = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(),
                            nullptr);
  if (!window_) throw std::runtime_error("cannot create the timer window");
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TTimer::~TTimer() {
  KillTimer(window_, kTimerId);
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

void TTimer::Restart() {
  KillTimer(window_, kTimerId);
  if (enabled_ && interval_ > 0) SetTimer(window_, kTimerId, interval_, nullptr);
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    TDispatchScope scope;
    if (self && self->enabled_ && self->OnTimer) Guarded([&] { self->OnTimer(); });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace velmora::ui
