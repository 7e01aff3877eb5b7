#include "engine/uUtils.h"

#include <bitset>
#include <cstring>
#include <utility>

#include "settings/uTextRules.h"
#include "ui/uHandle.h"

namespace velmora {

namespace {

// 0x80 to 0x9F always, and the ANSI code page's lead bytes on a DBCS system. Built on
// first use rather than at load: static initialisers run in every hooked process, under
// the loader lock, where user32 must not be called.
const std::bitset<256>& Markers() {
  static const std::bitset<256> markers = [] {
    std::bitset<256> set;
    for (int b = 0x80; b <= 0x9F; ++b) set.set(b);
    CPINFO info;
    if (GetSystemMetrics(SM_DBCSENABLED) && GetCPInfo(CP_ACP, &info)) {
      for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2)
        for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; ++b) set.set(b);
    }
    return set;
  }();
  return markers;
}

}  // namespace

bool CopyToClipboard(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  if (void* p = GlobalLock(memory)) {
    std::memcpy(p, text.c_str(), bytes);
    GlobalUnlock(memory);
  }
  bool given = false;
  if (OpenClipboard(owner)) {
    // Once set, the memory is the system's.
    given = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
  }
  if (!given) GlobalFree(memory);
  return given;
}

bool OwnProcessInFront() {
  DWORD process = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &process);
  return process == GetCurrentProcessId();
}

HWND GetForegroundFocus() {
  const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD self = GetCurrentThreadId();
  AttachThreadInput(self, foreground, TRUE);
  const HWND focus = GetFocus();
  AttachThreadInput(self, foreground, FALSE);
  return focus;
}

void ForceForeground(HWND window) {
  const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
  const DWORD target = GetWindowThreadProcessId(window, nullptr);
  AttachThreadInput(target, foreground, TRUE);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  // WaitMessage with a bound: when no message comes, the host's thread must not hang.
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT);
  AttachThreadInput(target, foreground, FALSE);
  // Wine can leave no foreground window at all after the detach when the window is
  // another process's; one more request brings it forward.
  if (IsWindow(window) && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD) &&
      GetForegroundWindow() != window) {
    SetForegroundWindow(window);
  }
}

void GetClassAndText(HWND window, bool upperClass, bool upperText, std::string& className,
                     std::string& text) {
  char buffer[255];
  int n = GetClassNameA(window, buffer, sizeof buffer);
  className = TrimLowBytes(std::string_view(buffer, n > 0 ? n : 0));
  if (upperClass) className = UpperAscii(className);
  n = GetWindowTextA(window, buffer, sizeof buffer);
  text = TrimLowBytes(std::string_view(buffer, n > 0 ? n : 0));
  if (upperText && !text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
}

bool ContainsLeadByte(std::string_view text) {
  return ContainsMarker(text, Markers());
}

}  // namespace velmora
