#include "ui/uTimer.h"

#include <stdexcept>

#include "ui/uApplication.h"
#include "ui/uBinding.h"

namespace velmora::ui {

namespace {
constexpr char kClass[] = "VelmoraTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  RegisterWindowClass(kClass, WindowProcedure<TTimer, &TTimer::Receive>);
  window_ =
      CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(), this);
  if (!window_) throw std::runtime_error("cannot create the timer window");
}

TTimer::~TTimer() {
  KillTimer(window_, kTimerId);
  UnbindWindow(window_);  // a tick already queued finds no object
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

LRESULT TTimer::Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER || wParam != kTimerId)
    return DefWindowProcA(window, message, wParam, lParam);
  if (enabled_ && OnTimer) OnTimer();
  return 0;
}

}  // namespace velmora::ui
