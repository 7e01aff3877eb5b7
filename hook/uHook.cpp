#include "hook/uHook.h"

#include "hook/uMapMemory.h"
#include "ui/uApplication.h"

// The procedures run in foreign threads on every keystroke and retrieved message: each
// opens the block for the call only, allocates nothing, takes no lock and throws nothing.

namespace velmora {

namespace {

// Window and hook handles keep within 32 bits on either architecture, as the block holds them.
HHOOK AsHook(std::uint32_t h) noexcept {
  return static_cast<HHOOK>(ULongToHandle(h));
}
HWND AsWindow(std::uint32_t h) noexcept {
  return static_cast<HWND>(ULongToHandle(h));
}
std::uint32_t AsValue(HWND h) noexcept {
  return HandleToULong(h);
}
std::uint32_t AsValue(HHOOK h) noexcept {
  return HandleToULong(h);
}

// Registered numbers are the same in every process of the session; two threads racing
// here store the same values.
UINT gJogDialMsg = 0;
UINT gAsyncEventMsg = 0;

}  // namespace

bool InstallHooks(HWND targetWnd, UINT keyMsg, UINT jogMsg, UINT createMsg, bool sendMode) {
  THookBlockOwner* map = OpenHookBlock();
  if (!map) return false;
  if (!map->Creator()) {  // installed before: by this caller, or by another host
    const bool ours = BlockOf(map)->TargetWnd == AsValue(targetWnd);
    delete map;
    return ours;
  }
  THookBlock* b = BlockOf(map);
  const HINSTANCE module = ui::ModuleInstance();
  b->OwnerThreadId = GetCurrentThreadId();
  b->TargetWnd = AsValue(targetWnd);
  b->KeyMsg = keyMsg;
  b->JogMsg = jogMsg;
  b->CreateMsg = createMsg;
  b->JogDialMsgId = RegisterWindowMessageA(JogDialMessageName);
  b->AsyncEventMsgId = RegisterWindowMessageA(AsyncEventMessageName);
  b->SendMode = sendMode ? 1 : 0;
  if (b->KeyMsg != 0) {
    map->KeyHook.Reset(SetWindowsHookExA(WH_KEYBOARD, KeyboardProc, module, 0));
    b->KeyHook = AsValue(map->KeyHook.Get());
  }
  if (b->JogMsg != 0) {
    map->GetMsgHook.Reset(SetWindowsHookExA(WH_GETMESSAGE, GetMsgProc, module, 0));
    b->GetMsgHook = AsValue(map->GetMsgHook.Get());
  }
  b->CbtHook = 0;
  return true;  // map stays: it is the block's Owner
}

bool UninstallHooks() {
  TMapMemory* map = OpenHookBlock();
  if (!map) return false;
  if (map->Creator()) {
    delete map;
    return false;
  }
  THookBlock* b = BlockOf(map);
  if (GetCurrentThreadId() == b->OwnerThreadId) {
    if (THookBlockOwner* owner = OwnerOf(b)) {
      delete owner;  // its hooks first, then the block
      b->Owner = 0;
    }
  }
  delete map;
  return true;
}

// On the installing thread, whose object owns the hooks (the engine's, the only caller).
void SetCbtHook(bool on) {
  TMapMemory* map = OpenHookBlock();
  if (!map) return;
  if (map->Creator()) {  // no hooks installed: none to add to, and no block to keep
    delete map;
    return;
  }
  THookBlock* b = BlockOf(map);
  THookBlockOwner* owner = OwnerOf(b);
  if (owner && GetCurrentThreadId() == b->OwnerThreadId) {
    owner->CbtHook.Reset();
    b->CbtHook = 0;
    if (on) {
      owner->CbtHook.Reset(SetWindowsHookExA(WH_CBT, CbtProc, ui::ModuleInstance(), 0));
      b->CbtHook = AsValue(owner->CbtHook.Get());
    }
  }
  ReleaseHookBlock(map);
}

bool KeyDown(int vk) noexcept {
  return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

unsigned GetShiftState(std::uint32_t ownerThreadId) noexcept {
  const DWORD self = GetCurrentThreadId();
  // The foreground is asked only on the owner's thread: elsewhere the rule is decided.
  if (self == ownerThreadId &&
      UseAsyncModifiers(self, ownerThreadId,
                        GetWindowThreadProcessId(GetForegroundWindow(), nullptr))) {
    auto down = [](int vk) -> std::uint8_t { return KeyDown(vk) ? 0x80 : 0; };
    return ShiftStateFromKeys(down(VK_SHIFT), down(VK_MENU), down(VK_CONTROL)) |
           (down(VK_RMENU) ? ssRightAlt : 0);
  }
  BYTE keys[256];
  if (!GetKeyboardState(keys)) return 0;
  return ShiftStateFromKeys(keys[VK_SHIFT], keys[VK_MENU], keys[VK_CONTROL]) |
         ((keys[VK_RMENU] & 0x80) ? ssRightAlt : 0);
}

bool ForegroundTypesWithAltGr(unsigned vk) noexcept {
  const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
  BYTE keys[256] = {};
  keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_MENU] = keys[VK_RMENU] = 0x80;
  WCHAR text[4];
  // Flag 4: the keyboard state is left as it was.
  const int n =
      ToUnicodeEx(vk, MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout), keys, text, 4, 4, layout);
  // A control character is what Ctrl makes of a letter where the layout has nothing there.
  return n < 0 || (n > 0 && text[0] >= 0x20);
}

