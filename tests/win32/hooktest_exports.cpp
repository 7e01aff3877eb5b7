// The hook API of the plugin, exported from a test library built from the same objects:
// global hooks need a DLL that the system can load into other processes.
#include <windows.h>

#include "hook/uHook.h"

extern "C" {
__declspec(dllexport) BOOL
    VT_InstallHooks(HWND target, UINT key, UINT jog, UINT create, BOOL send) {
  return velmora::InstallHooks(target, key, jog, create, send != FALSE);
}
__declspec(dllexport) BOOL VT_UninstallHooks() {
  return velmora::UninstallHooks();
}
__declspec(dllexport) void VT_SetCbtHook(BOOL on) {
  velmora::SetCbtHook(on != FALSE);
}
}
