// The engine's window: the one the hooks, raw input and the wheel's thread send to. It
// installs the capture, hands each message to the feature it belongs to and runs the
// features' timers; the rules are TEngine's, the popups TPresenter's, the player TPlayerPort's.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "engine/uEngine.h"
#include "engine/uForegroundPolicy.h"
#include "engine/uPlayerPort.h"
#include "engine/uPresenter.h"
#include "engine/uTimerRule.h"
#include "engine/uWheelHook.h"
#include "hook/uCapture.h"

namespace velmora {

class TIniManager;
class TWinampManager;

class TWatch final : private IEngineSystem {
 public:
  // Both are the creator's and outlive the engine; the settings are read live (the dialog
  // changes them while the engine waits).
  TWatch(const TIniManager& settings, const TWinampManager& player);
  ~TWatch();
  TWatch(const TWatch&) = delete;
  TWatch& operator=(const TWatch&) = delete;

  // The settings as the dialog left them: hooks, skins, the wheel, the track watch.
  void Reload();
  // Off while the dialog is open: only Enable/Disable runs.
  void SetEnabled(bool on) noexcept { engine_->Enabled = on; }

  const HWND PlayerWindow;

 private:
  // The timers of the engine's window, by id.
  enum TimerId : UINT_PTR { CountdownTimer = 1, RepeatTimer, TrackTimer, TimerCount };

  // IEngineSystem
  void Reply() override;
  void ProcessMessages() override;
  bool HeldByAnotherProgram(TShortCut word) override;
  void StartCountdown(unsigned intervalMs) override;
  void StopCountdown() override;
  bool PlayerInFront() override;
  void CopyText(const std::wstring& text) override;
  void StartTrackPoll(unsigned intervalMs) override;
  void StopTrackPoll() override;
  bool ForegroundExcluded() override;
  bool ChordHeld(TShortCut word) override;
  TKeyRepeat KeyboardRepeat() override;
  void StartRepeat(unsigned ms) override;
  void StopRepeat() override;

  LRESULT Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR id);
  void StartTimer(TimerId id, unsigned ms, bool anew);
  void StopTimer(TimerId id);
  void SetWheel();

  const TIniManager& settings_;
  TForegroundPolicy foreground_;
  TPresenter presenter_;
  HWND window_ = nullptr;
  // Made with the window it sends to, removed before it; the player port calls it.
  std::optional<TCapture> capture_;
  std::optional<TPlayerPort> player_;
  std::optional<TEngine> engine_;
  TTimerSlot timers_[TimerCount];
  // Set while the wheel is on; it posts to the window, so it goes before the window.
  std::unique_ptr<TWheelHook> wheel_;
};

}  // namespace velmora
