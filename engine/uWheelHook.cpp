#include "engine/uWheelHook.h"

#include <iterator>
#include <utility>

#include "hook/uHook.h"
#include "ui/uApplication.h"

namespace velmora {

namespace {

// The thread's message to itself: look up the window in front.
constexpr UINT kClassify = WM_APP + 1;
// A key no keyboard has, pressed and let go between the modifiers' press and release.
constexpr WORD kMaskKey = 0xE8;

// The one hook of the process, read by its procedure on its own thread.
TWheelHook* gWheel = nullptr;

std::int32_t HeldModifiers() noexcept {
  return (KeyDown(VK_SHIFT) ? WheelShift : 0) | (KeyDown(VK_CONTROL) ? WheelCtrl : 0) |
         (KeyDown(VK_MENU) ? WheelAlt : 0) | (KeyDown(VK_LWIN) || KeyDown(VK_RWIN) ? WheelWin : 0);
}

bool OverTaskbar(POINT point) noexcept {
  const HWND root = GetAncestor(WindowFromPoint(point), GA_ROOT);
  char name[32];
  return root && GetClassNameA(root, name, sizeof name) &&
         (lstrcmpA(name, "Shell_TrayWnd") == 0 || lstrcmpA(name, "Shell_SecondaryTrayWnd") == 0);
}

}  // namespace

TWheelHook::TWheelHook(HWND target, TWheelChoice choice, const std::atomic<bool>& enabled)
    : target_(target), choice_(std::move(choice)), enabled_(enabled) {
  ready_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!ready_) return;
  thread_.Reset(CreateThread(nullptr, 0, Run, this, 0, &threadId_));
  if (thread_) WaitForSingleObject(ready_.Get(), 10000);
}

TWheelHook::~TWheelHook() {
  if (!thread_) return;
  PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_.Get(), 10000);
}

DWORD WINAPI TWheelHook::Run(void* self) noexcept {
  auto* w = static_cast<TWheelHook*>(self);
  MSG msg;
  PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the queue, before the hook
  w->Classify();
  gWheel = w;
  const HHOOK hook = SetWindowsHookExW(WH_MOUSE_LL, Procedure, ui::ModuleInstance(), 0);
  SetEvent(w->ready_.Get());
  while (hook && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == kClassify)
      w->Classify();
    else
      DispatchMessageW(&msg);
  }
  if (hook) UnhookWindowsHookEx(hook);
  gWheel = nullptr;
  return 0;
}

LRESULT CALLBACK TWheelHook::Procedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
  if (code == HC_ACTION && wParam == WM_MOUSEWHEEL && gWheel &&
      gWheel->Decide(*reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)))
    return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TWheelHook::Decide(const MSLLHOOKSTRUCT& event) noexcept {
  if (!enabled_.load(std::memory_order_relaxed)) return false;
  const std::int32_t held = HeldModifiers();
  if (held != WheelChord(choice_.Modifiers) &&
      !(choice_.OverTaskbar && held == 0 && OverTaskbar(event.pt)))
    return false;
  const int delta = static_cast<short>(HIWORD(event.mouseData));
  // Another window than the one the thread last looked at is in front: its program may be
  // one left alone, which the thread looks up on its loop, not here. Until then the chord's
  // events wait.
  if (!front_.Knows(GetForegroundWindow())) {
    if (pendingCount_ == static_cast<int>(std::size(pending_))) return false;
    pending_[pendingCount_++] = {delta, event.time};
    PostThreadMessageW(GetCurrentThreadId(), kClassify, 0, 0);
    return true;
  }
  if (front_.Listed()) return false;
  Step(delta, event.time, (held & (WheelAlt | WheelWin)) != 0);
  return true;
}

void TWheelHook::Step(int delta, DWORD timeMs, bool mask) noexcept {
  const std::int32_t action = WheelActionOf(choice_.Action);
  const int commands = notches_.Turn(delta, timeMs, choice_.Accelerate && action != WheelTrack);
  if (commands || mask)
    PostMessageW(target_, WM_HOOK_WHEEL, static_cast<WPARAM>(commands), mask ? 1 : 0);
}

void TWheelHook::Classify() noexcept {
  const bool excluded = front_.LeftAlone(GetForegroundWindow(), choice_.Excluded);
  if (!pendingCount_) return;
  const int count = std::exchange(pendingCount_, 0);
  if (!excluded && enabled_.load(std::memory_order_relaxed)) {
    const bool mask = (HeldModifiers() & (WheelAlt | WheelWin)) != 0;
    for (int i = 0; i < count; ++i) Step(pending_[i].Delta, pending_[i].TimeMs, mask);
    return;
  }
  // The program's after all: given to it again, which the procedure now lets pass.
  INPUT wheel[std::size(pending_)] = {};
  for (int i = 0; i < count; ++i) {
    wheel[i].type = INPUT_MOUSE;
    wheel[i].mi.mouseData = static_cast<DWORD>(pending_[i].Delta);
    wheel[i].mi.dwFlags = MOUSEEVENTF_WHEEL;
  }
  SendInput(static_cast<UINT>(count), wheel, sizeof(INPUT));
}

void MaskMenuKey() noexcept {
  INPUT keys[2] = {};
  for (int i = 0; i < 2; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = kMaskKey;
    keys[i].ki.dwFlags = i ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(2, keys, sizeof(INPUT));
}

}  // namespace velmora
