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

// Runs every message pending in the calling thread's queue. A WM_QUIT found there is
// posted again, so that the host's own loop still sees it, and ends the pump.
void ProcessMessages() noexcept;

// The default error report: a message box with the error's text. Never throws.
void ShowException(const std::exception& error) noexcept;
void ShowErrorText(const char* text) noexcept;

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
  try {
    body();
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    ShowErrorText("Unknown error");
  }
}

}  // namespace velmora::ui
