#include "engine/uForegroundPolicy.h"

#include <shellapi.h>

#include <iterator>

#include "engine/uProgramList.h"
#include "popup/uPopupForm.h"
#include "popup/uPopupGeometry.h"
#include "settings/uIniManager.h"
#include "ui/uHandle.h"
#include "ui/uLateBind.h"
#include "ui/uWide.h"

namespace velmora {

const std::vector<std::wstring>& TForegroundPolicy::ExcludedPrograms() {
  const std::string& setting = settings_.ExcludedPrograms;
  if (setting != excludedSetting_) {  // the dialog changed it
    excludedSetting_ = setting;
    excluded_ = ParseProgramList(ui::FromAnsi(setting));
    front_.Forget();
  }
  return excluded_;
}

bool TForegroundPolicy::ProgramLeftAlone() {
  const std::vector<std::wstring>& excluded = ExcludedPrograms();
  return !excluded.empty() && front_.LeftAlone(GetForegroundWindow(), excluded);
}

bool TFrontProgram::LeftAlone(HWND front, const std::vector<std::wstring>& programs) noexcept {
  if (Knows(front)) return listed_;
  front_ = front;
  known_ = true;
  listed_ = ListedProgramOwns(front, programs);
  return listed_;
}

bool ListedProgramOwns(HWND window, const std::vector<std::wstring>& programs) noexcept {
  if (programs.empty()) return false;
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  if (!window || id == GetCurrentProcessId()) return false;  // the player's own windows
  // Elevated programs cannot be opened: they are simply not matched.
  const ui::TKernelHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
  if (!process) return false;
  wchar_t path[32768];  // the longest path there is
  DWORD size = static_cast<DWORD>(std::size(path));
  if (!QueryFullProcessImageNameW(process.Get(), 0, path, &size)) return false;
  return IsListedProgram(programs, std::wstring_view(path, size));
}

bool TForegroundPolicy::PopupHidden() const {
  return settings_.HideOverFullScreen && ForegroundIsFullScreen();
}

bool ForegroundIsFullScreen() {
  QUERY_USER_NOTIFICATION_STATE state;
  if (SUCCEEDED(ui::late::SHQueryUserNotificationState(&state)) &&
      (state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE))
    return true;
  const HWND front = GetForegroundWindow();
  if (!front || front == GetDesktopWindow() || front == GetShellWindow()) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(front, &process);
  if (process == GetCurrentProcessId()) return false;  // the player's own video
  char name[16];
  if (GetClassNameA(front, name, sizeof name) &&
      (lstrcmpA(name, "Progman") == 0 || lstrcmpA(name, "WorkerW") == 0))
    return false;
  RECT window;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  return GetWindowRect(front, &window) &&
         GetMonitorInfoW(MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &info) &&
         CoversMonitor(ScreenRect(window), ScreenRect(info.rcMonitor));
}

}  // namespace velmora
