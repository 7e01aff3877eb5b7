// The floor of every hook-based design: a global keyboard hook that does nothing but post
// one message for the first stroke of one key. Its target lives in a section every
// process that loads this library shares.
#include <windows.h>

namespace {
HWND gTarget __attribute__((section(".shared"), shared)) = nullptr;
UINT gMessage __attribute__((section(".shared"), shared)) = 0;
WPARAM gWParam __attribute__((section(".shared"), shared)) = 0;
UINT gKey __attribute__((section(".shared"), shared)) = 0;
HHOOK gHook = nullptr;  // the installing process's only
HINSTANCE gModule = nullptr;

LRESULT CALLBACK BareKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && wParam == gKey && (static_cast<DWORD>(lParam) & 0xC0000000u) == 0)
    PostMessageA(gTarget, gMessage, gWParam, 0);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

extern "C" {
BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    gModule = module;
    DisableThreadLibraryCalls(module);
  }
  return TRUE;
}
__declspec(dllexport) BOOL BH_Install(HWND target, UINT message, WPARAM wParam, UINT key) {
  gTarget = target;
  gMessage = message;
  gWParam = wParam;
  gKey = key;
  gHook = SetWindowsHookExA(WH_KEYBOARD, BareKeyboardProc, gModule, 0);
  return gHook != nullptr;
}
__declspec(dllexport) void BH_Uninstall() {
  if (gHook) UnhookWindowsHookEx(gHook);
  gHook = nullptr;
}
}
