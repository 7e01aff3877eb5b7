#include "config/uThreadTimer.h"

#include "ui/uApplication.h"
#include "ui/uScopeExit.h"

namespace velmora {

namespace {
constexpr int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                               THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                               THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                               THREAD_PRIORITY_TIME_CRITICAL};
}  // namespace

void TThreadTimerExec::Execute() {
  while (!Terminated()) {
    SuspendPoint();  // disabled: waits here
    if (Terminated()) break;
    Sleep(static_cast<DWORD>(timer_.Interval()));
    if (Terminated()) break;
    // Disabled during the sleep: no tick, and a whole interval after the next enable.
    if (Suspended()) continue;
    Synchronize([this] { timer_.Tick(); });
  }
  done_ = true;
}

TThreadTimer::TThreadTimer(ui::TComponent* owner)
    : ui::TComponent(owner), ownerControl_(dynamic_cast<ui::TWinControl*>(owner)) {
  worker_ = std::make_unique<TThreadTimerExec>(*this);
}

TThreadTimer::~TThreadTimer() {
  destroying_ = true;
  worker_->Terminate();
  while (worker_->Suspended() && !worker_->Done()) worker_->Resume();
  worker_.reset();  // waits for the thread, serving a pending hand-over meanwhile
  while (inTick_) ui::ProcessMessages();
  ownerControl_ = nullptr;
}

void TThreadTimer::SetEnabled(bool value) {
  const bool effective = value && interval_ > 0;
  if (effective == enabled_) return;
  enabled_ = effective;
  if (effective && worker_->Suspended())
    worker_->Resume();
  else if (!effective && !worker_->Suspended())
    worker_->Suspend();
}

void TThreadTimer::SetInterval(std::int32_t value) {
  if (value < 0) value = 0;
  if (value == interval_) return;
  interval_ = value;
  if (value == 0) SetEnabled(false);
}

TThreadPriority TThreadTimer::Priority() const noexcept {
  const int p = worker_->Priority();
  for (int i = 0; i < 7; ++i)
    if (kPriorities[i] == p) return static_cast<TThreadPriority>(i);
  return TThreadPriority::tpNormal;
}

void TThreadTimer::SetPriority(TThreadPriority value) noexcept {
  worker_->SetPriority(kPriorities[static_cast<int>(value)]);
}

void TThreadTimer::Tick() {
  // A tick that was already on its way when the timer was disabled is dropped too.
  if (inTick_ || !enabled_ || destroying_ || (UseMessage && !ownerControl_)) return;
  inTick_ = true;
  const TScopeExit clear([this] { inTick_ = false; });
  const UINT msg = TickMessage();
  if (UseMessage) {
    const HWND window = ownerControl_->Handle();
    MSG waiting;
    if (!PeekMessageA(&waiting, window, msg, msg, PM_NOREMOVE)) PostMessageA(window, msg, 0, 0);
  } else if (OnTimer) {
    OnTimer(*this);
  }
}

}  // namespace velmora
