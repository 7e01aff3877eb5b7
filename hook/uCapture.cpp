#include "hook/uCapture.h"

#include <vector>

namespace velmora {

namespace {

constexpr USHORT kGenericDesktop = 0x01, kKeyboard = 0x06;

bool HostHasKeyboardRawInput() {
  UINT count = 0;
  if (GetRegisteredRawInputDevices(nullptr, &count, sizeof(RAWINPUTDEVICE)) == UINT(-1) ||
      count == 0)
    return false;
  std::vector<RAWINPUTDEVICE> devices(count);
  const UINT n = GetRegisteredRawInputDevices(devices.data(), &count, sizeof(RAWINPUTDEVICE));
  for (UINT i = 0; i < n && n != UINT(-1); ++i)
    if (devices[i].usUsagePage == kGenericDesktop && devices[i].usUsage == kKeyboard) return true;
  return false;
}

bool RegisterKeyboardRawInput(HWND target, bool on) {
  const RAWINPUTDEVICE device{kGenericDesktop, kKeyboard,
                              static_cast<DWORD>(on ? RIDEV_INPUTSINK : RIDEV_REMOVE),
                              on ? target : nullptr};
  return RegisterRawInputDevices(&device, 1, sizeof device) != FALSE;
}

bool HeldNow(unsigned vk) noexcept {
  return KeyDown(static_cast<int>(vk));
}

}  // namespace

TCapture::TCapture(HWND target, bool rawInput)
    : target_(target), rawInput_(rawInput && !HostHasKeyboardRawInput()) {}

TCapture::~TCapture() {
  if (rawRegistered_) RegisterKeyboardRawInput(target_, false);
  UninstallHooks();
}

void TCapture::Install(bool keys, bool jog, bool sendMode) {
  const bool ours = InstallHooks(target_, keys && !rawInput_ ? WM_HOOK_KEY : 0,
                                 jog ? WM_HOOK_JOGDIAL : 0, WM_HOOK_CREATEWND, sendMode);
  if (ours && rawInput_ && !rawRegistered_)
    rawRegistered_ = RegisterKeyboardRawInput(target_, true);
}

void TCapture::WatchWindowCreation(bool on) {
  SetCbtHook(on);
}

std::optional<TShortCut> TCapture::RawKey(HRAWINPUT input) noexcept {
  RAWINPUT raw;
  UINT size = sizeof raw;
  if (GetRawInputData(input, RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) == UINT(-1) ||
      raw.header.dwType != RIM_TYPEKEYBOARD)
    return std::nullopt;
  const RAWKEYBOARD& k = raw.data.keyboard;
  return rawKeys_.Take(
      {k.VKey, k.MakeCode, (k.Flags & RI_KEY_BREAK) != 0, (k.Flags & RI_KEY_E0) != 0},
      {HeldNow, ForegroundTypesWithAltGr});
}

bool TCapture::HeldElsewhere(TShortCut word) const {
  return HotKeyHeldElsewhere(target_, word);
}

bool TCapture::ChordHeld(TShortCut word) noexcept {
  return KeyDown(word & 0xFF) && KeyDown(VK_SHIFT) == ((word & scShift) != 0) &&
         KeyDown(VK_CONTROL) == ((word & scCtrl) != 0) && KeyDown(VK_MENU) == ((word & scAlt) != 0);
}

bool HotKeyHeldElsewhere(HWND window, TShortCut word) {
  if (IsButtonWord(word)) return false;  // no program registers a mouse button
  constexpr int kProbe = 0x564C;
  const UINT modifiers = ((word & scAlt) ? MOD_ALT : 0) | ((word & scCtrl) ? MOD_CONTROL : 0) |
                         ((word & scShift) ? MOD_SHIFT : 0);
  if (RegisterHotKey(window, kProbe, modifiers, word & 0xFF)) {
    UnregisterHotKey(window, kProbe);
    return false;
  }
  return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

}  // namespace velmora
