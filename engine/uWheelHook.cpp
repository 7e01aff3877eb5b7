#include "engine/uWheelHook.h"

#include <iterator>
#include <utility>

#include "hook/uHook.h"
#include "ui/uApplication.h"
#include "ui/uThread.h"

namespace velmora {

namespace {

// The thread's messages to itself, each handled after the procedure has returned: look up
// the window in front; type the mask key.
constexpr UINT kClassify = WM_APP + 1;
constexpr UINT kMask = WM_APP + 2;
// A key no keyboard has, pressed and let go between the modifiers' press and release, so
// that a lone Alt or Win let go after a swallowed wheel is no tap: no menu, no Start menu.
constexpr WORD kMaskKey = 0xE8;
constexpr UINT_PTR kRehookTimer = 1;

// The one hook of the process, read by its procedure on its own thread.
TWheelHook* gWheel = nullptr;

std::int32_t HeldModifiers() noexcept {
  return (KeyDown(VK_SHIFT) ? WheelShift : 0) | (KeyDown(VK_CONTROL) ? WheelCtrl : 0) |
         (KeyDown(VK_MENU) ? WheelAlt : 0) | (KeyDown(VK_LWIN) || KeyDown(VK_RWIN) ? WheelWin : 0);
}

// The hook's point is in physical pixels: looked up as such, at any display scale.
bool OverTaskbar(POINT point) noexcept {
  const HWND root = GetAncestor(WindowFromPhysicalPoint(point), GA_ROOT);
  char name[32];
  return root && GetClassNameA(root, name, sizeof name) &&
         (lstrcmpA(name, "Shell_TrayWnd") == 0 || lstrcmpA(name, "Shell_SecondaryTrayWnd") == 0);
}

void TypeMask() noexcept {
  INPUT keys[2] = {};
  for (int i = 0; i < 2; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = kMaskKey;
    keys[i].ki.dwFlags = i ? KEYEVENTF_KEYUP : 0;
    keys[i].ki.dwExtraInfo = InjectedMark;
  }
  SendInput(2, keys, sizeof(INPUT));
}

}  // namespace

TWheelHook::TWheelHook(HWND target, TWheelChoice choice, const std::atomic<bool>& enabled)
    : target_(target), choice_(std::move(choice)), enabled_(enabled), buttons_(choice_.Buttons) {
  ready_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!ready_) return;
  thread_.Reset(CreateThread(nullptr, 0, Run, this, 0, &threadId_));
  if (!thread_) return;
  // Above the player's threads: the system removes a hook that answers too late.
  SetThreadPriority(thread_.Get(), THREAD_PRIORITY_ABOVE_NORMAL);
  ui::WaitServingSent({ready_.Get(), thread_.Get()});
}

TWheelHook::~TWheelHook() {
  if (!thread_) return;
  // The thread's queue exists once it set ready: the quit is never lost.
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  ui::WaitServingSent({thread_.Get()});
}

bool TWheelHook::ChordHeld(TShortCut word) const noexcept {
  const bool win = KeyDown(VK_LWIN) || KeyDown(VK_RWIN);
  return buttons_.Held(word & 0xFFu) && KeyDown(VK_SHIFT) == ((word & scShift) != 0) &&
         KeyDown(VK_CONTROL) == ((word & scCtrl) != 0) &&
         KeyDown(VK_MENU) == ((word & scAlt) != 0) && win == ((word & scWin) != 0);
}

void TWheelHook::Taken() noexcept {
  int n = posted_.load();
  while (n > 0 && !posted_.compare_exchange_weak(n, n - 1)) {
  }
}

void TWheelHook::SetHook() noexcept {
  // The new one first: no event slips past between the two.
  const HHOOK old = hook_;
  hook_ = SetWindowsHookExW(WH_MOUSE_LL, Procedure, ui::ModuleInstance(), 0);
  if (old) UnhookWindowsHookEx(old);
}

DWORD WINAPI TWheelHook::Run(void* self) noexcept {
  auto* w = static_cast<TWheelHook*>(self);
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue, before the hook
  w->Classify();
  gWheel = w;
  w->SetHook();
  const bool hooked = w->hook_ != nullptr;
  SetEvent(w->ready_.Get());
  if (hooked) SetTimer(nullptr, kRehookTimer, RehookMs, nullptr);
  while (hooked && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == kClassify) {
      w->Classify();
    } else if (msg.message == kMask) {
      TypeMask();
    } else if (msg.message == WM_TIMER && msg.hwnd == nullptr) {
      if (!std::exchange(w->sawEvent_, false)) w->SetHook();
    } else {
      DispatchMessageW(&msg);
    }
  }
  if (w->hook_) UnhookWindowsHookEx(std::exchange(w->hook_, nullptr));
  gWheel = nullptr;
  return 0;
}

