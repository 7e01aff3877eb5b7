// The mouse wheel as a dial and the mouse's buttons as keys: a low-level mouse hook on a
// thread of its own (not the player's, so a busy player never holds up the mouse; nothing
// injected, so 64-bit programs are reached too). Its procedure only decides and posts: a
// wheel event or a bound button it acts on is swallowed and goes to the engine's window;
// every other event passes untouched.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

#include "engine/uButtonKeys.h"
#include "engine/uForegroundPolicy.h"
#include "engine/uWheelNotches.h"
#include "settings/uEngineSettings.h"
#include "ui/uHandle.h"

namespace velmora {

// The engine's window gets this with wParam the commands to run, signed (positive: up).
inline constexpr UINT WM_HOOK_WHEEL = WM_USER + 259;
// And this with wParam a bound button's word, at its press.
inline constexpr UINT WM_HOOK_BUTTON = WM_USER + 260;

// The extra info of the events the plugin types itself (the mask key, wheel events given
// back): the hook lets them pass as they are, whatever is held and whoever is in front.
inline constexpr ULONG_PTR InjectedMark = 0x56454C4D;  // "VELM"

struct TWheelChoice {
  bool Wheel;              // the wheel as a dial; else the buttons alone
  std::int32_t Modifiers;  // WheelShift ... WheelWin, as WheelChord reads them
  std::int32_t Action;
  bool OverTaskbar;
  bool Accelerate;
  std::vector<std::wstring> Excluded;  // the programs the hot keys leave alone
  std::vector<TShortCut> Buttons;      // the words of the commands that name a button
};

class TWheelHook {
 public:
  // Starts the thread and waits until its hook is set, or failed (the thread has ended
  // then), serving messages sent to this thread meanwhile. enabled is the engine's and
  // outlives this.
  TWheelHook(HWND target, TWheelChoice choice, const std::atomic<bool>& enabled);
  // Removes the hook and waits for the thread's end, serving sent messages meanwhile: the
  // thread uses this object to its last instruction.
  ~TWheelHook();
  TWheelHook(const TWheelHook&) = delete;
  TWheelHook& operator=(const TWheelHook&) = delete;

  // The engine took one of the messages posted to it.
  void Taken() noexcept;
  // A button word's press was taken, the button is not let go yet and exactly its modifiers
  // are held; read on any thread.
  bool ChordHeld(TShortCut word) const noexcept;

  // Steps posted and not yet taken before the chord's events pass to the program instead
  // (the player is busy: a backlog would run all at once when it wakes), or that long.
  static constexpr int MaxBacklog = 4;
  static constexpr DWORD BacklogMs = 250;
  // Steps the engine takes later than this after they were posted are dropped.
  static constexpr DWORD StaleMs = 500;
  // A hook that saw no event for this long is set again: the system removes a low-level
  // hook that once answered too late, silently.
  static constexpr UINT RehookMs = 5000;

 private:
  static DWORD WINAPI Run(void* self) noexcept;
  static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
  bool Decide(const MSLLHOOKSTRUCT& event) noexcept;
  bool DecideButton(WPARAM message, const MSLLHOOKSTRUCT& event) noexcept;
  void GiveBack(int count) noexcept;
  void Step(int delta, DWORD timeMs) noexcept;
  bool Backlogged(DWORD timeMs) const noexcept;
  // Looks the window in front up when another one came there, then settles the events that
  // waited for it.
  void Classify() noexcept;
  void SetHook() noexcept;

  const HWND target_;
  const TWheelChoice choice_;
  const std::atomic<bool>& enabled_;
  ui::TKernelHandle ready_;
  ui::TKernelHandle thread_;
  DWORD threadId_ = 0;
  // The hook thread's own from here on.
  HHOOK hook_ = nullptr;
  bool sawEvent_ = false;  // since the last check of the hook
  // The window last seen in front and whether its program is one left alone, looked up on
  // the thread's loop when a chord's event finds another window in front, never in the
  // procedure.
  TFrontProgram front_;
  // Events of the chord that came while the window in front was not known yet: swallowed,
  // then run, or given again to the program when it is one left alone.
  struct TPending {
    int Delta;
    DWORD TimeMs;
    TShortCut Button;  // a button's press instead of a wheel's delta
  };
  TPending pending_[32];
  int pendingCount_ = 0;
  TWheelNotches notches_;
  TButtonKeys buttons_;
  // Posted by the hook's thread, taken by the engine's: the backlog and since when.
  std::atomic<int> posted_ = 0;
  std::atomic<DWORD> postedSinceMs_ = 0;
};

}  // namespace velmora