void SendToTarget(bool sendMode, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
  if (!sendMode) {
    PostMessageA(wnd, msg, wParam, lParam);
    return;
  }
  const DWORD fg = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD self = GetCurrentThreadId();
  const bool attached = fg != 0 && fg != self && AttachThreadInput(self, fg, TRUE);
  // The engine replies before it runs anything; a player that does not pump (a long load,
  // a stuck decoder) must not hold the program being typed into. Unanswered, the message
  // stays queued and is handled when the player pumps again, as a posted one would be.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(wnd, msg, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, SendTimeoutMs,
                      &ignored);
  if (attached) AttachThreadInput(self, fg, FALSE);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  // Releases and repeats are never forwarded, so they chain without the block's four
  // kernel calls; half of all keystrokes on the desktop.
  if (code < 0 || !IsFirstStroke(static_cast<std::uint32_t>(lParam)))
    return CallNextHookEx(nullptr, code, wParam, lParam);
  TScopedHookBlock b;
  if (!b) return CallNextHookEx(nullptr, code, wParam, lParam);
  const LRESULT result = CallNextHookEx(AsHook(b->KeyHook), code, wParam, lParam);
  const HWND target = AsWindow(b->TargetWnd);
  if (IsWindow(target)) {
    const unsigned state = GetShiftState(b->OwnerThreadId);
    // AltGr typing a character is text, not a hot key.
    if (!IsAltGrTyping(state, static_cast<unsigned>(wParam), ForegroundTypesWithAltGr)) {
      SendToTarget(b->SendMode != 0, target, b->KeyMsg,
                   MakeShortCutWord(static_cast<std::uint32_t>(wParam), state), lParam);
    }
  }
  return result;
}

LRESULT ForwardJogMessage(int code, WPARAM wParam, LPARAM lParam) noexcept {
  TScopedHookBlock b;
  if (!b || code != HC_ACTION) return CallNextHookEx(nullptr, code, wParam, lParam);
  const LRESULT result = CallNextHookEx(AsHook(b->GetMsgHook), code, wParam, lParam);
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  const HWND target = AsWindow(b->TargetWnd);
  if (msg && IsWindow(target) && msg->hwnd != target &&
      (msg->message == b->JogDialMsgId || msg->message == b->AsyncEventMsgId)) {
    SendToTarget(b->SendMode != 0, target, b->JogMsg, msg->wParam, msg->lParam);
  }
  return result;
}

LRESULT CALLBACK GetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  // CallNextHookEx ignores its hook handle since NT, so a message that is neither jog
  // message chains without the block's four kernel calls.
  if (gJogDialMsg == 0) {
    gJogDialMsg = RegisterWindowMessageA(JogDialMessageName);
    gAsyncEventMsg = RegisterWindowMessageA(AsyncEventMessageName);
  }
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && msg && msg->message != gJogDialMsg && msg->message != gAsyncEventMsg) {
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  return ForwardJogMessage(code, wParam, lParam);
}

LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam) {
  TScopedHookBlock b;
  if (!b) return CallNextHookEx(nullptr, code, wParam, lParam);
  const LRESULT result = CallNextHookEx(AsHook(b->CbtHook), code, wParam, lParam);
  const HWND target = AsWindow(b->TargetWnd);
  if (code == HCBT_CREATEWND && IsWindow(target) && reinterpret_cast<HWND>(wParam) != target) {
    PostMessageA(target, b->CreateMsg, wParam, lParam);
  }
  return result;
}

}  // namespace velmora