LRESULT CALLBACK TWheelHook::Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && gWheel) {
    const auto& event = *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    gWheel->sawEvent_ = true;
    if (event.dwExtraInfo != InjectedMark &&
        (wParam == WM_MOUSEWHEEL ? gWheel->choice_.Wheel && gWheel->Decide(event)
                                 : gWheel->DecideButton(wParam, event)))
      return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TWheelHook::Backlogged(DWORD timeMs) const noexcept {
  const int posted = posted_.load();
  return posted >= MaxBacklog || (posted > 0 && timeMs - postedSinceMs_.load() > BacklogMs);
}

bool TWheelHook::Decide(const MSLLHOOKSTRUCT& event) noexcept {
  if (!enabled_.load(std::memory_order_relaxed)) return false;
  const std::int32_t held = HeldModifiers();
  if (held != WheelChord(choice_.Modifiers) &&
      !(choice_.OverTaskbar && held == 0 && OverTaskbar(event.pt)))
    return false;
  // A lone Alt or Win let go after the chord opens no menu, whatever became of the event.
  if (held & (WheelAlt | WheelWin)) PostThreadMessageW(GetCurrentThreadId(), kMask, 0, 0);
  // The player has not taken what it was given: the notch is the program's.
  if (Backlogged(event.time)) return false;
  const int delta = static_cast<short>(HIWORD(event.mouseData));
  // Another window than the one the thread last looked at is in front: its program may be
  // one left alone, which the thread looks up on its loop, not here. Until then the chord's
  // events wait.
  if (!front_.Knows(GetForegroundWindow())) {
    if (pendingCount_ == static_cast<int>(std::size(pending_))) return false;
    pending_[pendingCount_++] = {delta, event.time, 0};
    PostThreadMessageW(GetCurrentThreadId(), kClassify, 0, 0);
    return true;
  }
  if (front_.Listed()) return false;
  Step(delta, event.time);
  return true;
}

// A bound button's press is taken and goes to the engine as a hot key does, with its release;
// every other press passes, and so does every release whose press passed.
bool TWheelHook::DecideButton(WPARAM message, const MSLLHOOKSTRUCT& event) noexcept {
  const WORD x = HIWORD(event.mouseData);
  const unsigned vk = message == WM_MBUTTONDOWN || message == WM_MBUTTONUP ? vkMiddleButton
                      : message == WM_XBUTTONDOWN || message == WM_XBUTTONUP
                          ? (x == XBUTTON1   ? vkSideButton1
                             : x == XBUTTON2 ? vkSideButton2
                                             : 0)
                          : 0;
  if (!vk) return false;
  // The engine reads a held button from here (a taken press never reaches the system's
  // key state), so that a held Volume button repeats until this release.
  if (message == WM_MBUTTONUP || message == WM_XBUTTONUP) return buttons_.Release(vk);
  if (!enabled_.load(std::memory_order_relaxed)) return false;
  const TShortCut word = buttons_.Press(vk, KeyDown(VK_SHIFT), KeyDown(VK_CONTROL),
                                        KeyDown(VK_MENU), KeyDown(VK_LWIN) || KeyDown(VK_RWIN));
  if (!word) return false;
  if (!front_.Knows(GetForegroundWindow())) {  // looked up on the loop, as for the wheel
    if (pendingCount_ == static_cast<int>(std::size(pending_))) {
      buttons_.GiveBack(vk);
      return false;
    }
    pending_[pendingCount_++] = {0, event.time, word};
    PostThreadMessageW(GetCurrentThreadId(), kClassify, 0, 0);
    return true;
  }
  if (front_.Listed()) {
    buttons_.GiveBack(vk);
    return false;
  }
  PostMessageW(target_, WM_HOOK_BUTTON, word, 1);
  return true;
}

void TWheelHook::Step(int delta, DWORD timeMs) noexcept {
  const std::int32_t action = WheelActionOf(choice_.Action);
  const int commands = notches_.Turn(delta, timeMs, choice_.Accelerate && action != WheelTrack);
  if (!commands) return;
  if (posted_.fetch_add(1) == 0) postedSinceMs_ = timeMs;
  if (!PostMessageW(target_, WM_HOOK_WHEEL, static_cast<WPARAM>(commands), 0)) Taken();
}

void TWheelHook::Classify() noexcept {
  const bool excluded = front_.LeftAlone(GetForegroundWindow(), choice_.Excluded);
  if (!pendingCount_) return;
  const int count = std::exchange(pendingCount_, 0);
  if (!excluded && enabled_.load(std::memory_order_relaxed)) {
    for (int i = 0; i < count; ++i) {
      if (pending_[i].Button)
        PostMessageW(target_, WM_HOOK_BUTTON, pending_[i].Button, 1);
      else
        Step(pending_[i].Delta, pending_[i].TimeMs);
    }
    return;
  }
  GiveBack(count);
}

// The program's after all: the held events given to it again, marked so that the procedure
// lets them by; a button's release that was taken meanwhile goes with its press.
void TWheelHook::GiveBack(int count) noexcept {
  INPUT events[2 * std::size(pending_)] = {};
  UINT n = 0;
  for (int i = 0; i < count; ++i) {
    const TPending& p = pending_[i];
    INPUT& in = events[n++];
    in.type = INPUT_MOUSE;
    in.mi.dwExtraInfo = InjectedMark;
    if (!p.Button) {
      in.mi.mouseData = static_cast<DWORD>(p.Delta);
      in.mi.dwFlags = MOUSEEVENTF_WHEEL;
      continue;
    }
    const unsigned vk = p.Button & 0xFFu;
    const bool released = !buttons_.Held(vk);
    buttons_.GiveBack(vk);
    const DWORD x = vk == vkSideButton1 ? XBUTTON1 : XBUTTON2;
    in.mi.mouseData = vk == vkMiddleButton ? 0 : x;
    in.mi.dwFlags = vk == vkMiddleButton ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_XDOWN;
    if (released) {
      events[n] = in;
      events[n++].mi.dwFlags = vk == vkMiddleButton ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_XUP;
    }
  }
  SendInput(n, events, sizeof(INPUT));
}

}  // namespace velmora
