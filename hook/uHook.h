// System-wide input capture: three global hooks whose procedures run inside every
// hooked thread and forward what matters to the engine's window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "hook/uRawKeys.h"
#include "hook/uShortCutWord.h"

namespace velmora {

inline constexpr UINT WM_HOOK_KEY = WM_USER + 256;        // 1280
inline constexpr UINT WM_HOOK_JOGDIAL = WM_USER + 257;    // 1281
inline constexpr UINT WM_HOOK_CREATEWND = WM_USER + 258;  // 1282

inline constexpr char JogDialMessageName[] = "SonyJogDialPlugIn";
inline constexpr char AsyncEventMessageName[] = "SonyAsyncEvent";

// Called on the engine's thread. True when the block is this target's: installed now, or
// by an earlier call for the same window; false when another host holds it (or there is
// none to be had), and nothing was installed.
bool InstallHooks(HWND targetWnd, UINT keyMsg, UINT jogMsg, UINT createMsg, bool sendMode);
bool UninstallHooks();
void SetCbtHook(bool on);

// Called by the system in every hooked thread.
LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
// GetMsgProc's work once its pre-filter let the message through: opens the block, chains,
// forwards a jog message.
LRESULT ForwardJogMessage(int code, WPARAM wParam, LPARAM lParam) noexcept;

// The longest a hooked thread waits for the engine in send mode. A pumping engine answers
// within a few milliseconds; a keystroke costs the typing program at most this much while
// the player stalls, and nothing once the system reports the player hung.
inline constexpr UINT SendTimeoutMs = 50;

void SendToTarget(bool sendMode, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
// The key is down now, as the system's input state has it (not a thread's).
bool KeyDown(int vk) noexcept;
// The Shift, Alt and Ctrl state for a keystroke the keyboard hook sees (see
// UseAsyncModifiers), with ssRightAlt when the right Alt is down.
unsigned GetShiftState(std::uint32_t ownerThreadId) noexcept;
// The layout of the program in front, whose typing a keystroke is, types a character (or
// begins one: a dead key) for the key with Ctrl+Alt, that is with AltGr. Asked without
// changing the keyboard state, so that a dead key pressed before still combines.
bool ForegroundTypesWithAltGr(unsigned vk) noexcept;

}  // namespace velmora
