// Runs in every process the hooks reach: it only records the module handle.
#include <windows.h>

#include "ui/uApplication.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    velmora::ui::SetModuleInstance(instance);
  }
  return TRUE;
}
