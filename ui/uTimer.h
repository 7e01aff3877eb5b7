// The message-driven window timer: a hidden window of the creating thread, SetTimer and
// KillTimer. Enabling a disabled timer starts a countdown of its interval; enabling an
// enabled one or setting the interval it has changes nothing; a new interval on an
// enabled timer restarts the countdown; an interval of 0 never fires.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/uComponent.h"

namespace velmora::ui {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner = nullptr);
  ~TTimer() override;

  unsigned Interval() const noexcept { return interval_; }
  void SetInterval(unsigned ms);
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool enabled);
  std::function<void()> OnTimer;

 private:
  LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Restart();

  HWND window_ = nullptr;
  unsigned interval_ = 1000;
  bool enabled_ = false;
};

}  // namespace velmora::ui
