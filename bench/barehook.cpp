// The floor of every hook-based design: a global keyboard hook that does nothing but post
// one message for the first stroke of one key. Its target lives in a section every
// process that loads this library shares. Given a block name, it also opens, maps and
// releases that named mapping for each stroke, as a hook that keeps no state between
// calls must: the cost of the shared block alone.
#include <windows.h>

namespace {
HWND gTarget __attribute__((section(".shared"), shared)) = nullptr;
UINT gMessage __attribute__((section(".shared"), shared)) = 0;
WPARAM gWParam __attribute__((section(".shared"), shared)) = 0;
UINT gKey __attribute__((section(".shared"), shared)) = 0;
char gBlock[64] __attribute__((section(".shared"), shared)) = {};
HHOOK gHook = nullptr;  // the installing process's only
HINSTANCE gModule = nullptr;

LRESULT CALLBACK BareKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && wParam == gKey && (static_cast<DWORD>(lParam) & 0xC0000000u) == 0) {
    if (!gBlock[0]) {
      PostMessageA(gTarget, gMessage, gWParam, 0);
    } else if (HANDLE map = OpenFileMappingA(FILE_MAP_READ, FALSE, gBlock)) {
      if (void* view = MapViewOfFile(map, FILE_MAP_READ, 0, 0, 0)) {
        PostMessageA(gTarget, gMessage, gWParam, 0);
        UnmapViewOfFile(view);
      }
      CloseHandle(map);
    }
  }
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
__declspec(dllexport) BOOL
    BH_Install(HWND target, UINT message, WPARAM wParam, UINT key, const char* block) {
  lstrcpynA(gBlock, block ? block : "", sizeof gBlock);
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
