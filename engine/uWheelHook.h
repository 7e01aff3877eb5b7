// The mouse wheel as a dial: a low-level mouse hook on a thread of its own (not the
// player's, so a busy player never holds up the mouse; nothing injected, so 64-bit programs
// are reached too). Its procedure only decides and posts: a wheel event it acts on is
// swallowed and its steps go to the engine's window; every other event passes untouched.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "engine/uForegroundPolicy.h"
#include "engine/uWheelNotches.h"
#include "settings/uEngineSettings.h"
#include "ui/uHandle.h"

namespace velmora {

// The engine's window gets this with wParam the commands to run, signed (positive: up),
// and lParam 1 when Alt or Win is held: then it calls MaskMenuKey after them.
inline constexpr UINT WM_HOOK_WHEEL = WM_USER + 259;

// Types a key no keyboard has (VK 0xE8), so that a lone Alt or Win let go after a
// swallowed wheel is no tap: no menu, no Start menu. Not on the hook's thread, which must
// answer the next event meanwhile.
void MaskMenuKey() noexcept;

struct TWheelChoice {
  std::int32_t Modifiers;  // WheelShift ... WheelWin, as WheelChord reads them
  std::int32_t Action;
  bool OverTaskbar;
  bool Accelerate;
  std::vector<std::wstring> Excluded;  // the programs the hot keys leave alone
};

class TWheelHook {
 public:
  // Starts the thread and waits until its hook is set, or failed (the thread has ended then).
  // enabled is the engine's and outlives this.
  TWheelHook(HWND target, TWheelChoice choice, const std::atomic<bool>& enabled);
  // Removes the hook and ends the thread.
  ~TWheelHook();
  TWheelHook(const TWheelHook&) = delete;
  TWheelHook& operator=(const TWheelHook&) = delete;

 private:
  static DWORD WINAPI Run(void* self) noexcept;
  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
  bool Decide(const MSLLHOOKSTRUCT& event) noexcept;
  void Step(int delta, DWORD timeMs, bool mask) noexcept;
  // Looks the window in front up when another one came there, then settles the events that
  // waited for it.
  void Classify() noexcept;

  const HWND target_;
  const TWheelChoice choice_;
  const std::atomic<bool>& enabled_;
  ui::TKernelHandle ready_;
  ui::TKernelHandle thread_;
  DWORD threadId_ = 0;
  // The hook thread's own: the window last seen in front and whether its program is one
  // left alone, looked up on the thread's loop when a chord's event finds another window
  // in front, never in the procedure.
  TFrontProgram front_;
  // Events of the chord that came while the window in front was not known yet: swallowed,
  // then run, or given again to the program when it is one left alone.
  struct TPending {
    int Delta;
    DWORD TimeMs;
  };
  TPending pending_[32];
  int pendingCount_ = 0;
  TWheelNotches notches_;
};

}  // namespace velmora
