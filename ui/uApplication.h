// Application-wide services of the UI layer: the pending-message pump, the default
// error report, and the barrier that keeps exceptions inside functions Windows calls.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace velmora::ui {

// Module whose resources and window classes the UI layer uses: the plugin DLL's own
// handle, set in DllMain; the executable's when linked into a program.
HINSTANCE ModuleInstance() noexcept;
void SetModuleInstance(HINSTANCE instance) noexcept;

// Registers a window class of the module once per load; the plugin unregisters them all
// when it quits, so that a host that loads it again finds no stale class.
// With unicode, its windows are Unicode windows: the plugin's own texts reach them through
// the wide API.
void RegisterWindowClass(const char* name, WNDPROC proc, bool unicode = false);
void UnregisterWindowClasses() noexcept;

// Runs every message pending in the calling thread's queue. A WM_QUIT found there is
// posted again, so that the host's own loop still sees it, and ends the pump.
void ProcessMessages() noexcept;

// The default error report: a message box with the error's text. Never throws.
void ShowException(const std::exception& error) noexcept;
void ShowErrorText(const char* text) noexcept;

// Marks a frame of the plugin on the thread's stack while it may pump messages: the
// host can then re-enter the plugin, even call quit and unload it, from inside that
// pump. Work that would pull the frames' objects away waits until the outermost scope
// ends.
class TDispatchScope {
 public:
  TDispatchScope() noexcept;
  ~TDispatchScope();
  TDispatchScope(const TDispatchScope&) = delete;
  TDispatchScope& operator=(const TDispatchScope&) = delete;
};
bool InDispatch() noexcept;
// Runs action when the outermost dispatch scope ends (now, when there is none).
void RunWhenUnwound(void (*action)() noexcept) noexcept;
// Drops action when it still waits for the scopes to end; true when it did.
bool CancelWhenUnwound(void (*action)() noexcept) noexcept;

// Message-box caption of the default error report.
inline constexpr const char* ReportCaption = "gen_velmora";

// Runs body(); an exception goes to the default error report and fallback is returned.
// Wraps every function the system calls: window, hook, thread and enumeration procedures.
template <class R, class F>
R Guarded(R fallback, F&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    ShowErrorText("Unknown error");
  }
  return fallback;
}

template <class F>
void Guarded(F&& body) noexcept {
  Guarded(false, [&] {
    body();
    return true;
  });
}

}  // namespace velmora::ui
