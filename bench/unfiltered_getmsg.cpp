// The benchmark's variant of the get-message procedure: without the pre-filter, so the
// block is opened for every message. Linked into the hook test library, not the plugin.
#include <windows.h>

#include "hook/uHook.h"

namespace {
LRESULT CALLBACK UnfilteredGetMsgProc(int code, WPARAM wParam, LPARAM lParam) {
  return velmora::ForwardJogMessage(code, wParam, lParam);
}
}  // namespace

extern "C" __declspec(dllexport) HOOKPROC VT_GetMsgProc(BOOL filtered) {
  return filtered ? velmora::GetMsgProc : UnfilteredGetMsgProc;
}
