// A timer counted by a worker thread that sleeps between ticks; each tick runs on the
// user-interface thread, handed over synchronously, as a call of OnTimer or as a message
// posted to the owner's window (at most one waiting).
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "ui/uComponent.h"
#include "ui/uControls.h"
#include "ui/uThread.h"

namespace velmora {

enum class TThreadPriority {
  tpIdle,
  tpLowest,
  tpLower,
  tpNormal,
  tpHigher,
  tpHighest,
  tpTimeCritical
};

class TThreadTimer;

class TThreadTimerExec : public ui::TThread {
 public:
  explicit TThreadTimerExec(TThreadTimer& timer) : timer_(timer) {}
  ~TThreadTimerExec() override { EndThread(); }
  bool Done() const noexcept { return done_; }

 protected:
  void Execute() override;

 private:
  TThreadTimer& timer_;  // not owned
  std::atomic<bool> done_{false};
};

class TThreadTimer : public ui::TComponent {
 public:
  explicit TThreadTimer(ui::TComponent* owner);
  ~TThreadTimer() override;

  bool InTick() const noexcept { return inTick_; }
  std::int32_t Data = 0;  // the user's; never read here
  bool Enabled() const noexcept { return enabled_; }
  void SetEnabled(bool value);
  std::int32_t Interval() const noexcept { return interval_; }
  void SetInterval(std::int32_t value);
  TThreadPriority Priority() const noexcept;
  void SetPriority(TThreadPriority value) noexcept;
  std::function<void(TThreadTimer& sender)> OnTimer;
  bool UseMessage = false;
  std::int32_t MessageNo = 768;  // the tick message is WM_USER + MessageNo
  UINT TickMessage() const noexcept { return WM_USER + static_cast<UINT>(MessageNo); }

  // Runs on the user-interface thread at every wake-up of the worker.
  void Tick();
  TThreadTimerExec& Worker() noexcept { return *worker_; }

 private:
  ui::TWinControl* ownerControl_;
  std::unique_ptr<TThreadTimerExec> worker_;
  bool inTick_ = false;
  bool enabled_ = false;
  std::atomic<std::int32_t> interval_{100};
  bool destroying_ = false;
};

}  // namespace velmora
